#pragma once

#include "core/reports/ReportWizardModel.h"

#include <QWizard>

#include <array>

struct DesktopServices;
class DateEdit;
class ProjectTables;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class RecordPicker;

// The "Report Wizard": the report type, then the vendor or the date criterion
// the type takes, then the name. The model decides which page Next and Back
// lead to; Finish writes the report (and its query) and tells the user.
class ReportWizard final : public QWizard
{
public:
    using Page = ReportWizardModel::Page;

    ReportWizard(ReportWizardModel& model, ProjectTables& tables, const DesktopServices& services,
                 QWidget* parent = nullptr);

    ReportWizardModel& model() const { return m_model; }
    // Chooses a type as its radio does; the type without a radio is chosen
    // only this way, with no radio checked.
    void chooseType(int type);

private:
    QWizardPage* typePage();
    QWizardPage* vendorPage(ProjectTables& tables, const DesktopServices& services);
    QWizardPage* datePage(const DesktopServices& services);
    QWizardPage* namePage();
    bool leaveVendorPage();
    bool leaveDatePage();
    bool finish();

    ReportWizardModel& m_model;
    QButtonGroup* m_types = nullptr;
    QLabel* m_description = nullptr;
    RecordPicker* m_vendor = nullptr;
    QCheckBox* m_applyVendor = nullptr;
    QCheckBox* m_useDates = nullptr;
    DateEdit* m_start = nullptr;
    DateEdit* m_thru = nullptr;
    QLineEdit* m_name = nullptr;
};
