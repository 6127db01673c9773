#include "core/stats/StatisticFields.h"

#include "core/db/Records.h"
#include "core/db/Schema.h"
#include "core/project/Statistic.h"

namespace {

// Fields that identify records rather than measure anything.
bool IsIdentifier(const QString& name)
{
    static const QStringList kIdentifiers = {
        QStringLiteral("ID"),          QStringLiteral("ItemID"),    QStringLiteral("VendorID"),
        QStringLiteral("VendorID1"),   QStringLiteral("VendorID2"), QStringLiteral("OrderID"),
        QStringLiteral("BackOrderID"), QStringLiteral("StockID"),   QStringLiteral("CustomerID"),
    };
    return kIdentifiers.contains(name);
}

bool IsNumeric(FieldKind kind)
{
    return kind == FieldKind::Long || kind == FieldKind::Single || kind == FieldKind::Double ||
           kind == FieldKind::Currency;
}

template <typename Rec>
StatisticListing Make(qint32 code, const char* combo, const char* view, const char* dateField,
                      QList<StatisticField> fromItem = {})
{
    StatisticListing listing;
    listing.code = code;
    listing.comboText = QString::fromLatin1(combo);
    listing.viewName = QString::fromLatin1(view);
    listing.table = QString::fromLatin1(Rec::kTable);
    listing.dateField = QString::fromLatin1(dateField);
    for (const FieldDef& def : FieldsOf<Rec>())
        listing.fields.append(StatisticField{QString::fromLatin1(def.name), def.kind, false});
    listing.fields.append(fromItem);
    return listing;
}

} // namespace

const StatisticField* StatisticListing::field(const QString& name) const
{
    const int index = fieldIndex(name);
    return index < 0 ? nullptr : &fields.at(index);
}

int StatisticListing::fieldIndex(const QString& name) const
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).name == name)
            return i;
    }
    return -1;
}

QStringList StatisticListing::operandFields() const
{
    QStringList names;
    for (const StatisticField& f : fields) {
        if (IsNumeric(f.kind) && !IsIdentifier(f.name))
            names.append(f.name);
    }
    return names;
}

const QList<StatisticListing>& StatisticListings()
{
    static const QList<StatisticListing> listings = {
        Make<CItemsRec>(CStatistic::ListingItems, "Items", "Item", ""),
        Make<COrderRec>(CStatistic::ListingOrders, "Orders", "Orders", "Date",
                        {StatisticField{QStringLiteral("Cost"), FieldKind::Currency, true}}),
        Make<CStockRec>(CStatistic::ListingStock, "Stock", "Stock", "Date"),
        Make<CSalesRec>(CStatistic::ListingSales, "Sales", "Sales", "Date",
                        {StatisticField{QStringLiteral("TaxRate"), FieldKind::Single, true}}),
        Make<CReceivedRec>(CStatistic::ListingReceived, "Received Orders", "Received Orders", "ReceiveDate"),
    };
    return listings;
}

const StatisticListing* StatisticListingByCode(qint32 code)
{
    const int index = StatisticListingIndex(code);
    return index < 0 ? nullptr : &StatisticListings().at(index);
}

int StatisticListingIndex(qint32 code)
{
    const QList<StatisticListing>& listings = StatisticListings();
    for (int i = 0; i < listings.size(); ++i) {
        if (listings.at(i).code == code)
            return i;
    }
    return -1;
}
