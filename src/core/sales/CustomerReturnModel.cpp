#include "CustomerReturnModel.h"

#include "InvoiceArithmetic.h"
#include "StockConsumption.h"

#include "core/common/NumberText.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"
#include "core/records/StockFigures.h"

namespace {

const QString kSaleMissing = QStringLiteral("Unable to locate sale record.");

} // namespace

CustomerReturnModel::CustomerReturnModel(ProjectTables& tables, Prompter& prompter)
    : m_tables(tables), m_prompter(prompter)
{
}

QString CustomerReturnModel::caption() const
{
    return QStringLiteral("Customer Return");
}

QString CustomerReturnModel::helpLine() const
{
    return QStringLiteral(
        "Enter the quanity returned.  The amount to reimburse the customer will be displayed "
        "after the OK button is selected.");
}

QString CustomerReturnModel::reimbursementTitle()
{
    return QStringLiteral("Customer Reimbursement");
}

CustomerReturnModel& CustomerReturnModel::setSale(qint32 saleID)
{
    m_saleID = saleID;
    m_saleFound = false;
    CSalesRec sale;
    if (!m_tables.sales().RecordRead(sale, saleID))
        return *this;
    m_saleFound = true;
    CItemsRec item;
    if (m_tables.items().RecordRead(item, sale.ItemID)) {
        m_itemName = item.Name;
        m_itemNumber = item.Number;
    }
    m_itemIdText = FormatRecordId(sale.ItemID);
    m_salePriceText = FormatCurrency(sale.SellingPrice);
    m_saleQuantityText = WholeNumberText(sale.Quanity);
    return *this;
}

bool CustomerReturnModel::checkPrerequisites()
{
    if (!TableHasRecords(m_tables, "Items") || !TableHasRecords(m_tables, "Sales")) {
        WarnUnlessDamaged(
            m_prompter, m_tables.database(),
            QStringLiteral("In order to run this command, you must already have valid items and "
                           "sales .  This command was unable to find all the necessary data to run."));
        return false;
    }
    if (!m_saleFound)
        WarnUnlessDamaged(m_prompter, m_tables.database(), kSaleMissing);
    return m_saleFound;
}

QString CustomerReturnModel::reimbursementText(Money subtotal, Money tax, Money total)
{
    return QStringLiteral(
               "Total reimbursement of %1 to be paid to customer.\n\n\tSubtotal\t: %2\n\tTax \t: %3\n\n"
               "\tTotal\t: %4\n")
        .arg(FormatCurrency(total), FormatCurrency(subtotal), FormatCurrency(tax), FormatCurrency(total));
}

CustomerReturnModel::Result CustomerReturnModel::save()
{
    // The goods are back on the shelf already: a second OK must not stock them twice.
    if (m_completed)
        return Result::refused();

    CSalesRec sale;
    if (!m_tables.sales().RecordRead(sale, m_saleID)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), kSaleMissing);
        return Result::refused();
    }
    const std::optional<qint32> returned = ParseWholeNumber(m_quantityText);
    if (!returned) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::InvalidQuantity));
        return Result::refused(Field::Quantity);
    }
    if (*returned > sale.Quanity) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("The quanity returned may not be greater than the quantity sold."));
        return Result::refused(Field::Quantity);
    }
    CSIRec invoice;
    if (!m_tables.invoices().RecordRead(invoice, sale.SIID)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("Unable to locate original invoice for sales."));
        return Result::refused();
    }
    // Without its item the units could be neither stocked nor priced with tax;
    // checking before anything is written leaves no half-recorded return.
    CItemsRec item;
    if (!m_tables.items().RecordRead(item, sale.ItemID)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("Unable perform calculations on item.\nItem doesn't exist."));
        return Result::refused();
    }

    const Money subtotal = sale.SellingPrice * *returned;
    const Money tax = LineTax(subtotal, item.Taxable, item.TaxRate);
    const Money total = subtotal + tax;
    const bool wholeSale = *returned == sale.Quanity;

    // The dues move by what the invoice total loses. That is the reimbursement,
    // except that tax truncated on the remaining quantity can differ from tax on
    // the returned part by a ten-thousandth: the invoice must owe its own total.
    const Money totalBefore = ComputeInvoiceTotal(m_tables, invoice.ID);
    Transaction transaction(m_tables.database());
    qint32 lotID = 0;
    bool ok = transaction.isActive();
    if (ok) {
        lotID = PutSaleBackIntoStock(m_tables, sale, invoice.Date, *returned, StockCustomerReturn);
        ok = lotID > 0;
    }
    if (ok && wholeSale) {
        ok = m_tables.sales().RecordDelete(sale.ID);
    } else if (ok) {
        // Price and cost stay: only fewer units were sold.
        sale.Quanity -= *returned;
        ok = m_tables.sales().RecordModify(sale);
    }
    ok = ok && RecomputeStocked(m_tables, item.ID);
    // An invoice without receivables owes nothing yet, so there is nothing to
    // lower; the return is complete all the same.
    ok = ok &&
         ShiftInvoiceDues(m_tables.receivables(), invoice.ID,
                          ComputeInvoiceTotal(m_tables, invoice.ID) - totalBefore) != Status::OperationFailed;
    if (!ok || !transaction.commit()) {
        ReportOperationFailure(m_prompter, m_tables.database());
        return Result::refused();
    }

    m_completed = true;
    m_saleRemoved = wholeSale;
    m_lotID = lotID;
    m_subtotal = subtotal;
    m_tax = tax;
    m_total = total;
    m_changes.add(ListingKind::Items, item.ID);
    m_changes.add(ListingKind::Stock, lotID);
    m_changes.add(ListingKind::Invoices, invoice.ID);
    m_changes.add(UnlistedKind::SoldItems, sale.ID);
    AddInvoiceReceivables(m_tables.receivables(), invoice.ID, m_changes);
    m_saleIDs.append(sale.ID);
    m_prompter.message(reimbursementText(subtotal, tax, total), reimbursementTitle(),
                       Prompter::Icon::Information);
    return Result::ok();
}
