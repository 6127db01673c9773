#include "EntryHelpers.h"

#include "common/Clock.h"
#include "common/Money.h"
#include "common/NumberText.h"
#include "common/Prompter.h"
#include "common/StatusCodes.h"
#include "db/ProjectDatabase.h"
#include "db/TableReads.h"
#include "project/ProjectTables.h"

#include <limits>

bool TableHasRecords(ProjectTables& tables, const char* table)
{
    return TableHasRecords(tables.database(), QLatin1String(table));
}

QString WholeNumberText(qint64 value)
{
    return QString::number(value);
}

std::optional<qint32> ParsePositiveQuantity(const QString& text)
{
    const std::optional<qint32> value = ParseWholeNumber(text);
    if (!value || *value < 1)
        return std::nullopt;
    return value;
}

QString ShortDateText(const DateTime& date)
{
    return date.formatShortDate(UserLocale());
}

DateTime TodayFrom(const Clock& clock)
{
    return DateTime::fromDate(clock.now().date());
}
