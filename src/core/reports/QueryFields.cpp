#include "QueryFields.h"

#include "core/common/DateTime.h"

#include <QDate>

#include <array>

namespace {

using T = QueryFieldType;

QList<QueryField> fieldList(std::initializer_list<std::pair<const char*, QueryFieldType>> fields)
{
    QList<QueryField> out;
    for (const auto& [name, type] : fields)
        out.append(QueryField{QString::fromLatin1(name), type});
    return out;
}

const std::array<QList<QueryField>, kListingKindCount>& fieldTables()
{
    static const std::array<QList<QueryField>, kListingKindCount> tables = {
        fieldList({{"Name", T::Text},
                   {"Number", T::Text},
                   {"Contact", T::Text},
                   {"Street", T::Text},
                   {"City", T::Text},
                   {"State", T::Text},
                   {"Zip", T::Text},
                   {"Phone", T::Text},
                   {"Fax", T::Text},
                   {"Contact2", T::Text},
                   {"Street2", T::Text},
                   {"City2", T::Text},
                   {"State2", T::Text},
                   {"Zip2", T::Text},
                   {"Phone2", T::Text},
                   {"Fax2", T::Text}}),
        fieldList({{"Name", T::Text},
                   {"Number", T::Text},
                   {"VendorID1", T::Long},
                   {"VendorID2", T::Long},
                   {"Description", T::Text},
                   {"Cost", T::Currency},
                   {"SellingPrice", T::Currency},
                   {"TaxRate", T::Single},
                   {"Taxable", T::Boolean},
                   {"Stocked", T::Long},
                   {"Ordered", T::Long},
                   {"ReorderQuanity", T::Long},
                   {"ReorderLevel", T::Long}}),
        fieldList({{"Number", T::Long},
                   {"VendorID", T::Long},
                   {"Date", T::Date},
                   {"RequiredDate", T::Date},
                   {"Filled", T::Boolean},
                   {"TaxRate", T::Double}}),
        fieldList(
            {{"Number", T::Long}, {"CustomerID", T::Long}, {"Date", T::Date}, {"PayMethod", T::Integer}}),
        fieldList({{"Company", T::Text},
                   {"Last", T::Text},
                   {"First", T::Text},
                   {"Address", T::Text},
                   {"City", T::Text},
                   {"State", T::Text},
                   {"Zip", T::Text},
                   {"Phone", T::Text},
                   {"EMail", T::Text}}),
        fieldList({{"ItemID", T::Long},
                   {"OrderID", T::Long},
                   {"VendorID", T::Long},
                   {"Quanity", T::Long},
                   {"Cost", T::Currency},
                   {"Date", T::Date}}),
    };
    return tables;
}

// Listing codes in the order of the "Location" combo.
constexpr std::array<ListingKind, kListingKindCount> kLocationOrder = {
    ListingKind::Vendors, ListingKind::Items,    ListingKind::PurchaseOrders,
    ListingKind::Stock,   ListingKind::Invoices, ListingKind::Customers,
};

size_t slot(ListingKind listing)
{
    const int code = static_cast<int>(listing);
    return code >= 0 && code < kListingKindCount ? static_cast<size_t>(code) : 0;
}

} // namespace

const QList<QueryField>& QueryFieldsOf(ListingKind listing)
{
    return fieldTables()[slot(listing)];
}

int QueryFieldIndex(ListingKind listing, const QString& name)
{
    const QList<QueryField>& fields = QueryFieldsOf(listing);
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

QString ListingTableName(ListingKind listing)
{
    static const std::array<const char*, kListingKindCount> names = {"Vendors", "Items",     "PO",
                                                                     "SI",      "Customers", "Stock"};
    return QString::fromLatin1(names[slot(listing)]);
}

QStringList QueryLocationEntries()
{
    return {QStringLiteral("Vendors"), QStringLiteral("Items"),    QStringLiteral("Purchase Orders"),
            QStringLiteral("Stock"),   QStringLiteral("Invoices"), QStringLiteral("Customers")};
}

ListingKind ListingAtLocation(int comboIndex)
{
    if (comboIndex < 0 || comboIndex >= kListingKindCount)
        return ListingKind::Vendors;
    return kLocationOrder[static_cast<size_t>(comboIndex)];
}

int LocationIndexOf(ListingKind listing)
{
    for (size_t i = 0; i < kLocationOrder.size(); ++i) {
        if (kLocationOrder[i] == listing)
            return static_cast<int>(i);
    }
    return 0;
}

QStringList QueryOperatorPhrases()
{
    return {QStringLiteral("is equal to"),
            QStringLiteral("is less than"),
            QStringLiteral("is greater than"),
            QStringLiteral("is less than or equal to"),
            QStringLiteral("is greater than or equal to"),
            QStringLiteral("is not equal to")};
}

QString QueryOperatorSql(int index)
{
    static const std::array<const char*, kQueryOperatorCount> sql = {" = ",  " < ",  " > ",
                                                                     " <= ", " >= ", " != "};
    if (index < 0 || index >= kQueryOperatorCount)
        return QString();
    return QString::fromLatin1(sql[static_cast<size_t>(index)]);
}

std::optional<QString> QueryFormatHint(QueryFieldType type, const QLocale& locale)
{
    const QString prefix = QStringLiteral("Format : ");
    switch (type) {
    case QueryFieldType::Integer:
    case QueryFieldType::Long:
        return prefix + QStringLiteral("Simple Integer");
    case QueryFieldType::Text:
        return prefix + QStringLiteral("Simple Text");
    case QueryFieldType::Currency:
        return prefix + FormatCurrency(Money::fromWhole(10, 5700), locale);
    case QueryFieldType::Date:
        return prefix + DateTime::fromDate(QDate(1997, 5, 15)).formatShortDate(locale);
    case QueryFieldType::Boolean:
        return prefix + QStringLiteral("TRUE/FALSE");
    case QueryFieldType::Single:
    case QueryFieldType::Double:
        break;
    }
    return std::nullopt;
}
