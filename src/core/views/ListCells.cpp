#include "ListCells.h"

#include "core/common/FoldedText.h"
#include "core/common/Money.h"

#include <limits>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

QString notUsed()
{
    return QString::fromLatin1(kNotUsedCell);
}

QString wholeText(qint32 value)
{
    return QString::number(value);
}

QString dateText(const DateTime& date)
{
    return date.formatShortDate(UserLocale());
}

QVariant dateValue(const DateTime& date)
{
    return date.isValid() ? QVariant::fromValue(date) : QVariant();
}

QVariant moneyValue(const Money& amount)
{
    return amount.isValid() ? QVariant::fromValue(amount) : QVariant();
}

// A lot's origin as a value: the purchase order's number, or its label.
QVariant originValue(qint32 origin)
{
    if (origin != kStockOriginPurged && StockOriginLabel(origin).isEmpty())
        return QVariant(origin);
    return StockOriginText(origin);
}

ListSortKey wholeKey(qint64 value)
{
    ListSortKey key;
    key.whole = value;
    return key;
}

ListSortKey textKey(const QString& text)
{
    ListSortKey key;
    key.whole = FoldedTextPrefix(text);
    key.text = text;
    return key;
}

ListSortKey moneyKey(const Money& amount)
{
    // An amount that cannot be shown shows as an empty cell, the smallest of all.
    return wholeKey(amount.isValid() ? amount.tenThousandths() : std::numeric_limits<qint64>::min());
}

ListSortKey dateKey(const DateTime& date)
{
    ListSortKey key;
    key.real = date.isValid() ? date.days() : std::numeric_limits<double>::lowest();
    return key;
}

ListSortKey originKey(qint32 origin)
{
    // Purchase-order numbers in numeric order, the origin labels after them.
    if (origin != kStockOriginPurged && StockOriginLabel(origin).isEmpty())
        return wholeKey(origin);
    ListSortKey key;
    key.whole = std::numeric_limits<qint64>::max();
    key.text = StockOriginText(origin);
    return key;
}

const DateTime& filledDate(const CPORow& row)
{
    static const DateTime none = DateTime::null();
    return row.Filled ? row.FilledDate : none;
}

// One column of a list: its cell's text, what the cell sorts by and the
// typed value behind the text.
template <typename Row> struct Column
{
    QString (*text)(const Row&);
    ListSortKey (*key)(const Row&);
    QVariant (*value)(const Row&);
};

// A column that shows and sorts a field of the row as the field's type does.
template <auto Field> struct FieldColumn
{
    template <typename Row> operator Column<Row>() const
    {
        using Type = std::remove_cvref_t<decltype(std::declval<const Row&>().*Field)>;
        if constexpr (std::is_same_v<Type, QString>)
            return {[](const Row& row) { return row.*Field; },
                    [](const Row& row) { return textKey(row.*Field); },
                    [](const Row& row) { return QVariant(row.*Field); }};
        else if constexpr (std::is_same_v<Type, Money>)
            return {[](const Row& row) { return FormatCurrency(row.*Field); },
                    [](const Row& row) { return moneyKey(row.*Field); },
                    [](const Row& row) { return moneyValue(row.*Field); }};
        else if constexpr (std::is_same_v<Type, DateTime>)
            return {[](const Row& row) { return dateText(row.*Field); },
                    [](const Row& row) { return dateKey(row.*Field); },
                    [](const Row& row) { return dateValue(row.*Field); }};
        else
            return {[](const Row& row) { return wholeText(row.*Field); },
                    [](const Row& row) { return wholeKey(row.*Field); },
                    [](const Row& row) { return QVariant(row.*Field); }};
    }
};
template <auto Field> constexpr FieldColumn<Field> field{};

// A record ID or document number: shown padded, sorted as a number.
template <auto Field> struct RecordIdColumn
{
    template <typename Row> operator Column<Row>() const
    {
        return {[](const Row& row) { return FormatRecordId(row.*Field); },
                [](const Row& row) { return wholeKey(row.*Field); },
                [](const Row& row) { return QVariant(row.*Field); }};
    }
};
template <auto Field> constexpr RecordIdColumn<Field> recordId{};

// The kinds' columns in definition order.
template <typename Row> extern const std::vector<Column<Row>> kColumns;

template <>
const std::vector<Column<CVendorsRow>> kColumns<CVendorsRow> = {
    recordId<&CVendorsRow::ID>,   field<&CVendorsRow::Name>,  field<&CVendorsRow::Number>,
    field<&CVendorsRow::Contact>, field<&CVendorsRow::City>,  field<&CVendorsRow::State>,
    field<&CVendorsRow::Zip>,     field<&CVendorsRow::Phone>, field<&CVendorsRow::Fax>,
};

template <>
const std::vector<Column<CItemsRow>> kColumns<CItemsRow> = {
    recordId<&CItemsRow::ID>,       field<&CItemsRow::Name>,         field<&CItemsRow::Number>,
    field<&CItemsRow::VendorName1>, field<&CItemsRow::Cost>,         field<&CItemsRow::Stocked>,
    field<&CItemsRow::Ordered>,     field<&CItemsRow::SellingPrice>,
};

template <>
const std::vector<Column<CPORow>> kColumns<CPORow> = {
    recordId<&CPORow::Number>,
    field<&CPORow::Date>,
    field<&CPORow::VendorName>,
    field<&CPORow::RequiredDate>,
    {[](const CPORow& row) { return dateText(filledDate(row)); },
     [](const CPORow& row) { return dateKey(filledDate(row)); },
     [](const CPORow& row) { return dateValue(filledDate(row)); }},
    field<&CPORow::Notes>,
};

template <>
const std::vector<Column<CSIRow>> kColumns<CSIRow> = {
    recordId<&CSIRow::Number>, field<&CSIRow::Date>,  field<&CSIRow::Company>,
    field<&CSIRow::Last>,      field<&CSIRow::First>, field<&CSIRow::Notes>,
};

template <>
const std::vector<Column<CCustomersRow>> kColumns<CCustomersRow> = {
    recordId<&CCustomersRow::ID>, field<&CCustomersRow::Company>, field<&CCustomersRow::Last>,
    field<&CCustomersRow::First>, field<&CCustomersRow::Address>, field<&CCustomersRow::City>,
    field<&CCustomersRow::State>, field<&CCustomersRow::Zip>,     field<&CCustomersRow::Phone>,
    field<&CCustomersRow::EMail>,
};

template <>
const std::vector<Column<CStockRow>> kColumns<CStockRow> = {
    recordId<&CStockRow::ID>,
    recordId<&CStockRow::ItemID>,
    field<&CStockRow::ItemName>,
    field<&CStockRow::ItemNumber>,
    field<&CStockRow::VendorName>,
    field<&CStockRow::Cost>,
    field<&CStockRow::Quanity>,
    {[](const CStockRow& row) { return StockOriginText(row.Origin); },
     [](const CStockRow& row) { return originKey(row.Origin); },
     [](const CStockRow& row) { return originValue(row.Origin); }},
    field<&CStockRow::Date>,
};

template <typename Row> const Column<Row>* columnAt(int definitionIndex)
{
    const std::vector<Column<Row>>& columns = kColumns<Row>;
    if (definitionIndex < 0 || static_cast<size_t>(definitionIndex) >= columns.size())
        return nullptr;
    return &columns[static_cast<size_t>(definitionIndex)];
}

} // namespace

int CompareListSortKeys(const ListSortKey& a, const ListSortKey& b)
{
    if (a.whole != b.whole)
        return a.whole < b.whole ? -1 : 1;
    if (a.real != b.real)
        return a.real < b.real ? -1 : 1;
    return CompareFoldedText(a.text, b.text);
}

qint64 FoldedTextPrefix(QStringView text)
{
    quint64 prefix = 0;
    for (qsizetype i = 0; i < 4; ++i)
        prefix = (prefix << 16) | (i < text.size() ? FoldedUnit(text.at(i)).unicode() : 0u);
    // The sign bit flipped: the signed comparison keeps the units' unsigned order.
    return static_cast<qint64>(prefix ^ (quint64(1) << 63));
}

QString StockOriginText(qint32 origin)
{
    if (origin == kStockOriginPurged)
        return QStringLiteral("Purged");
    const QString label = StockOriginLabel(origin);
    return label.isEmpty() ? wholeText(origin) : label;
}

template <typename Row> QString ListCellText(const Row& row, int definitionIndex)
{
    const Column<Row>* column = columnAt<Row>(definitionIndex);
    return column ? column->text(row) : notUsed();
}

template <typename Row> ListSortKey ListSortKeyOf(const Row& row, int definitionIndex)
{
    const Column<Row>* column = columnAt<Row>(definitionIndex);
    return column ? column->key(row) : textKey(notUsed());
}

template <typename Row> QVariant ListCellValue(const Row& row, int definitionIndex)
{
    const Column<Row>* column = columnAt<Row>(definitionIndex);
    return column ? column->value(row) : QVariant();
}

template QString ListCellText(const CVendorsRow&, int);
template ListSortKey ListSortKeyOf(const CVendorsRow&, int);
template QVariant ListCellValue(const CVendorsRow&, int);
template QString ListCellText(const CItemsRow&, int);
template ListSortKey ListSortKeyOf(const CItemsRow&, int);
template QVariant ListCellValue(const CItemsRow&, int);
template QString ListCellText(const CPORow&, int);
template ListSortKey ListSortKeyOf(const CPORow&, int);
template QVariant ListCellValue(const CPORow&, int);
template QString ListCellText(const CSIRow&, int);
template ListSortKey ListSortKeyOf(const CSIRow&, int);
template QVariant ListCellValue(const CSIRow&, int);
template QString ListCellText(const CCustomersRow&, int);
template ListSortKey ListSortKeyOf(const CCustomersRow&, int);
template QVariant ListCellValue(const CCustomersRow&, int);
template QString ListCellText(const CStockRow&, int);
template ListSortKey ListSortKeyOf(const CStockRow&, int);
template QVariant ListCellValue(const CStockRow&, int);

RowCondition ListRowCondition(const CVendorsRow&)
{
    return RowCondition::None;
}

RowCondition ListRowCondition(const CItemsRow& row)
{
    return row.Stocked <= row.ReorderLevel ? RowCondition::StockLow : RowCondition::None;
}

RowCondition ListRowCondition(const CPORow& row)
{
    return row.Filled ? RowCondition::Filled : RowCondition::None;
}

RowCondition ListRowCondition(const CSIRow&)
{
    return RowCondition::None;
}

RowCondition ListRowCondition(const CCustomersRow& row)
{
    return row.Notes.isEmpty() ? RowCondition::None : RowCondition::Notes;
}

RowCondition ListRowCondition(const CStockRow&)
{
    return RowCondition::None;
}

qint32 ListIdOf(const CVendorsRow& row)
{
    return row.ID;
}

qint32 ListIdOf(const CItemsRow& row)
{
    return row.ID;
}

qint32 ListIdOf(const CPORow& row)
{
    return row.Number;
}

qint32 ListIdOf(const CSIRow& row)
{
    return row.Number;
}

qint32 ListIdOf(const CCustomersRow& row)
{
    return row.ID;
}

qint32 ListIdOf(const CStockRow& row)
{
    return row.ID;
}

bool ListRowRefersTo(const CVendorsRow&, ListingKind, const QSet<qint32>&)
{
    return false;
}

bool ListRowRefersTo(const CItemsRow& row, ListingKind kind, const QSet<qint32>& ids)
{
    return kind == ListingKind::Vendors && (ids.contains(row.VendorID1) || ids.contains(row.VendorID2));
}

bool ListRowRefersTo(const CPORow& row, ListingKind kind, const QSet<qint32>& ids)
{
    return kind == ListingKind::Vendors && ids.contains(row.VendorID);
}

bool ListRowRefersTo(const CSIRow& row, ListingKind kind, const QSet<qint32>& ids)
{
    return kind == ListingKind::Customers && ids.contains(row.CustomerID);
}

bool ListRowRefersTo(const CCustomersRow&, ListingKind, const QSet<qint32>&)
{
    return false;
}

bool ListRowRefersTo(const CStockRow& row, ListingKind kind, const QSet<qint32>& ids)
{
    return (kind == ListingKind::Vendors && ids.contains(row.VendorID)) ||
           (kind == ListingKind::Items && ids.contains(row.ItemID));
}
