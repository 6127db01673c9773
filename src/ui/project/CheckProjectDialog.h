#pragma once

#include <QDialog>

class CheckProjectModel;
class QPlainTextEdit;
class QPushButton;

// "Check Project": what the consistency check found, and Repair when the
// figures can be rewritten.
class CheckProjectDialog : public QDialog
{
    Q_OBJECT

public:
    CheckProjectDialog(CheckProjectModel& model, QWidget* parent = nullptr);

private:
    void showReport();

    CheckProjectModel& m_model;
    QPlainTextEdit* m_report;
    QPushButton* m_repair;
};
