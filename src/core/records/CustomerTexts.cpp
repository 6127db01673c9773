#include "CustomerTexts.h"

#include "core/common/RecordIds.h"
#include "core/db/Records.h"

namespace {

// The ID sits far to the right so that it stays out of sight in the list box.
constexpr int kEntryIdGap = 50;

} // namespace

QString CustomerCityLine(const CCustomersRec& customer)
{
    return QStringLiteral("%1, %2 %3").arg(customer.City, customer.State, customer.Zip);
}

QString CustomerSelectionEntry(const CCustomersRec& customer)
{
    const QString visible = customer.Company.isEmpty()
                                ? QStringLiteral("%1, %2").arg(customer.Last, customer.First)
                                : QStringLiteral("%1   %2, %3").arg(customer.Company, customer.Last, customer.First);
    return CustomerEntryText(visible + QString(kEntryIdGap, QLatin1Char(' ')), customer.ID);
}

QString CustomerSearchEntry(const CCustomersRec& customer)
{
    return QStringLiteral("%1 %2, %3").arg(customer.Company, customer.Last, customer.First);
}

qint32 CustomerEntryId(const QString& entry)
{
    const qsizetype hash = entry.lastIndexOf(QLatin1Char('#'));
    if (hash < 0)
        return NoSelection;
    bool ok = false;
    const qint32 id = QStringView(entry).mid(hash + 1).toInt(&ok);
    return ok ? id : NoSelection;
}

QString CustomerMissingMessage()
{
    return QStringLiteral("Unable to locate customer record.");
}
