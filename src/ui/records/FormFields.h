#pragma once

#include <QLineEdit>
#include <QList>
#include <QString>

#include <functional>
#include <initializer_list>
#include <span>

class QBoxLayout;
class QComboBox;
class QFormLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;
class QWidget;

// Small pieces every record window shares.

// A line edit of `owner` named `objectName`, added to `form` under `label` (whose "&" letter,
// if any, reaches the edit) and holding `text`.
QLineEdit* AddFormEdit(QWidget* owner, QFormLayout& form, const QString& label, const QString& objectName,
                       const QString& text);

// A read-only text of `owner` named `objectName`, added to `form` under `label`; it can be
// selected and copied, and reached with the keyboard.
QLabel* AddFormText(QWidget* owner, QFormLayout& form, const QString& label, const QString& objectName,
                    const QString& text = QString());

// The window's help line at the end of `layout`, wrapped to the window's width.
QLabel* AddHelpLine(QWidget* owner, QBoxLayout& layout, const QString& text);

// A window opened with `caption` as its title and `help`, when there is any, on top; its layout,
// and an empty form below the help line.
struct WindowFrame
{
    QVBoxLayout* layout;
    QFormLayout* form;
};
WindowFrame OpenWindowFrame(QWidget& window, const QString& caption, const QString& help);

// A button of `owner` named `objectName` that Return never presses: the
// window's own default button keeps it.
QPushButton* NewButton(QWidget* owner, const QString& caption, const QString& objectName);

// A NewButton at the end of `row`.
QPushButton* AddButton(QWidget* owner, QBoxLayout& row, const QString& caption, const QString& objectName);

// The "Location" row of a window over one listing's definitions: a combo of
// `entries` showing `current`, named "locationBox".
QComboBox* AddLocationRow(QWidget* owner, QFormLayout& form, const QStringList& entries, int current);

// The list of a window that manages named definitions (queries, reports,
// statistics), with "<< &Add", "&Modify" and "&Delete >>" beside it on the right.
struct ManagedList
{
    QListWidget* list;
    QPushButton* add;
    QPushButton* modify;
    QPushButton* remove;
};
ManagedList AddManagedList(QWidget* owner, QBoxLayout& layout, const QString& listName);

// Tab order in the order given.
void ChainTabOrder(std::initializer_list<QWidget*> widgets);

// Puts a button into the OK/Cancel row that AddOkCancel ended `layout` with,
// before OK.
void InsertBeforeOk(QBoxLayout& layout, QPushButton* button);

// A text field of a record window: its label, the edit's object name, and the model's
// getter and setter. `edits` holds one line edit per field, in the table's order.
template <class Model> struct FormText
{
    const char16_t* label;
    const char16_t* objectName;
    QString (Model::*get)() const;
    void (Model::*set)(const QString&);
};

template <class Model>
void ShowFormTexts(const Model& model, std::span<const FormText<Model>> fields,
                   const QList<QLineEdit*>& edits)
{
    for (qsizetype i = 0; i < edits.size() && i < qsizetype(fields.size()); ++i) {
        const FormText<Model>& field = fields[size_t(i)];
        edits.at(i)->setText(std::invoke(field.get, model));
    }
}

template <class Model>
void TakeFormTexts(Model& model, std::span<const FormText<Model>> fields, const QList<QLineEdit*>& edits)
{
    for (qsizetype i = 0; i < edits.size() && i < qsizetype(fields.size()); ++i) {
        const FormText<Model>& field = fields[size_t(i)];
        std::invoke(field.set, model, edits.at(i)->text());
    }
}
