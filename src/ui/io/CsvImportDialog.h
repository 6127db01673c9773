#pragma once

#include <QDialog>
#include <QList>

class CsvImportModel;
class QComboBox;
class QPlainTextEdit;
class QTableWidget;

// Import from CSV: the file's first rows under their column names, a field
// chosen for each column, the check of every row and the import.
class CsvImportDialog : public QDialog
{
    Q_OBJECT

public:
    CsvImportDialog(CsvImportModel& model, QWidget* parent = nullptr);

private:
    // The preview's column titles: each column's name and the field it goes to.
    void showMapping();
    void runCheck();

    CsvImportModel& m_model;
    QList<QComboBox*> m_choices;
    QTableWidget* m_preview;
    QPlainTextEdit* m_report;
};
