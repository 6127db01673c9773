#include "InvoiceManagerModel.h"

#include "core/sales/InvoiceArithmetic.h"
#include "core/sales/InvoiceTexts.h"
#include "core/sales/RecordSoldItemsModel.h"
#include "core/sales/RemoveSale.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"
#include "core/records/Pickers.h"

const std::array<int, InvoiceManagerModel::kColumnCount> InvoiceManagerModel::kDefaultColumnWidths = {
    100, 100, 60, 100, 100, 120};

InvoiceManagerModel::InvoiceManagerModel(ProjectTables& tables, Prompter& prompter, qint32 invoiceID)
    : m_tables(tables), m_prompter(prompter), m_entries(InvoicePickerEntries(tables))
{
    selectInvoice(invoiceID);
}

QString InvoiceManagerModel::caption() const
{
    return QStringLiteral("Invoice Manager");
}

void InvoiceManagerModel::selectInvoice(qint32 invoiceID)
{
    m_invoiceID = PickerIndexOf(m_entries, invoiceID) >= 0 ? invoiceID : NoSelection;
    reload();
}

void InvoiceManagerModel::reload()
{
    CSIRec invoice;
    if (m_invoiceID == NoSelection || !m_tables.invoices().RecordRead(invoice, m_invoiceID))
        return;

    m_customerText = InvoiceCustomerText(m_tables, invoice.CustomerID);
    m_dateText = ShortDateText(invoice.Date);
    m_notes = invoice.Notes;
    m_payMethodText = PayMethodText(invoice.PayMethod);
    ComputeInvoiceBalance(m_tables.receivables(), invoice.ID, m_due, m_paid, m_balance);

    m_rows.clear();
    m_selectedRow = -1;
    m_runningTotal = Money();
    const QList<CSalesRec> sales = m_tables.sales().RecordsWhere(QStringLiteral("[SIID] = ?"), {invoice.ID});
    for (const CSalesRec& sale : sales) {
        CItemsRec item;
        const bool itemFound = m_tables.items().RecordRead(item, sale.ItemID);
        const Money subtotal = sale.SellingPrice * sale.Quanity;
        const Money tax = itemFound ? LineTax(subtotal, item.Taxable, item.TaxRate) : Money();
        m_runningTotal += subtotal + tax;
        m_rows.append({sale.ID, item.Name, item.Number, WholeNumberText(sale.Quanity),
                       FormatCurrency(sale.SellingPrice), FormatCurrency(subtotal), FormatCurrency(tax)});
    }
    // The receivables may lag behind the sales (an item's tax rate changed since);
    // the window shows what the sales come to and leaves the receivables alone.
    if (m_runningTotal != m_due) {
        m_due = m_runningTotal;
        m_balance = m_due - m_paid;
    }
}

QStringList InvoiceManagerModel::columnCaptions()
{
    return {QStringLiteral("Item"),          QStringLiteral("Number"),   QStringLiteral("Quantity"),
            QStringLiteral("Selling Price"), QStringLiteral("Subtotal"), QStringLiteral("Tax")};
}

QString InvoiceManagerModel::widthKey(int column)
{
    // Subtotal and Tax were stored under each other's numbers from the start;
    // reading and writing through the same keys keeps every width in its column.
    static const char* const keys[kColumnCount] = {"Width1", "Width2", "Width3",
                                                   "Width4", "Width6", "Width5"};
    return QString::fromLatin1(keys[column]);
}

std::array<int, InvoiceManagerModel::kColumnCount>
InvoiceManagerModel::loadColumnWidths(const UserSettings& settings)
{
    std::array<int, kColumnCount> widths{};
    const QString section = QString::fromLatin1(kSettingsSection);
    for (int i = 0; i < kColumnCount; ++i)
        widths[static_cast<size_t>(i)] =
            settings.number(section, widthKey(i), kDefaultColumnWidths[static_cast<size_t>(i)]);
    return widths;
}

void InvoiceManagerModel::saveColumnWidths(UserSettings& settings,
                                           const std::array<int, kColumnCount>& widths)
{
    const QString section = QString::fromLatin1(kSettingsSection);
    for (int i = 0; i < kColumnCount; ++i)
        settings.setValue(section, widthKey(i), widths[static_cast<size_t>(i)]);
}

std::optional<qint32> InvoiceManagerModel::invoiceForAction()
{
    if (m_invoiceID == NoSelection || !m_tables.invoices().LocateByID(m_invoiceID)) {
        warn(m_prompter, QStringLiteral("You must select a valid invoice from the list."));
        return std::nullopt;
    }
    return m_invoiceID;
}

std::optional<qint32> InvoiceManagerModel::invoiceForAdd()
{
    const std::optional<qint32> invoiceID = invoiceForAction();
    if (!invoiceID || !RecordSoldItemsModel(m_tables, m_prompter).checkPrerequisites())
        return std::nullopt;
    return invoiceID;
}

std::optional<qint32> InvoiceManagerModel::selectedSale(const QString& noRowMessage)
{
    if (!invoiceForAction())
        return std::nullopt;
    if (m_selectedRow < 0 || m_selectedRow >= m_rows.size()) {
        warn(m_prompter, noRowMessage);
        return std::nullopt;
    }
    const qint32 saleID = m_rows.at(m_selectedRow).saleID;
    if (saleID <= 0 || !m_tables.sales().LocateByID(saleID)) {
        warn(m_prompter, QStringLiteral("Invalid sale selected."));
        return std::nullopt;
    }
    return saleID;
}

bool InvoiceManagerModel::deleteFromInvoice()
{
    const std::optional<qint32> saleID = selectedSale(
        QStringLiteral("You must select an entry in the sales list before performing this operation."));
    if (!saleID || !RemoveSale(m_tables, m_prompter, *saleID, m_changes, &m_removedSales))
        return false;
    refresh();
    return true;
}

std::optional<qint32> InvoiceManagerModel::saleForReturn()
{
    return selectedSale(
        QStringLiteral("You must select an entry in the list before performing this operation."));
}

void InvoiceManagerModel::invoiceCreated(qint32 invoiceID)
{
    m_entries = InvoicePickerEntries(m_tables);
    m_changes.add(ListingKind::Invoices, invoiceID);
    selectInvoice(invoiceID);
}

void InvoiceManagerModel::childClosed(const ChangeList& changes)
{
    m_changes.merge(changes);
    refresh();
}

void InvoiceManagerModel::refresh()
{
    const qint32 keep = m_invoiceID;
    m_entries = InvoicePickerEntries(m_tables);
    if (PickerIndexOf(m_entries, keep) < 0) {
        // The invoice is gone: nothing of it may stay on show.
        m_customerText.clear();
        m_dateText.clear();
        m_notes.clear();
        m_payMethodText.clear();
        m_due = m_paid = m_balance = m_runningTotal = Money();
        m_rows.clear();
        m_selectedRow = -1;
    }
    selectInvoice(keep);
}
