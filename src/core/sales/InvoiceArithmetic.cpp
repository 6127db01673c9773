#include "InvoiceArithmetic.h"

#include "core/common/ChangeList.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

#include <QHash>

namespace {

const QString kBySIID = QStringLiteral("[SIID] = ?");
const QString kChainOrder = QStringLiteral("[ID]");

} // namespace

Money LineTax(Money amount, bool taxable, float taxRate)
{
    if (!taxable)
        return Money();
    return MultiplyCurrencyByFactor(amount, static_cast<double>(taxRate) / 100.0);
}

Money ComputeInvoiceTotal(ProjectTables& tables, qint32 invoiceID)
{
    const QList<CSalesRec> sales = tables.sales().RecordsWhere(
        kBySIID, {invoiceID}, QString(),
        {QStringLiteral("ItemID"), QStringLiteral("Quanity"), QStringLiteral("SellingPrice")});
    // An invoice often sells one item on several lines: read each item once.
    QHash<qint32, std::optional<CItemsRec>> items;
    Money subtotal, tax;
    for (const CSalesRec& sale : sales) {
        const Money amount = sale.SellingPrice * sale.Quanity;
        subtotal += amount;
        auto found = items.find(sale.ItemID);
        if (found == items.end()) {
            CItemsRec item;
            found = items.insert(sale.ItemID, tables.items().RecordRead(item, sale.ItemID)
                                                  ? std::optional<CItemsRec>(item)
                                                  : std::nullopt);
        }
        if (found->has_value())
            tax += LineTax(amount, (*found)->Taxable, (*found)->TaxRate);
    }
    return subtotal + tax;
}

int ComputeInvoiceBalance(CARSet& receivables, qint32 invoiceID, Money& due, Money& paid, Money& balance)
{
    due = paid = balance = Money();
    const QList<CARRec> chain = receivables.RecordsWhere(kBySIID, {invoiceID}, kChainOrder,
                                                         {QStringLiteral("Paid"), QStringLiteral("Due")});
    if (chain.isEmpty())
        return 0;
    due = chain.first().Due;
    for (const CARRec& record : chain)
        paid += record.Paid;
    balance = due - paid;
    return 1;
}

int RecomputeInvoiceDues(CARSet& receivables, Prompter* prompter, qint32 invoiceID,
                         std::optional<Money> newTotal)
{
    QList<CARRec> chain = receivables.RecordsWhere(kBySIID, {invoiceID}, kChainOrder);
    if (chain.isEmpty()) {
        if (!newTotal && prompter != nullptr)
            WarnUnlessDamaged(*prompter, receivables.database(),
                              QStringLiteral("Unable to locate initial receival record."));
        return 0;
    }
    const Money first = newTotal.value_or(chain.first().Due);
    Money owed = first;
    for (CARRec& record : chain) {
        // A record that already owes the right amount is left alone.
        if (record.Due != owed) {
            record.Due = owed;
            if (!receivables.RecordModify(record))
                return Status::OperationFailed;
        }
        owed -= record.Paid;
    }
    return 1;
}

int ShiftInvoiceDues(CARSet& receivables, qint32 invoiceID, Money delta)
{
    QList<CARRec> chain = receivables.RecordsWhere(kBySIID, {invoiceID}, kChainOrder);
    if (chain.isEmpty())
        return 0;
    for (CARRec& record : chain) {
        record.Due += delta;
        if (!record.Due.isValid() || !receivables.RecordModify(record))
            return Status::OperationFailed;
    }
    return 1;
}

void AddInvoiceReceivables(CARSet& receivables, qint32 invoiceID, ChangeList& changes)
{
    for (const qint32 id : receivables.IDsWhere(QStringLiteral("[SIID] = ?"), {invoiceID}))
        changes.add(UnlistedKind::Receivables, id);
}
