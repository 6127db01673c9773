#include "ListOrder.h"

#include "ListCells.h"
#include "core/db/Dialect.h"
#include "core/db/Records.h"

namespace {

QString column(const char* name)
{
    return QStringLiteral("r.") + SqlName(QString::fromLatin1(name));
}

// A text cell is never NULL in the list: a missing text shows empty.
QString text(const QString& expression)
{
    return SqlFolded(QStringLiteral("IFNULL(%1, '')").arg(expression));
}

// Whole numbers read a NULL as 0, as the row does.
QString whole(const QString& expression)
{
    return QStringLiteral("IFNULL(%1, 0)").arg(expression);
}

ListOrderKey own(const QString& part)
{
    return {QString(), {part}, false, QString()};
}

ListOrderKey indexed(const QString& part, const QString& index)
{
    return {QString(), {part}, true, index};
}

// A name of the record a row refers to, empty when that record is gone.
ListOrderKey joined(const char* table, const char* alias, const char* reference, const char* field)
{
    const QString a = QString::fromLatin1(alias);
    return {QStringLiteral(" LEFT JOIN %1 %2 ON %2.\"ID\" = %3")
                .arg(SqlName(QString::fromLatin1(table)), a, column(reference)),
            {text(a + QLatin1Char('.') + SqlName(QString::fromLatin1(field)))},
            false,
            QString()};
}

// A stock lot's origin: the number of the purchase order it was received
// against, or a code whose label it shows ("Purged" when that order is gone).
// Numbers come first in numeric order, then the labels in text order.
ListOrderKey stockOrigin()
{
    const QString origin =
        QStringLiteral("(CASE WHEN r.\"OrderID\" > 0 THEN (CASE WHEN p.\"ID\" IS NULL THEN %1 ELSE "
                       "IFNULL(p.\"Number\", 0) END) ELSE IFNULL(r.\"OrderID\", 0) END)")
            .arg(kStockOriginPurged);
    QString labels;
    QStringList codes;
    for (const qint32 code : {qint32(StockInitial), qint32(StockCustomerReturn), qint32(StockOther),
                              kStockOriginPurged}) {
        codes << QString::number(code);
        labels += QStringLiteral(" WHEN %1 THEN %2").arg(code).arg(SqlTextLiteral(StockOriginText(code)));
    }
    const QString labelled = QStringLiteral("%1 IN (%2)").arg(origin, codes.join(QLatin1Char(',')));
    return {QStringLiteral(" LEFT JOIN \"PO\" p ON r.\"OrderID\" > 0 AND p.\"ID\" = r.\"POID\""),
            {QStringLiteral("(CASE WHEN %1 THEN 1 ELSE 0 END)").arg(labelled),
             QStringLiteral("(CASE WHEN %1 THEN NULL ELSE %2 END)").arg(labelled, origin),
             SqlFolded(QStringLiteral("(CASE %1%2 END)").arg(origin, labels))},
            false,
            QString()};
}

} // namespace

QString ListTable(ListingKind kind)
{
    switch (kind) {
    case ListingKind::Vendors:
        return QString::fromLatin1(CVendorsRec::kTable);
    case ListingKind::Items:
        return QString::fromLatin1(CItemsRec::kTable);
    case ListingKind::PurchaseOrders:
        return QString::fromLatin1(CPORec::kTable);
    case ListingKind::Invoices:
        return QString::fromLatin1(CSIRec::kTable);
    case ListingKind::Customers:
        return QString::fromLatin1(CCustomersRec::kTable);
    case ListingKind::Stock:
        break;
    }
    return QString::fromLatin1(CStockRec::kTable);
}

ListOrderKey ListOrderFor(ListingKind kind, int definitionIndex)
{
    const QString id = column("ID");
    switch (kind) {
    case ListingKind::Vendors: {
        static const char* const fields[] = {"ID", "Name", "Number", "Contact", "City", "State", "Zip", "Phone", "Fax"};
        if (definitionIndex <= 0 || definitionIndex >= int(std::size(fields)))
            return indexed(id, QString());
        return own(text(column(fields[definitionIndex])));
    }
    case ListingKind::Items:
        switch (definitionIndex) {
        case 1:
            return own(text(column("Name")));
        case 2:
            return own(text(column("Number")));
        case 3:
            return joined("Vendors", "v", "VendorID1", "Name");
        case 4:
            return indexed(column("Cost"), QStringLiteral("ix_Items_Cost"));
        case 5:
            return own(whole(column("Stocked")));
        case 6:
            return own(whole(column("Ordered")));
        case 7:
            return own(column("SellingPrice"));
        default:
            return indexed(id, QString());
        }
    case ListingKind::PurchaseOrders:
        switch (definitionIndex) {
        case 1:
            return indexed(column("Date"), QStringLiteral("ix_PO_Date"));
        case 2:
            return joined("Vendors", "v", "VendorID", "Name");
        case 3:
            return own(column("RequiredDate"));
        case 4:
            // An order that is not filled shows no fill date.
            return own(QStringLiteral("(CASE WHEN IFNULL(r.\"Filled\", 0) <> 0 THEN r.\"FilledDate\" END)"));
        case 5:
            return own(text(column("Notes")));
        default:
            return indexed(column("Number"), QStringLiteral("ix_PO_Number"));
        }
    case ListingKind::Invoices:
        switch (definitionIndex) {
        case 1:
            return indexed(column("Date"), QStringLiteral("ix_SI_Date"));
        case 2:
            return joined("Customers", "c", "CustomerID", "Company");
        case 3:
            return joined("Customers", "c", "CustomerID", "Last");
        case 4:
            return joined("Customers", "c", "CustomerID", "First");
        case 5:
            return own(text(column("Notes")));
        default:
            return indexed(column("Number"), QStringLiteral("ix_SI_Number"));
        }
    case ListingKind::Customers: {
        static const char* const fields[] = {"ID",   "Company", "Last", "First", "Address",
                                             "City", "State",   "Zip",  "Phone", "EMail"};
        if (definitionIndex <= 0 || definitionIndex >= int(std::size(fields)))
            return indexed(id, QString());
        return own(text(column(fields[definitionIndex])));
    }
    case ListingKind::Stock:
        break;
    }
    switch (definitionIndex) {
    case 1:
        return indexed(column("ItemID"), QStringLiteral("ix_Stock_ItemID_Date"));
    case 2:
        return joined("Items", "i", "ItemID", "Name");
    case 3:
        return joined("Items", "i", "ItemID", "Number");
    case 4:
        return joined("Vendors", "v", "VendorID", "Name");
    case 5:
        return indexed(column("Cost"), QStringLiteral("ix_Stock_Cost_Date"));
    case 6:
        return own(whole(column("Quanity")));
    case 7:
        return stockOrigin();
    case 8:
        return indexed(column("Date"), QStringLiteral("ix_Stock_Date"));
    default:
        return indexed(id, QString());
    }
}

ListTieBreak ListReadOrder(ListingKind kind, bool lifo)
{
    if (kind == ListingKind::Stock)
        return {{column("Date"), column("ID")}, lifo};
    return {{column("ID")}, false};
}
