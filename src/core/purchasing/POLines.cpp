#include "POLines.h"

#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"

#include <QHash>

QString POLine::orderedText() const
{
    return WholeNumberText(ordered);
}

QString POLine::receivedText() const
{
    return WholeNumberText(received);
}

QString POLine::lastReceiveText() const
{
    return lastReceiveDate.isValid() ? ShortDateText(lastReceiveDate) : QStringLiteral("-");
}

QString POLine::unitPriceText() const
{
    return itemFound ? FormatCurrency(unitPrice) : QString();
}

QList<POLine> ComputePOLines(ProjectTables& tables, qint32 poID)
{
    QList<POLine> lines;
    QHash<qint32, qsizetype> lineOfOrder;

    // Only the columns the figures use: a purchase order may have a thousand lines.
    const QList<CReceivedRec> receipts = tables.received().RecordsWhere(
        QStringLiteral("[POID] = ?"), {poID}, QString(),
        {QStringLiteral("OrderID"), QStringLiteral("ItemID"), QStringLiteral("OrderQuantity"),
         QStringLiteral("ReceiveQuantity"), QStringLiteral("ReceiveDate")});
    for (const CReceivedRec& receipt : receipts) {
        const auto found = lineOfOrder.constFind(receipt.OrderID);
        if (found == lineOfOrder.cend()) {
            POLine line;
            line.orderID = receipt.OrderID;
            line.itemID = receipt.ItemID;
            line.ordered = receipt.OrderQuantity;
            line.received = receipt.ReceiveQuantity;
            line.lastReceiveDate = receipt.ReceiveDate;
            lineOfOrder.insert(receipt.OrderID, lines.size());
            lines.append(line);
        } else {
            POLine& line = lines[*found];
            line.received += receipt.ReceiveQuantity;
            line.lastReceiveDate = receipt.ReceiveDate;
        }
    }

    const QList<COrderRec> orders = tables.orders().RecordsWhere(
        QStringLiteral("[POID] = ?"), {poID}, QString(),
        {QStringLiteral("ItemID"), QStringLiteral("Quanity"), QStringLiteral("BackOrder")});
    for (const COrderRec& order : orders) {
        const auto found = lineOfOrder.constFind(order.ID);
        if (found == lineOfOrder.cend()) {
            POLine line;
            line.orderID = order.ID;
            line.itemID = order.ItemID;
            line.ordered = order.Quanity;
            lineOfOrder.insert(order.ID, lines.size());
            lines.append(line);
        } else if (!order.BackOrder) {
            lines[*found].ordered += order.Quanity;
        }
    }

    if (lines.isEmpty())
        return lines;

    // The items of all lines in one query rather than one lookup per line.
    const QList<CItemsRec> items =
        tables.items().ItemsOfPurchaseOrder(poID, {QStringLiteral("Name"), QStringLiteral("Number"),
                                                   QStringLiteral("Cost"), QStringLiteral("Taxable")});
    QHash<qint32, const CItemsRec*> itemByID;
    itemByID.reserve(items.size());
    for (const CItemsRec& item : items)
        itemByID.insert(item.ID, &item);
    for (POLine& line : lines) {
        const CItemsRec* item = itemByID.value(line.itemID, nullptr);
        if (!item)
            continue;
        line.itemFound = true;
        line.itemName = item->Name;
        line.itemNumber = item->Number;
        line.unitPrice = item->Cost;
        line.taxable = item->Taxable;
    }
    return lines;
}

POTotals ComputePOTotals(const QList<POLine>& lines, double taxRatePercent)
{
    POTotals totals;
    for (const POLine& line : lines) {
        const Money extended = line.extendedCost();
        totals.subtotal += extended;
        if (line.taxable)
            totals.tax += MultiplyCurrencyByFactor(extended, taxRatePercent / 100.0);
    }
    totals.total = totals.subtotal + totals.tax;
    return totals;
}

QList<QStringList> POPrintoutLines(const QList<POLine>& lines)
{
    QList<QStringList> texts;
    texts.reserve(lines.size());
    for (const POLine& line : lines) {
        texts.append({line.itemName, line.itemNumber, line.orderedText(), line.unitPriceText(),
                      line.taxable ? QStringLiteral("Y") : QStringLiteral("N"),
                      line.itemFound ? FormatCurrency(line.extendedCost()) : QString()});
    }
    return texts;
}
