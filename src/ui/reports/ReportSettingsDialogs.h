#pragma once

#include "core/reports/QuickReportSettings.h"
#include "core/reports/ReportPrompts.h"

#include <QDialog>
#include <QFont>

#include <array>
#include <functional>
#include <optional>
#include <utility>

struct DesktopServices;
class DateEdit;
class ProjectTables;
class QAbstractButton;
class QCheckBox;
class QLabel;
class RecordPicker;

// The font chooser a window opens: the font chosen, or nothing when cancelled.
// Tests hand in a scripted one.
using FontChooser = std::function<std::optional<QFont>(QWidget* parent, const QFont& current)>;
// The system's font dialog.
std::optional<QFont> ChooseFontWithDialog(QWidget* parent, const QFont& current);

// Quick Report Settings: the five fonts, each shown as a line of text with its
// "Select" button.
class QuickReportSettingsDialog : public QDialog
{
public:
    QuickReportSettingsDialog(QuickReportSettingsModel& model, FontChooser chooser,
                              QWidget* parent = nullptr);

private:
    void choose(QuickReportFonts::Line line);

    QuickReportSettingsModel& m_model;
    FontChooser m_chooser;
    std::array<QLabel*, QuickReportFonts::LineCount> m_descriptions{};
};

// Settings > Quick Report Settings on the project's report file.
void RunQuickReportSettings(QWidget* parent, const QString& reportPath, const DesktopServices& services,
                            const FontChooser& chooser = ChooseFontWithDialog);

// Date Range: two dates joined by "to".
class DateRangeDialog : public QDialog
{
public:
    DateRangeDialog(DateRangeModel& model, const DesktopServices& services, QWidget* parent = nullptr);

private:
    DateRangeModel& m_model;
    DateEdit* m_start;
    DateEdit* m_end;
};

// The range chosen, each day at midnight; nothing when the user cancelled.
std::optional<std::pair<DateTime, DateTime>> AskDateRange(QWidget* parent, const DesktopServices& services);

// Additional Report Information: the vendor criterion and the sorting.
class ReportCriteriaDialog : public QDialog
{
public:
    ReportCriteriaDialog(ReportCriteriaModel& model, ProjectTables& tables, const DesktopServices& services,
                         QWidget* parent = nullptr);

private:
    ReportCriteriaModel& m_model;
    RecordPicker* m_vendor;
    QCheckBox* m_applies;
    std::array<QAbstractButton*, 3> m_sortings{};
};

// The criteria chosen; nothing when the user cancelled.
std::optional<ItemCriteria> AskReportCriteria(QWidget* parent, ProjectTables& tables,
                                              const DesktopServices& services);
