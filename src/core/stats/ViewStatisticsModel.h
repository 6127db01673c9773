#pragma once

#include "core/common/DialogModel.h"

#include "core/common/RecordIds.h"

#include <QList>
#include <QString>

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

    // currentList: the kind of list showing, nothing when no list view is
    // current; selectedId: its selected record, NoSelection for none.
    ViewStatisticsModel(ProjectTables& tables, const CProjectSettings& settings,
                        std::optional<ListingKind> currentList, qint32 selectedId);
    ~ViewStatisticsModel();

    QString caption() const override { return QStringLiteral("View Statistics"); }

    // The listing the current list stands for; -1 for none.
    qint32 listing() const { return m_listing; }
    QString listingName() const;
    // "ID %07ld" of the selected record, or "N/A".
    QString selectionText() const { return m_selectionText; }
    bool hasSelection() const { return m_selected; }

    bool viewIntermediate() const { return m_viewIntermediate; }
    // Fills the list again with or without the intermediate statistics.
    void setViewIntermediate(bool on);

    const QList<Row>& rows() const { return m_rows; }

    // The widths of the "Statistic" (0) and "Value" (1) columns the user left.
    static int columnWidth(const UserSettings& settings, int column);
    static void setColumnWidth(UserSettings& settings, int column, int width);

    // "Done".
    Result save() { return Result::ok(); }

private:
    void fill();

    const CProjectSettings& m_settings;
    std::unique_ptr<StatisticEvaluator> m_evaluator;
    qint32 m_listing = -1;
    QString m_selectionText;
    bool m_selected = false;
    bool m_viewIntermediate = false;
    QList<Row> m_rows;
};
