#include "EntryHelpers.h"

#include "core/common/Clock.h"
#include "core/common/Money.h"
#include "core/common/NumberText.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/db/TableReads.h"
#include "core/project/ProjectTables.h"

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
