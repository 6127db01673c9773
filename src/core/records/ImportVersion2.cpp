#include "ImportVersion2.h"

#include "ImportVersion2File.h"
#include "ImportWriter.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace {

using File = ImportVersion2File;

// Reads every record of a file and hands it to `importRecord` (record bytes,
// record number), all in one transaction that is committed only when the whole
// file was read and every write succeeded.
template <typename Fn>
bool ImportFile(ProjectTables& tables, ImportWriter& writer, const QString& path, int recordLength,
                bool findsVendors, Fn importRecord)
{
    File file(recordLength);
    if (!file.open(path))
        return false;
    Transaction transaction(tables.database());
    if (!transaction.isActive() || (findsVendors && !writer.loadVendorNames()))
        return false;
    while (const char* record = file.next()) {
        if (!importRecord(record, file.recordNumber()))
            return false;
    }
    return !file.failed() && transaction.commit();
}

QString RecordLabel(qint64 number)
{
    return QStringLiteral("record %1").arg(number);
}

// The amount of a stored double as the file's own program showed it: rounded to
// cents ("%.2f"). Nothing for a value no amount can have.
std::optional<Money> FileAmount(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(ImportWriter::kLargestAmountUnits))
        return std::nullopt;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    qint64 cents = 0;
    bool negative = false;
    for (const char* c = text; *c; ++c) {
        if (*c == '-')
            negative = true;
        else if (*c >= '0' && *c <= '9')
            cents = cents * 10 + (*c - '0');
    }
    return Money::fromTenThousandths((negative ? -cents : cents) * (Money::kScale / 100));
}

// A stored double truncated to a whole count; nothing for one no count can have.
std::optional<qint32> FileCount(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double whole = std::trunc(value);
    if (whole < 0.0 || whole > ImportWriter::kLargestCount)
        return std::nullopt;
    return static_cast<qint32>(whole);
}

CVendorsRec DecodeVendor(const char* r)
{
    CVendorsRec v;
    v.Name = File::text(r, 0, 50);
    v.Number = File::text(r, 50, 35);
    v.Contact = File::text(r, 85, 25);
    v.Phone = File::text(r, 110, 25);
    v.Street = File::text(r, 135, 25);
    v.City = File::text(r, 160, 25);
    v.State = File::text(r, 185, 5);
    v.Zip = File::text(r, 190, 15);
    v.Fax = File::text(r, 205, 25);
    v.Contact2 = File::text(r, 230, 25);
    v.Phone2 = File::text(r, 255, 25);
    v.Street2 = File::text(r, 280, 25);
    v.City2 = File::text(r, 305, 25);
    v.State2 = File::text(r, 330, 5);
    v.Zip2 = File::text(r, 335, 15);
    v.Fax2 = File::text(r, 350, 25);
    return v;
}

struct FileItem
{
    CItemsRec item;
    QString vendor1, vendor2;
    qint32 quantity = 0;
};

// Nothing when the record cannot be a sound item: no name, no primary vendor,
// or a number no amount or count can have.
std::optional<FileItem> DecodeItem(const char* r)
{
    FileItem f;
    f.item.Name = File::text(r, 0, 20);
    f.item.Number = File::text(r, 20, 20);
    f.item.Description = File::text(r, 40, 50);
    f.vendor1 = File::text(r, 90, 32);
    f.vendor2 = File::text(r, 122, 32);
    const std::optional<Money> cost = FileAmount(File::number(r, 160));
    const std::optional<Money> price = FileAmount(File::number(r, 168));
    const std::optional<qint32> reorderQuantity = FileCount(File::number(r, 184));
    const std::optional<qint32> reorderLevel = FileCount(File::number(r, 192));
    const std::optional<qint32> quantity = FileCount(File::number(r, 208));
    if (f.item.Name.isEmpty() || f.vendor1.isEmpty() || !cost || !price || !reorderQuantity ||
        !reorderLevel || !quantity)
        return std::nullopt;
    f.item.Cost = *cost;
    f.item.SellingPrice = *price;
    f.item.ReorderQuanity = *reorderQuantity;
    f.item.ReorderLevel = *reorderLevel;
    f.item.CategoryID = 0;
    f.item.Taxable = false;
    f.item.TaxRate = 0.0f;
    f.quantity = *quantity;
    return f;
}

CCustomersRec DecodeCustomer(const char* r)
{
    CCustomersRec c;
    c.Last = File::text(r, 0, 20);
    c.First = File::text(r, 20, 20);
    c.Address = File::text(r, 40, 40);
    c.City = File::text(r, 80, 20);
    c.State = File::text(r, 100, 3);
    c.Zip = File::text(r, 103, 12);
    c.Phone = File::text(r, 115, 20);
    return c;
}

} // namespace

ImportVersion2::ImportVersion2(ProjectTables& tables, ImportWriter& writer)
    : m_tables(tables), m_writer(writer)
{
}

bool ImportVersion2::importVendors(const QString& path)
{
    return ImportFile(
        m_tables, m_writer, path, kVendorRecordLength, true, [this](const char* r, qint64 number) {
            CVendorsRec vendor = DecodeVendor(r);
            // A vendor is known by its name; one without a name cannot be told apart.
            if (vendor.Name.isEmpty()) {
                m_writer.refuse(RecordLabel(number));
                return true;
            }
            vendor.ID = m_writer.vendorByName(vendor.Name);
            return vendor.ID == NoID ? m_writer.addVendor(vendor) : m_writer.overwriteVendor(vendor);
        });
}

bool ImportVersion2::importItems(const QString& path)
{
    return ImportFile(m_tables, m_writer, path, kItemRecordLength, true,
                      [this](const char* r, qint64 number) {
                          std::optional<FileItem> f = DecodeItem(r);
                          if (!f) {
                              m_writer.refuse(RecordLabel(number));
                              return true;
                          }
                          const std::optional<qint32> vendor1 = m_writer.findOrAddVendor(f->vendor1);
                          if (!vendor1)
                              return false;
                          f->item.VendorID1 = f->item.VendorID2 = *vendor1;
                          if (!f->vendor2.isEmpty()) {
                              const std::optional<qint32> vendor2 = m_writer.findOrAddVendor(f->vendor2);
                              if (!vendor2)
                                  return false;
                              f->item.VendorID2 = *vendor2;
                          }
                          return m_writer.addItemWithLot(f->item, f->quantity);
                      });
}

bool ImportVersion2::importCustomers(const QString& path)
{
    return ImportFile(m_tables, m_writer, path, kCustomerRecordLength, false, [this](const char* r, qint64) {
        CCustomersRec customer = DecodeCustomer(r);
        return m_writer.addCustomer(customer);
    });
}
