#pragma once

#include "ui/reports/ReportSettingsDialogs.h"

#include "core/reports/ReportDefinition.h"

#include <QWidget>

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class ReportSheetModel;

// The pages of the Report Definition sheet. Each page writes what the user
// changes into the sheet's model at once, and reads the model again when it
// is shown (another page may have changed the columns it offers).

// Center, Left and Right radios (alignment codes 0, 1, 2) in a row of `owner`,
// named `prefix` + "CenterRadio" and so on; `changed` hears the new code.
QButtonGroup* AddAlignmentRadios(QWidget* owner, QLayout& layout, const QString& prefix, int current,
                                 std::function<void(int)> changed);

// "General": name, titles and their alignments, page numbers, company
// information and the six fonts, each chosen through `chooser`.
class ReportGeneralPage : public QWidget
{
public:
    ReportGeneralPage(ReportSheetModel& model, FontChooser chooser, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }

private:
    void choose(ReportFontSlot slot);

    ReportSheetModel& m_model;
    FontChooser m_chooser;
    QLineEdit* m_name;
    std::array<QLabel*, ReportFontCount> m_fonts{};
};

// An "available" and an "included" list box with Add, Remove, Move Up and Move
// Down between and beside them, over one of the model's two-list choices.
class TwoListChooser : public QWidget
{
public:
    struct Lists
    {
        std::function<QStringList()> available;
        std::function<QStringList()> included;
        std::function<int()> selectedAvailable;
        std::function<int()> selectedIncluded;
        std::function<void(int)> selectAvailable;
        std::function<void(int)> selectIncluded;
        // Add, Remove, Move Up, Move Down: false when refused.
        std::array<std::function<bool()>, 4> actions;
    };
    // `stem` names the lists and buttons: "availableFieldsList", "addFieldButton",
    // "moveFieldUpButton" for "Field".
    TwoListChooser(Lists lists, const QString& stem, const QString& availableLabel,
                   const QString& includedLabel, const std::array<QString, 4>& buttonCaptions,
                   QWidget* parent = nullptr);

    // Reads both lists and their selections from the model again.
    void refresh();

private:
    Lists m_lists;
    QListWidget* m_available;
    QListWidget* m_included;
    bool m_refreshing = false;
};

// "List": whether the list is shown, and its columns in order.
class ReportListPage : public QWidget
{
public:
    explicit ReportListPage(ReportSheetModel& model, QWidget* parent = nullptr);
    void refresh();

private:
    ReportSheetModel& m_model;
    QCheckBox* m_showList;
    TwoListChooser* m_fields;
};

// "List Advanced": the query, the rules, each column's header and alignment,
// and the sort column.
class ReportListAdvancedPage : public QWidget
{
public:
    explicit ReportListAdvancedPage(ReportSheetModel& model, QWidget* parent = nullptr);
    void refresh();

private:
    // The column chosen under "Field Display", its name, header and alignment.
    void showColumn();

    ReportSheetModel& m_model;
    QCheckBox* m_applyQuery;
    QComboBox* m_query;
    QComboBox* m_column;
    QLabel* m_originalName;
    QLineEdit* m_header;
    QButtonGroup* m_alignment;
    QLineEdit* m_sort;
    bool m_refreshing = false;
};

// "Statistics": the statistics that close the report, in order.
class ReportStatisticsPage : public QWidget
{
public:
    explicit ReportStatisticsPage(ReportSheetModel& model, QWidget* parent = nullptr);
    void refresh() { m_statistics->refresh(); }

private:
    TwoListChooser* m_statistics;
};
