#pragma once

#include "core/records/FindRecordModel.h"

#include <QDialog>

class Prompter;
class ProjectTables;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Find Vendor and Find Item: a vendor or item located by its ID or its number. A
// miss keeps the dialog open with the focus back in the text; a hit closes it, and
// the caller selects foundId() in its picker.
class FindRecordDialog final : public QDialog
{
public:
    FindRecordDialog(ProjectTables& tables, Prompter& prompter, FindRecordModel::Kind kind,
                     QWidget* parent = nullptr);

    // The record found; NoSelection until the dialog closes with OK.
    qint32 foundId() const { return m_model.foundId(); }

    QLineEdit* textEdit() const { return m_text; }
    QRadioButton* idButton() const { return m_byId; }
    QRadioButton* numberButton() const { return m_byNumber; }
    QPushButton* okButton() const { return m_ok; }

private:
    void confirm();

    FindRecordModel m_model;
    QLineEdit* m_text = nullptr;
    QRadioButton* m_byId = nullptr;
    QRadioButton* m_byNumber = nullptr;
    QPushButton* m_ok = nullptr;
};
