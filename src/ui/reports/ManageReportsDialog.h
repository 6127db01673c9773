#pragma once

#include "ui/reports/ReportSettingsDialogs.h"

#include <QDialog>

class ManageReportsModel;
class QComboBox;
class QListWidget;
class QPushButton;

// "Manage Reports": the custom reports of the listing chosen under
// "Location", with "<< Add", "Modify" and "Delete >>". Add and Modify open the
// Report Definition sheet; the list is read again after each.
class ManageReportsDialog : public QDialog
{
public:
    ManageReportsDialog(ManageReportsModel& model, FontChooser chooser, QWidget* parent = nullptr);

private:
    void refill();
    void selectionChanged();

    ManageReportsModel& m_model;
    FontChooser m_chooser;
    QComboBox* m_location;
    QListWidget* m_reports;
    QPushButton* m_modify;
    QPushButton* m_delete;
};
