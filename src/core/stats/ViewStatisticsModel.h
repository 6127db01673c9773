#pragma once

#include "core/common/DialogModel.h"

#include "core/common/RecordIds.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class CProjectSettings;
class ProjectTables;
class StatisticEvaluator;
class UserSettings;

// The state behind the "View Statistics" dialog: every statistic of the
// project with its value, computed against the list that was current when the
// dialog opened and the record selected in it.
class ViewStatisticsModel : public DialogModel
{
public:
    // Read-only: nothing to refuse or write.
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    struct Row
    {
        QString name;
        QString value;
        friend bool operator==(const Row&, const Row&) = default;
    };

    static constexpr int kDefaultColumnWidth = 200;

    // Told how far a filling of the list has come: `done` of `total`
    // statistics, and asked again every few thousand records while one
    // statistic reads many. Answering false stops the filling.
    using FillProgress = std::function<bool(int done, int total)>;

    // currentList: the kind of list showing, nothing when no list view is
    // current; selectedId: its selected record, NoSelection for none.
    ViewStatisticsModel(ProjectTables& tables, const CProjectSettings& settings,
                        std::optional<ListingKind> currentList, qint32 selectedId,
                        FillProgress progress = {});
    ~ViewStatisticsModel();

    QString caption() const override { return QStringLiteral("View Statistics"); }
    // False when the first filling was stopped: the dialog does not open.
    bool checkPrerequisites() override { return m_filled; }

    // The listing the current list stands for; -1 for none.
    qint32 listing() const { return m_listing; }
    QString listingName() const;
    // "ID %07ld" of the selected record, or "N/A".
    QString selectionText() const { return m_selectionText; }
    bool hasSelection() const { return m_selected; }

    bool viewIntermediate() const { return m_viewIntermediate; }
    // Fills the list again with or without the intermediate statistics; false,
    // with the list and the setting as they were, when the filling was stopped.
    bool setViewIntermediate(bool on);

    const QList<Row>& rows() const { return m_rows; }

    // The widths of the "Statistic" (0) and "Value" (1) columns the user left.
    static int columnWidth(const UserSettings& settings, int column);
    static void setColumnWidth(UserSettings& settings, int column, int width);

    // "Done".
    Result save() { return Result::ok(); }

private:
    bool fill(bool viewIntermediate);

    const CProjectSettings& m_settings;
    std::unique_ptr<StatisticEvaluator> m_evaluator;
    FillProgress m_progress;
    bool m_filled = false;
    qint32 m_listing = -1;
    QString m_selectionText;
    bool m_selected = false;
    bool m_viewIntermediate = false;
    QList<Row> m_rows;
};
