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

int FindInList(qsizetype count, const ListScan& scan, int selectedRow, const QString& searchText,
               Prompter& prompter)
{
    if (searchText.isEmpty()) {
        ReportErrorCode(prompter, Status::InvalidSearchString);
        return -1;
    }
    const QString wanted = searchText.toUpper();
    const auto matches = [&wanted](const QString& text) { return text.toUpper().contains(wanted); };
    const qsizetype start = (selectedRow < 0 || selectedRow >= count - 1) ? 0 : selectedRow + 1;
    qsizetype hit = scan(start, count, matches);
    // The second pass from the top stops where the first began.
    if (hit < 0 && start > 0)
        hit = scan(0, start, matches);
    if (hit < 0)
        ReportErrorCode(prompter, Status::NoMatchingEntry);
    return static_cast<int>(hit);
}
