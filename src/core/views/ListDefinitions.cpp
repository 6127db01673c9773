#include "ListDefinitions.h"

#include <array>

namespace {

constexpr ColumnJustification kLeft = ColumnJustification::Left;
constexpr ColumnJustification kRight = ColumnJustification::Right;

ListColumnDefinition column(const char* caption, ColumnJustification justification = kLeft)
{
    return ListColumnDefinition{QString::fromLatin1(caption), justification};
}

std::array<QList<ListColumnDefinition>, kListingKindCount> buildDefinitions()
{
    std::array<QList<ListColumnDefinition>, kListingKindCount> all;
    all[static_cast<size_t>(ListingKind::Vendors)] = {
        column("Vendor ID"), column("Vendor Name"), column("Vendor Number"), column("Primary Contact"),
        column("City"),      column("State"),       column("Zip"),           column("Phone"),
        column("Fax"),
    };
    all[static_cast<size_t>(ListingKind::Items)] = {
        column("Item ID"),         column("Item Name"),
        column("Item Number"),     column("Primary Vendor"),
        column("Cost", kRight),    column("Stocked", kRight),
        column("Ordered", kRight), column("Selling Price", kRight),
    };
    all[static_cast<size_t>(ListingKind::PurchaseOrders)] = {
        column("PO Number"), column("Date"),   column("Vendor Name"),
        column("Required"),  column("Filled"), column("PO Note"),
    };
    all[static_cast<size_t>(ListingKind::Invoices)] = {
        column("Invoice Number"), column("Date"),       column("Company"),
        column("Last Name"),      column("First Name"), column("Note"),
    };
    all[static_cast<size_t>(ListingKind::Customers)] = {
        column("Customer ID"), column("Company"), column("Last Name"), column("First Name"),
        column("Address"),     column("City"),    column("State"),     column("Zip"),
        column("Phone"),       column("e-mail"),
    };
    all[static_cast<size_t>(ListingKind::Stock)] = {
        column("Stock ID"),         column("Item ID"),     column("Item Name"),
        column("Item Number"),      column("Vendor Name"), column("Cost", kRight),
        column("Quantity", kRight), column("PO Number"),   column("Stock Date"),
    };
    return all;
}

size_t indexOf(ListingKind kind)
{
    const int value = static_cast<int>(kind);
    return value >= 0 && value < kListingKindCount ? static_cast<size_t>(value) : 0;
}

} // namespace

const QList<ListColumnDefinition>& ListColumnDefinitions(ListingKind kind)
{
    static const std::array<QList<ListColumnDefinition>, kListingKindCount> definitions = buildDefinitions();
    return definitions[indexOf(kind)];
}

int ListColumnCount(ListingKind kind)
{
    return static_cast<int>(ListColumnDefinitions(kind).size());
}

QString ListSection(ListingKind kind)
{
    static const std::array<const char*, kListingKindCount> sections = {"Vendors", "Items",     "PO",
                                                                        "Sales",   "Customers", "Stock"};
    return QString::fromLatin1(sections[indexOf(kind)]);
}

QString ListCaption(ListingKind kind)
{
    static const std::array<const char*, kListingKindCount> captions = {
        "Vendor Information", "Item Information", "Purchase Orders",
        "Invoices",           "Customers",        "Stock Register"};
    return QString::fromLatin1(captions[indexOf(kind)]);
}

QString ListUpdatingText(ListingKind kind)
{
    static const std::array<const char*, kListingKindCount> texts = {
        "Updating vendors...", "Updating items...",     "Updating PO's...",
        "Updating sales...",   "Updating customers...", "Updating stock..."};
    return QString::fromLatin1(texts[indexOf(kind)]);
}

QString DisplayedRecordsText(qsizetype count)
{
    return QString::asprintf("Displayed Records: %ld", static_cast<long>(count));
}

QString UnreadableListText()
{
    return QStringLiteral("Displayed Records: none, the list could not be read");
}
