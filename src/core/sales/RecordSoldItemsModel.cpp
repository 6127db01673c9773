#include "RecordSoldItemsModel.h"

#include "InvoiceArithmetic.h"

#include "core/sales/InvoiceArithmetic.h"
#include "core/sales/StockConsumption.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"
#include "core/records/Pickers.h"
#include "core/records/StockFigures.h"

#include <QHash>

#include <optional>

namespace {

// An amount field left empty counts as nothing paid.
std::optional<Money> ParseAmountPaid(const QString& text)
{
    if (text.trimmed().isEmpty())
        return Money();
    return ParseCurrency(text);
}

} // namespace

SaleTotals ComputeSaleTotals(ProjectTables& tables, const QList<SaleLine>& lines, Money amountPaid)
{
    SaleTotals totals;
    // A long sale repeats its items; each is read once.
    QHash<qint32, std::optional<CItemsRec>> items;
    for (const SaleLine& line : lines) {
        const Money amount = line.price * line.quantity;
        totals.subtotal += amount;
        auto found = items.find(line.itemID);
        if (found == items.end()) {
            CItemsRec item;
            found = items.insert(line.itemID, tables.items().RecordRead(item, line.itemID)
                                                  ? std::optional<CItemsRec>(item)
                                                  : std::nullopt);
        }
        if (found.value())
            totals.tax += LineTax(amount, found.value()->Taxable, found.value()->TaxRate);
    }
    totals.total = totals.subtotal + totals.tax;
    totals.balance = totals.total - amountPaid;
    return totals;
}

RecordSoldItemsModel::RecordSoldItemsModel(ProjectTables& tables, Prompter& prompter)
    : m_tables(tables), m_prompter(prompter), m_itemEntries(ItemPickerEntries(tables)),
      m_quantityText(QStringLiteral("1")), m_amountPaidText(FormatCurrency(Money()))
{
}

bool RecordSoldItemsModel::checkPrerequisites()
{
    if (TableHasRecords(m_tables, "Items") && TableHasRecords(m_tables, "SI"))
        return true;
    WarnUnlessDamaged(m_prompter, m_tables.database(),
                      QStringLiteral("In order to run this command, you must already have valid items and "
                                     "invoices setup.  This command was unable to find all the necessary "
                                     "data to run."));
    return false;
}

QString RecordSoldItemsModel::caption() const
{
    return QStringLiteral("Record Sold Items");
}

QString RecordSoldItemsModel::helpLine() const
{
    return QStringLiteral("Record items sold from inventory.");
}

QString RecordSoldItemsModel::invoiceNumberText() const
{
    const qint32 number = m_tables.invoices().NumberOf(m_invoiceID);
    return number == -1 ? QString() : QString::number(number);
}

void RecordSoldItemsModel::selectItem(qint32 itemID)
{
    m_itemID = PickerIndexOf(m_itemEntries, itemID) >= 0 ? itemID : NoSelection;
    refreshItemFigures();
    if (m_itemID != NoSelection) {
        m_price = m_tables.items().GetSellingPrice(m_itemID);
        m_priceText = FormatCurrencyField(*m_price);
    }
    recomputeTotals();
}

qint32 RecordSoldItemsModel::pendingQuantity(qint32 itemID) const
{
    qint32 pending = 0;
    for (const SaleLine& line : m_lines) {
        if (line.itemID == itemID)
            pending += line.quantity;
    }
    return pending;
}

void RecordSoldItemsModel::refreshItemFigures()
{
    m_itemIdText.clear();
    m_itemNumberText.clear();
    m_stockedText.clear();
    CItemsRec item;
    if (m_itemID == NoSelection || !m_tables.items().RecordRead(item, m_itemID))
        return;
    m_itemIdText = FormatRecordId(item.ID);
    m_itemNumberText = item.Number;
    m_stockedText = WholeNumberText(static_cast<qint64>(item.Stocked) - pendingQuantity(item.ID));
}

void RecordSoldItemsModel::recomputeTotals()
{
    m_totals = ComputeSaleTotals(m_tables, m_lines, ParseAmountPaid(m_amountPaidText).value_or(Money()));
}

RecordSoldItemsModel::Result RecordSoldItemsModel::addLine()
{
    if (m_itemID == NoSelection) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("You must select an item from the list."));
        return Result::refused(Field::Item);
    }
    CItemsRec item;
    if (!m_tables.items().RecordRead(item, m_itemID)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::RecordNotFound));
        return Result::refused(Field::Item);
    }
    // A line of no units, or of units taken back, is no sale.
    const std::optional<qint32> quantity = ParsePositiveQuantity(m_quantityText);
    if (!quantity) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::InvalidQuantity));
        return Result::refused(Field::Quantity);
    }
    const std::optional<Money> price = m_price;
    if (!price) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("The selling price specified is invalid.  Please check the value "
                                         "and re-enter it if necessary."));
        return Result::refused(Field::Price);
    }
    if (m_lines.size() >= kMaxLines) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("A sale may hold at most %1 lines.  Record this sale and add the "
                                         "remaining items with Add to Invoice.")
                              .arg(kMaxLines));
        return Result::refused();
    }
    const qint64 available = static_cast<qint64>(item.Stocked) - pendingQuantity(item.ID);
    if (available < *quantity) {
        WarnUnlessDamaged(
            m_prompter, m_tables.database(),
            QStringLiteral("Unable to perform this operation.\nThe quanity specified is greater "
                           "than quanity stocked."));
        return Result::refused(Field::Quantity);
    }

    m_lines.append({item.ID, *quantity, *price});
    m_lineTexts.append(QStringLiteral("%1 x %2 (%3)")
                           .arg(WholeNumberText(*quantity), FormatCurrencyField(*price), item.Name));
    refreshItemFigures();
    recomputeTotals();
    return Result::ok();
}

bool RecordSoldItemsModel::removeLine(qsizetype index)
{
    if (index < 0 || index >= m_lines.size())
        return false;
    m_lines.removeAt(index);
    m_lineTexts.removeAt(index);
    refreshItemFigures();
    recomputeTotals();
    return true;
}

void RecordSoldItemsModel::setPriceText(const QString& text)
{
    m_priceText = text;
    m_price = ParseCurrency(text);
}

void RecordSoldItemsModel::setAmountPaidText(const QString& text)
{
    m_amountPaidText = text;
    recomputeTotals();
}

QString RecordSoldItemsModel::subtotalText() const
{
    return FormatCurrency(m_totals.subtotal);
}

QString RecordSoldItemsModel::taxText() const
{
    return FormatCurrency(m_totals.tax);
}

QString RecordSoldItemsModel::totalText() const
{
    return FormatCurrency(m_totals.total);
}

QString RecordSoldItemsModel::balanceText() const
{
    return FormatCurrency(m_totals.balance);
}

RecordSoldItemsModel::Result RecordSoldItemsModel::failed()
{
    ReportOperationFailure(m_prompter, m_tables.database());
    return Result::refused();
}

RecordSoldItemsModel::Result RecordSoldItemsModel::save()
{
    const QString title = AppTitle();
    Money paid;
    if (!m_addToExisting) {
        const std::optional<Money> typed = ParseAmountPaid(m_amountPaidText);
        if (!typed) {
            WarnUnlessDamaged(m_prompter, m_tables.database(),
                              QStringLiteral("The amount paid specified is invalid.  Please check the value "
                                             "and re-enter it if necessary."));
            return Result::refused(Field::AmountPaid);
        }
        paid = *typed;
    }
    // Over the whole table, whatever the invoice list is filtered to.
    CSIRec invoice;
    if (!m_tables.invoices().RecordRead(invoice, m_invoiceID)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("Unable to locate current invoice."));
        return Result::refused();
    }

    Transaction transaction(m_tables.database());
    if (!transaction.isActive())
        return failed();
    ChangeList changes;
    QList<qint32> recorded;
    for (const SaleLine& line : std::as_const(m_lines)) {
        const StockConsumption consumed = ConsumeStock(m_tables, line.itemID, line.quantity);
        if (consumed.outcome == StockConsumption::Outcome::NotEnough) {
            // The lots were not touched: the other lines still go through.
            WarnUnlessDamaged(
                m_prompter, m_tables.database(),
                QStringLiteral("Unable to record sale for item #%1.  This item is not enough in "
                               "stock.")
                    .arg(FormatRecordId(line.itemID)),
                title);
            continue;
        }
        if (consumed.outcome != StockConsumption::Outcome::Consumed)
            return failed();

        CSalesRec sale;
        sale.SIID = invoice.ID;
        sale.ItemID = line.itemID;
        sale.Quanity = line.quantity;
        sale.SellingPrice = line.price;
        sale.Date = invoice.Date;
        sale.Cost = consumed.unitCost;
        if (!m_tables.sales().RecordAdd(sale))
            return failed();
        if (recorded.size() < ChangeList::kMaxPerKind)
            recorded.append(sale.ID);
        changes.add(UnlistedKind::SoldItems, sale.ID);
        for (const qint32 lot : consumed.lots)
            changes.add(ListingKind::Stock, lot);

        if (!m_tables.items().LocateByID(line.itemID)) {
            WarnUnlessDamaged(m_prompter, m_tables.database(),
                              QStringLiteral("Unable to locate item record."));
            continue;
        }
        if (!RecomputeStocked(m_tables, line.itemID))
            return failed();
        changes.add(ListingKind::Items, line.itemID);
    }

    // The invoice owes what was actually sold on it, at the items' current rates.
    const Money total = ComputeInvoiceTotal(m_tables, invoice.ID);
    const QList<qint32> receivables =
        m_tables.receivables().IDsWhere(QStringLiteral("[SIID] = ?"), {invoice.ID});
    if (!m_addToExisting || receivables.isEmpty()) {
        CARRec receivable;
        receivable.CustomerID = invoice.CustomerID;
        receivable.SIID = invoice.ID;
        receivable.Date = invoice.Date;
        receivable.Paid = paid;
        receivable.Due = total;
        if (!m_tables.receivables().RecordAdd(receivable))
            return failed();
    } else {
        // Every later receivable moves with the first, so the payments chain on.
        CARRec first;
        if (!m_tables.receivables().RecordRead(first, receivables.constFirst()) ||
            ShiftInvoiceDues(m_tables.receivables(), invoice.ID, total - first.Due) != Status::Success)
            return failed();
    }
    if (!transaction.commit())
        return failed();

    changes.add(ListingKind::Invoices, invoice.ID);
    AddInvoiceReceivables(m_tables.receivables(), invoice.ID, changes);
    m_changes.merge(changes);
    m_recordedSales = recorded;
    // Recorded lines must not be recorded twice.
    m_lines.clear();
    m_lineTexts.clear();
    refreshItemFigures();
    recomputeTotals();
    return Result::ok();
}
