#include "FindInList.h"

#include "core/common/StatusCodes.h"

QString FindInListTitle(ListingKind kind)
{
    switch (kind) {
    case ListingKind::Vendors:
        return QStringLiteral("Find Vendor");
    case ListingKind::Items:
        return QStringLiteral("Find Item");
    case ListingKind::PurchaseOrders:
        return QStringLiteral("Find Order");
    case ListingKind::Invoices:
        return QStringLiteral("Find Sold");
    case ListingKind::Customers:
        return QStringLiteral("Find Customer");
    case ListingKind::Stock:
        return QStringLiteral("Find Stock");
    }
    return QString();
}

QString FindInListHelp(ListingKind kind)
{
    const auto help = [](const char* what) {
        return QStringLiteral("Fill in the following criteria for finding %1.").arg(QLatin1String(what));
    };
    switch (kind) {
    case ListingKind::Vendors:
        return help("a vendor");
    case ListingKind::Items:
        return help("an item");
    case ListingKind::PurchaseOrders:
        return help("an order");
    case ListingKind::Invoices:
        return help("a sold item");
    case ListingKind::Customers:
        return help("a customer");
    case ListingKind::Stock:
        return help("a stock entry");
    }
    return QString();
}

int FindInList(const QStringList& columnTexts, int selectedRow, const QString& searchText, Prompter& prompter)
{
    if (searchText.isEmpty()) {
        ReportErrorCode(prompter, Status::InvalidSearchString);
        return -1;
    }
    const QString wanted = searchText.toUpper();
    const auto scan = [&](qsizetype from) -> int {
        for (qsizetype row = from; row < columnTexts.size(); ++row) {
            if (columnTexts.at(row).toUpper().contains(wanted))
                return static_cast<int>(row);
        }
        return -1;
    };
    const qsizetype count = columnTexts.size();
    const qsizetype start = (selectedRow < 0 || selectedRow >= count - 1) ? 0 : selectedRow + 1;
    int hit = scan(start);
    if (hit < 0 && start > 0)
        hit = scan(0);
    if (hit < 0)
        ReportErrorCode(prompter, Status::NoMatchingEntry);
    return hit;
}
