#include "core/reports/PurchaseOrderReports.h"

#include "core/common/Money.h"
#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"

#include <QHash>

#include <optional>

namespace {

QString NumberText(qint32 number)
{
    return FormatRecordId(number);
}

QString VendorNumberOf(ProjectTables& tables, qint32 vendorID)
{
    CVendorsRec vendor;
    return tables.vendors().RecordRead(vendor, vendorID) ? vendor.Number : QString();
}

struct ItemNames
{
    QString name, number;
};

// The purchase orders asked for: one, or every one.
QList<CPORec> PurchaseOrders(ProjectTables& tables, std::optional<qint32> poID)
{
    if (poID)
        return tables.purchaseOrders().RecordsWhere(QStringLiteral("[ID] = ?"), {*poID});
    return tables.purchaseOrders().RecordsWhere(QString());
}

PurchaseOrderHistory BuildHistory(ProjectTables& tables, std::optional<qint32> poID)
{
    PurchaseOrderHistory history;
    ProjectDatabase& db = tables.database();
    const quint64 failuresBefore = db.readFailureCount();

    const QList<CPORec> purchaseOrders = PurchaseOrders(tables, poID);
    const QString condition = poID ? QStringLiteral("[POID] = ?") : QStringLiteral("[POID] > 0");
    const QVariantList values = poID ? QVariantList{*poID} : QVariantList{};
    const QList<COrderRec> orders = tables.orders().RecordsWhere(
        condition, values, QString(),
        {QStringLiteral("ItemID"), QStringLiteral("Quanity"), QStringLiteral("POID")});
    const QList<CReceivedRec> receipts = tables.received().RecordsWhere(
        condition, values, QString(),
        {QStringLiteral("ItemID"), QStringLiteral("OrderID"), QStringLiteral("StockID"),
         QStringLiteral("OrderQuantity"), QStringLiteral("ReceiveQuantity"), QStringLiteral("ReceiveDate"),
         QStringLiteral("POID")});
    const QList<CStockRec> lots =
        tables.stock().RecordsWhere(condition, values, QString(), {QStringLiteral("Cost")});

    QHash<qint32, ItemNames> items;
    const QList<CItemsRec> itemRecords =
        poID ? tables.items().ItemsOfPurchaseOrder(*poID, {QStringLiteral("Name"), QStringLiteral("Number")})
             : tables.items().RecordsWhere(QString(), {}, QString(),
                                           {QStringLiteral("Name"), QStringLiteral("Number")});
    for (const CItemsRec& item : itemRecords)
        items.insert(item.ID, {item.Name, item.Number});
    // One purchase order needs its own vendor only.
    QHash<qint32, QString> vendorNumbers;
    const QList<CVendorsRec> vendors =
        poID && !purchaseOrders.isEmpty()
            ? tables.vendors().RecordsWhere(QStringLiteral("[ID] = ?"),
                                            {purchaseOrders.constFirst().VendorID}, QString(),
                                            {QStringLiteral("Number")})
            : tables.vendors().RecordsWhere(QString(), {}, QString(), {QStringLiteral("Number")});
    for (const CVendorsRec& vendor : vendors)
        vendorNumbers.insert(vendor.ID, vendor.Number);

    if (db.readFailureCount() != failuresBefore || (poID && purchaseOrders.isEmpty())) {
        history.error = ReportRecordsUnavailableText();
        return history;
    }

    QHash<qint32, Money> lotCosts;
    for (const CStockRec& lot : lots)
        lotCosts.insert(lot.ID, lot.Cost);

    const auto orderText = [&](qint32 itemID, qint64 quantity) {
        const auto found = items.constFind(itemID);
        const QString name = found != items.cend() ? found->name : NotAvailableText();
        const QString number = found != items.cend() ? found->number : NotAvailableText();
        return QStringLiteral("ORDER :  Item : %1  Number : %2  Quantity : %3")
            .arg(name, number, WholeNumberText(quantity));
    };
    const auto receiptText = [&](const CReceivedRec& receipt) {
        const auto cost = lotCosts.constFind(receipt.StockID);
        const QString price = cost != lotCosts.cend() ? FormatCurrency(*cost) : NotAvailableText();
        return QStringLiteral("RECEIVED :  Date : %1  Quantity : %2  Unit Price: %3")
            .arg(ShortDateText(receipt.ReceiveDate), WholeNumberText(receipt.ReceiveQuantity), price);
    };

    // Order lines and receipts by purchase order, in table order.
    QHash<qint32, QList<const COrderRec*>> ordersOfPO;
    for (const COrderRec& order : orders)
        ordersOfPO[order.POID].append(&order);
    QHash<qint32, QList<const CReceivedRec*>> receiptsOfPO;
    for (const CReceivedRec& receipt : receipts)
        receiptsOfPO[receipt.POID].append(&receipt);

    for (const CPORec& po : purchaseOrders) {
        PurchaseOrderHistoryEntry entry;
        entry.poID = po.ID;
        entry.header = {
            QStringLiteral("PO Date : ") + ShortDateText(po.Date),
            QStringLiteral("PO Number : ") + NumberText(po.Number),
            QStringLiteral("Vendor Number : ") + vendorNumbers.value(po.VendorID),
            QStringLiteral("Required Date : ") + ShortDateText(po.RequiredDate),
            QStringLiteral("Tax Rate : %1%").arg(po.TaxRate, 0, 'f', 3),
            po.Filled ? QStringLiteral("Filled : ") + ShortDateText(po.FilledDate)
                      : QStringLiteral("Filled : NO"),
            QStringLiteral("Note : ") + po.Notes,
        };
        QHash<qint32, qsizetype> lineOfOrder;
        for (const COrderRec* order : ordersOfPO.value(po.ID)) {
            lineOfOrder.insert(order->ID, entry.orders.size());
            entry.orders.append({order->ID, orderText(order->ItemID, order->Quanity), {}});
        }
        for (const CReceivedRec* receipt : receiptsOfPO.value(po.ID)) {
            auto line = lineOfOrder.constFind(receipt->OrderID);
            if (line == lineOfOrder.cend()) {
                // Received in full: the order line lives on in its receipts,
                // the first of which still holds what was ordered.
                line = lineOfOrder.insert(receipt->OrderID, entry.orders.size());
                entry.orders.append(
                    {receipt->OrderID, orderText(receipt->ItemID, receipt->OrderQuantity), {}});
            }
            entry.orders[*line].receipts.append(receiptText(*receipt));
        }
        history.purchaseOrders.append(std::move(entry));
    }
    return history;
}

} // namespace

QString NotAvailableText()
{
    return QStringLiteral("Not Available");
}

PurchaseOrderPrintout BuildPurchaseOrderPrintout(ProjectTables& tables, qint32 poID)
{
    return BuildPurchaseOrderPrintout(tables, poID, ComputePOLines(tables, poID));
}

PurchaseOrderPrintout BuildPurchaseOrderPrintout(ProjectTables& tables, qint32 poID,
                                                 const QList<POLine>& lines)
{
    PurchaseOrderPrintout printout;
    printout.poID = poID;
    CPORec po;
    if (!tables.purchaseOrders().RecordRead(po, poID)) {
        printout.error = ReportRecordsUnavailableText();
        return printout;
    }
    printout.title = QStringLiteral("PURCHASE ORDER #") + NumberText(po.Number);
    printout.dateLine = QStringLiteral("Date : ") + ShortDateText(po.Date);
    printout.numberLine = QStringLiteral("PO Number : ") + NumberText(po.Number);
    printout.vendorNumberLine = QStringLiteral("Vendor Number : ") + VendorNumberOf(tables, po.VendorID);
    printout.requiredDateLine = QStringLiteral("Required Date : ") + ShortDateText(po.RequiredDate);
    printout.noteLine = QStringLiteral("Note : ") + po.Notes;
    printout.lines = POPrintoutLines(lines);
    printout.totals = ComputePOTotals(lines, po.TaxRate);
    printout.totalLines = {{QStringLiteral("Subtotal"), FormatCurrency(printout.totals.subtotal)},
                           {QStringLiteral("Tax"), FormatCurrency(printout.totals.tax)},
                           {QStringLiteral("Total"), FormatCurrency(printout.totals.total)}};
    return printout;
}

PurchaseOrderHistory BuildPurchaseOrderHistory(ProjectTables& tables, qint32 poID)
{
    return BuildHistory(tables, poID);
}

PurchaseOrderHistory BuildPurchaseOrderHistory(ProjectTables& tables)
{
    return BuildHistory(tables, std::nullopt);
}
