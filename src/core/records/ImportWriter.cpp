#include "ImportWriter.h"

#include "core/common/Clock.h"
#include "core/db/ProjectDatabase.h"
#include "core/db/TableReads.h"
#include "core/project/ProjectTables.h"

namespace {

// How many refused records the report names one by one.
constexpr qsizetype kNamedRefusals = 10;

DateTime Today(const Clock& clock)
{
    QDate date = clock.now().date();
    if (date.year() < 500)
        date = date.addYears(1900);
    return DateTime::fromDate(date);
}

} // namespace

ImportWriter::ImportWriter(ProjectTables& tables, const Clock& clock)
    : m_tables(tables), m_today(Today(clock))
{
}

void ImportWriter::note(ListingKind kind, qint32 id)
{
    // A full list takes no more IDs, and asking it costs a scan of all it holds.
    if (m_changes.ids(kind).size() < ChangeList::kMaxPerKind)
        m_changes.add(kind, id);
}

bool ImportWriter::failed(const QString& error)
{
    m_lastError = error;
    return false;
}

QString ImportWriter::nameKey(const QString& name)
{
    // The Name column compares ASCII letters without regard to case and every
    // other character exactly; the map must find what a query would.
    QString key = name;
    for (QChar& c : key) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return key;
}

bool ImportWriter::loadVendorNames()
{
    m_vendorsByName.clear();
    QString error;
    const auto vendors =
        ReadIdAndColumn(m_tables.database(), QStringLiteral("Vendors"), QStringLiteral("Name"), &error);
    if (!vendors)
        return failed(error);
    // In ID order, so the first of several namesakes is the one found.
    for (const auto& [id, name] : *vendors) {
        const QString key = nameKey(name.toString());
        if (!m_vendorsByName.contains(key))
            m_vendorsByName.insert(key, id);
    }
    return true;
}

qint32 ImportWriter::vendorByName(const QString& name) const
{
    return m_vendorsByName.value(nameKey(name), NoID);
}

bool ImportWriter::addVendor(CVendorsRec& vendor)
{
    vendor.ID = 0;
    if (!m_tables.vendors().RecordAdd(vendor))
        return failed(m_tables.vendors().lastError());
    const QString key = nameKey(vendor.Name);
    if (!m_vendorsByName.contains(key))
        m_vendorsByName.insert(key, vendor.ID);
    note(ListingKind::Vendors, vendor.ID);
    return true;
}

bool ImportWriter::overwriteVendor(const CVendorsRec& vendor)
{
    if (!m_tables.vendors().RecordModify(vendor))
        return failed(m_tables.vendors().lastError());
    note(ListingKind::Vendors, vendor.ID);
    return true;
}

std::optional<qint32> ImportWriter::findOrAddVendor(const QString& name)
{
    const qint32 id = vendorByName(name);
    if (id != NoID)
        return id;
    CVendorsRec vendor;
    vendor.Name = name;
    if (!addVendor(vendor))
        return std::nullopt;
    return vendor.ID;
}

bool ImportWriter::addItemWithLot(CItemsRec& item, qint32 quantity)
{
    item.ID = 0;
    item.Stocked = quantity;
    item.Ordered = 0;
    if (!m_tables.items().RecordAdd(item))
        return failed(m_tables.items().lastError());
    CStockRec lot;
    lot.ItemID = item.ID;
    lot.VendorID = item.VendorID1;
    lot.OrderID = StockInitial;
    lot.POID = StockInitial;
    lot.Quanity = quantity;
    lot.Cost = item.Cost;
    lot.Date = m_today;
    if (!m_tables.stock().RecordAdd(lot))
        return failed(m_tables.stock().lastError());
    note(ListingKind::Items, item.ID);
    note(ListingKind::Stock, lot.ID);
    return true;
}

bool ImportWriter::addItem(CItemsRec& item, qint32 quantity)
{
    if (quantity > 0)
        return addItemWithLot(item, quantity);
    item.ID = 0;
    item.Stocked = 0;
    item.Ordered = 0;
    if (!m_tables.items().RecordAdd(item))
        return failed(m_tables.items().lastError());
    note(ListingKind::Items, item.ID);
    return true;
}

bool ImportWriter::addCustomer(CCustomersRec& customer)
{
    customer.ID = 0;
    if (!m_tables.customers().RecordAdd(customer))
        return failed(m_tables.customers().lastError());
    note(ListingKind::Customers, customer.ID);
    return true;
}

bool ImportWriter::isSoundAmount(Money amount)
{
    const Money largest = Money::fromWhole(kLargestAmountUnits);
    return amount.isValid() && amount <= largest && amount >= -largest;
}

bool ImportWriter::isSound(const CItemsRec& item, qint32 quantity)
{
    return isSoundAmount(item.Cost) && isSoundAmount(item.SellingPrice) && isSoundCount(quantity) &&
           isSoundCount(item.ReorderQuanity) && isSoundCount(item.ReorderLevel) && qIsFinite(item.TaxRate) &&
           textsFit(item);
}

void ImportWriter::refuse(const QString& label)
{
    if (m_refused.size() < kNamedRefusals)
        m_refused.append(label);
    ++m_refusedCount;
}

QString ImportWriter::refusalReport() const
{
    if (m_refusedCount == 0)
        return QString();
    QString names = m_refused.join(QStringLiteral(", "));
    if (m_refusedCount > m_refused.size())
        names += QStringLiteral(" and %1 more").arg(m_refusedCount - m_refused.size());
    if (m_refusedCount == 1)
        return QStringLiteral("1 damaged record was left out of the import: %1.").arg(names);
    return QStringLiteral("%1 damaged records were left out of the import: %2.")
        .arg(m_refusedCount)
        .arg(names);
}
