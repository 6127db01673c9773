#include "ListCells.h"

#include "common/Money.h"

#include <limits>

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

bool isOriginLabel(qint32 origin)
{
    return origin == kStockOriginPurged || !StockOriginLabel(origin).isEmpty();
}

const DateTime& filledDate(const CPORow& row)
{
    static const DateTime none = DateTime::null();
    return row.Filled ? row.FilledDate : none;
}

} // namespace

int CompareListSortKeys(const ListSortKey& a, const ListSortKey& b)
{
    if (a.whole != b.whole)
        return a.whole < b.whole ? -1 : 1;
    if (a.real != b.real)
        return a.real < b.real ? -1 : 1;
    const int text = QString::compare(a.text, b.text, Qt::CaseInsensitive);
    return text < 0 ? -1 : (text > 0 ? 1 : 0);
}

qint64 FoldedTextPrefix(QStringView text)
{
    quint64 prefix = 0;
    for (qsizetype i = 0; i < 4; ++i)
        prefix = (prefix << 16) | (i < text.size() ? text.at(i).toCaseFolded().unicode() : 0u);
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

QString ListCellText(const CVendorsRow& row, int definitionIndex)
{
    switch (definitionIndex) {
    case 0:
        return FormatRecordId(row.ID);
    case 1:
        return row.Name;
    case 2:
        return row.Number;
    case 3:
        return row.Contact;
    case 4:
        return row.City;
    case 5:
        return row.State;
    case 6:
        return row.Zip;
    case 7:
        return row.Phone;
    case 8:
        return row.Fax;
    }
    return notUsed();
}

QString ListCellText(const CItemsRow& row, int definitionIndex)
{
    switch (definitionIndex) {
    case 0:
        return FormatRecordId(row.ID);
    case 1:
        return row.Name;
    case 2:
        return row.Number;
    case 3:
        return row.VendorName1;
    case 4:
        return FormatCurrency(row.Cost);
    case 5:
        return wholeText(row.Stocked);
    case 6:
        return wholeText(row.Ordered);
    case 7:
        return FormatCurrency(row.SellingPrice);
    }
    return notUsed();
}

QString ListCellText(const CPORow& row, int definitionIndex)
{
    switch (definitionIndex) {
    case 0:
        return FormatRecordId(row.Number);
    case 1:
        return dateText(row.Date);
    case 2:
        return row.VendorName;
    case 3:
        return dateText(row.RequiredDate);
    case 4:
        return dateText(filledDate(row));
    case 5:
        return row.Notes;
    }
    return notUsed();
}

QString ListCellText(const CSIRow& row, int definitionIndex)
{
    switch (definitionIndex) {
    case 0:
        return FormatRecordId(row.Number);
    case 1:
        return dateText(row.Date);
    case 2:
        return row.Company;
    case 3:
        return row.Last;
    case 4:
        return row.First;
    case 5:
        return row.Notes;
    }
    return notUsed();
}

QString ListCellText(const CCustomersRow& row, int definitionIndex)
{
    switch (definitionIndex) {
    case 0:
        return FormatRecordId(row.ID);
    case 1:
        return row.Company;
    case 2:
        return row.Last;
    case 3:
        return row.First;
    case 4:
        return row.Address;
    case 5:
        return row.City;
    case 6:
        return row.State;
    case 7:
        return row.Zip;
    case 8:
        return row.Phone;
    case 9:
        return row.EMail;
    }
    return notUsed();
}

QString ListCellText(const CStockRow& row, int definitionIndex)
{
    switch (definitionIndex) {
    case 0:
        return FormatRecordId(row.ID);
    case 1:
        return FormatRecordId(row.ItemID);
    case 2:
        return row.ItemName;
    case 3:
        return row.ItemNumber;
    case 4:
        return row.VendorName;
    case 5:
        return FormatCurrency(row.Cost);
    case 6:
        return wholeText(row.Quanity);
    case 7:
        return StockOriginText(row.Origin);
    case 8:
        return dateText(row.Date);
    }
    return notUsed();
}

ListSortKey ListSortKeyOf(const CVendorsRow& row, int definitionIndex)
{
    return definitionIndex == 0 ? wholeKey(row.ID) : textKey(ListCellText(row, definitionIndex));
}

ListSortKey ListSortKeyOf(const CItemsRow& row, int definitionIndex)
{
    switch (definitionIndex) {
    case 0:
        return wholeKey(row.ID);
    case 4:
        return moneyKey(row.Cost);
    case 5:
        return wholeKey(row.Stocked);
    case 6:
        return wholeKey(row.Ordered);
    case 7:
        return moneyKey(row.SellingPrice);
    }
    return textKey(ListCellText(row, definitionIndex));
}

ListSortKey ListSortKeyOf(const CPORow& row, int definitionIndex)
{
    switch (definitionIndex) {
    case 0:
        return wholeKey(row.Number);
    case 1:
        return dateKey(row.Date);
    case 3:
        return dateKey(row.RequiredDate);
    case 4:
        return dateKey(filledDate(row));
    }
    return textKey(ListCellText(row, definitionIndex));
}

ListSortKey ListSortKeyOf(const CSIRow& row, int definitionIndex)
{
    switch (definitionIndex) {
    case 0:
        return wholeKey(row.Number);
    case 1:
        return dateKey(row.Date);
    }
    return textKey(ListCellText(row, definitionIndex));
}

ListSortKey ListSortKeyOf(const CCustomersRow& row, int definitionIndex)
{
    return definitionIndex == 0 ? wholeKey(row.ID) : textKey(ListCellText(row, definitionIndex));
}

ListSortKey ListSortKeyOf(const CStockRow& row, int definitionIndex)
{
    switch (definitionIndex) {
    case 0:
        return wholeKey(row.ID);
    case 1:
        return wholeKey(row.ItemID);
    case 5:
        return moneyKey(row.Cost);
    case 6:
        return wholeKey(row.Quanity);
    case 7: {
        // Purchase-order numbers in numeric order, the origin labels after them.
        if (!isOriginLabel(row.Origin))
            return wholeKey(row.Origin);
        ListSortKey key;
        key.whole = std::numeric_limits<qint64>::max();
        key.text = StockOriginText(row.Origin);
        return key;
    }
    case 8:
        return dateKey(row.Date);
    }
    return textKey(ListCellText(row, definitionIndex));
}

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
