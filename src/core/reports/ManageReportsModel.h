#pragma once

#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"
#include "core/project/Statistic.h"
#include "core/reports/ReportSheetModel.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class Clock;
class Prompter;
class ProjectTables;

// The state behind the "Manage Reports" dialog: the custom reports of one
// listing in the report definition file, and the report sheets it opens to add
// or modify them. After a sheet it opened closes, the caller refills the list.
class ManageReportsModel : public DialogModel
{
public:
    // Nothing to refuse: each action writes at once or through the sheet it opens.
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    // `current` is the listing the current view shows, nothing when it shows
    // none. The statistics are the project's: the sheet offers those of the
    // chosen listing as columns and as its closing block.
    ManageReportsModel(ProjectTables& tables, QString reportPath, QList<CStatistic> statistics,
                       Prompter& prompter, const Clock& clock, std::optional<ListingKind> current);

    QString caption() const override { return QStringLiteral("Manage Reports"); }

    static QStringList locationEntries();
    int locationIndex() const { return m_location; }
    ListingKind listing() const;
    // Changing the location refills the list.
    void setLocationIndex(int index);

    // The names of the location's reports, in file order.
    const QStringList& reports() const { return m_reports; }
    // -1 when nothing is selected.
    int selection() const { return m_selection; }
    QString selectedName() const;
    void select(int row);
    bool modifyEnabled() const { return m_selection >= 0; }
    bool deleteEnabled() const { return m_selection >= 0; }

    // "<< Add": the sheet of a new report of the location.
    std::unique_ptr<ReportSheetModel> add() const;
    // "Modify": the sheet on the selected report; nothing (the user has been
    // told) without a selection or when the report is no longer in the file.
    std::unique_ptr<ReportSheetModel> modify();
    // "Delete >>": removes the selected report from the file and refills; false,
    // after telling the user, without a selection or when the file could not
    // be rewritten (it then stays as it was).
    bool remove();
    // Reads the location's reports again; the selection is cleared.
    void refill();

    // Close: reports live in the report file, not as records, so changes() stays empty.
    Result save() { return Result::ok(); }

private:
    bool requireSelection();

    ProjectTables& m_tables;
    QString m_reportPath;
    QList<CStatistic> m_statistics;
    Prompter& m_prompter;
    const Clock& m_clock;
    int m_location = 0;
    QStringList m_reports;
    int m_selection = -1;
};
