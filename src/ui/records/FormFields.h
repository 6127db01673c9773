#pragma once

#include <QString>

#include <initializer_list>

class QBoxLayout;
class QFormLayout;
class QPushButton;
class QLineEdit;
class QWidget;

// Small pieces every record window shares.

// A line edit of `owner` named `objectName`, added to `form` under `label` (whose "&" letter,
// if any, reaches the edit) and holding `text`.
QLineEdit* AddFormEdit(QWidget* owner, QFormLayout& form, const QString& label, const QString& objectName,
                       const QString& text);

// A read-only text of `owner` named `objectName`, added to `form` under `label`; it can be
// selected and copied, and reached with the keyboard.
void AddFormText(QWidget* owner, QFormLayout& form, const QString& label, const QString& objectName,
                 const QString& text);

// Tab order in the order given.
void ChainTabOrder(std::initializer_list<QWidget*> widgets);

// Puts a button into the OK/Cancel row that AddOkCancel ended `layout` with,
// before OK.
void InsertBeforeOk(QBoxLayout& layout, QPushButton* button);
