#pragma once

#include "core/common/RecordIds.h"

#include <QDialog>

#include <optional>

class CProjectSettings;
class ProjectTables;
class QCheckBox;
class QTreeWidget;
class StatisticsProgress;
class UserSettings;
class ViewStatisticsModel;

// "View Statistics": every statistic of the project with its value against the
// list that was showing and the record selected in it. The widths of its two
// columns are the user's, kept in `settings`.
class ViewStatisticsDialog final : public QDialog
{
public:
    // `progress` is the one the model reports to.
    ViewStatisticsDialog(ViewStatisticsModel& model, UserSettings& settings, StatisticsProgress& progress,
                         QWidget* parent = nullptr);

    void done(int result) override;

private:
    void showRows();
    void setViewIntermediate(bool on);

    ViewStatisticsModel& m_model;
    UserSettings& m_settings;
    StatisticsProgress& m_progress;
    QTreeWidget* m_list = nullptr;
    QCheckBox* m_intermediate = nullptr;
};

// Computes the statistics, under a wait cursor and, when that takes a while, a
// progress bar whose Cancel closes the window unopened; then shows them.
// `list`: the kind of list showing, nothing when none; `selected`: the record
// selected in it, NoSelection for none.
void RunViewStatistics(QWidget* parent, ProjectTables& tables, const CProjectSettings& settings,
                       UserSettings& user, std::optional<ListingKind> list, qint32 selected);
