// The order, sales and stock reports: Outstanding Orders, Detailed Sales List,
// Sale Quantities by Item and Inventory Summary.

#include "QuickReportData.h"

#include "core/db/QuickReportReads.h"
#include "core/db/TableReads.h"

namespace QuickReportData {

namespace {

QString wholeNumber(qint64 number)
{
    return QString::number(number);
}

// With "Apply Vendor Criteria", an item counts only when the chosen vendor is
// its primary one.
bool vendorAdmits(const Context& context, const CItemsRec* item)
{
    if (!context.parameters.applyVendorCriteria)
        return true;
    return item && item->VendorID1 == context.parameters.vendorID;
}

} // namespace

bool BuildOutstandingOrders(Context& context)
{
    ProjectTables& tables = context.tables;
    const QList<COrderRec> orders = tables.orders().RecordsWhere(
        QStringLiteral("[ID] > 0"), {}, QStringLiteral("[POID], [Date], [ID]"),
        {QStringLiteral("ItemID"), QStringLiteral("VendorID"), QStringLiteral("Quanity"),
         QStringLiteral("Date"), QStringLiteral("POID")});
    RecordLookup items(tables.items(),
                       {QStringLiteral("Name"), QStringLiteral("Number"), QStringLiteral("Cost")});
    RecordLookup vendors(tables.vendors(), {QStringLiteral("Name")});
    RecordLookup purchaseOrders(tables.purchaseOrders(), {QStringLiteral("Number")});
    items.preloadFor(orders.size());
    vendors.preloadFor(orders.size());
    purchaseOrders.preloadFor(orders.size());

    QuickTable table = MakeTable({QStringLiteral("PO"), QStringLiteral("Date"), QStringLiteral("Vendor"),
                                  QStringLiteral("Item"), QStringLiteral("Number"), QStringLiteral("Qty"),
                                  QStringLiteral("Unit Price"), QStringLiteral("Total")},
                                 {false, false, false, false, false, true, true, true},
                                 {0.08, 0.11, 0.17, 0.22, 0.12, 0.07, 0.11, 0.12});
    Money outstanding;
    for (const COrderRec& order : orders) {
        const CItemsRec* item = items.find(order.ItemID);
        const CVendorsRec* vendor = vendors.find(order.VendorID);
        const CPORec* po = purchaseOrders.find(order.POID);
        // An order line is valued at what its item costs now.
        const Money price = item ? item->Cost : Money();
        const Money total = price * order.Quanity;
        outstanding += total;
        table.rows.append({po ? wholeNumber(po->Number) : QString(), context.date(order.Date),
                           vendor ? vendor->Name : QString(), item ? item->Name : QString(),
                           item ? item->Number : QString(), wholeNumber(order.Quanity), context.money(price),
                           context.money(total)});
    }
    context.out.tables.append(table);
    context.out.closingLines.append(AmountLine(context, QStringLiteral("Total Outstanding"), outstanding));
    return true;
}

bool BuildDetailedSalesList(Context& context)
{
    ProjectTables& tables = context.tables;
    const QList<CSalesRec> sales = tables.sales().RecordsWhere(
        QStringLiteral("[ID] > 0 AND [Date] >= ? AND [Date] < ?"), {context.fromDay(), context.toDay()},
        QStringLiteral("[SIID], [Date], [ID]"),
        {QStringLiteral("ItemID"), QStringLiteral("Quanity"), QStringLiteral("SellingPrice"),
         QStringLiteral("Date"), QStringLiteral("Cost"), QStringLiteral("SIID")});
    RecordLookup items(tables.items(), {QStringLiteral("Name"), QStringLiteral("Number")});
    RecordLookup invoices(tables.invoices(), {QStringLiteral("Number")});
    items.preloadFor(sales.size());
    invoices.preloadFor(sales.size());

    QuickTable table = MakeTable(
        {QStringLiteral("Invoice"), QStringLiteral("Date"), QStringLiteral("Item"), QStringLiteral("Number"),
         QStringLiteral("Qty"), QStringLiteral("Selling Price"), QStringLiteral("Total")},
        {false, false, false, false, true, true, true}, {0.10, 0.12, 0.30, 0.14, 0.08, 0.13, 0.13});
    Money revenues, costOfSold;
    for (const CSalesRec& sale : sales) {
        const Money total = sale.SellingPrice * sale.Quanity;
        revenues += total;
        costOfSold += sale.Cost * sale.Quanity;
        const CItemsRec* item = items.find(sale.ItemID);
        const CSIRec* invoice = invoices.find(sale.SIID);
        table.rows.append({invoice ? wholeNumber(invoice->Number) : QString(), context.date(sale.Date),
                           item ? item->Name : QString(), item ? item->Number : QString(),
                           wholeNumber(sale.Quanity), context.money(sale.SellingPrice),
                           context.money(total)});
    }
    context.out.tables.append(table);
    AddSalesSummary(context, revenues, costOfSold);
    return true;
}

bool BuildSaleQuantitiesByItem(Context& context)
{
    ProjectTables& tables = context.tables;
    // Summed per item in item order, which is the order the items are first met
    // in a read of the sales by item.
    const std::optional<QList<ItemSalesRow>> perItem =
        ReadSalesPerItem(tables.database(), context.fromDay(), context.toDay());
    if (!perItem)
        return false;
    RecordLookup items(tables.items(),
                       {QStringLiteral("Name"), QStringLiteral("Number"), QStringLiteral("VendorID1")});
    items.preloadFor(perItem->size());

    struct Line
    {
        const ItemSalesRow* sums;
        const CItemsRec* item;
    };
    QList<Line> lines;
    Money revenues, costOfSold;
    for (const ItemSalesRow& sums : *perItem) {
        const CItemsRec* item = items.find(sums.itemID);
        if (!vendorAdmits(context, item))
            continue;
        lines.append({&sums, item});
        revenues += Money::fromTenThousandths(sums.revenue);
        costOfSold += Money::fromTenThousandths(sums.cost);
    }
    const ItemSorting sorting = context.parameters.sorting;
    const QString none;
    std::stable_sort(lines.begin(), lines.end(), [&](const Line& a, const Line& b) {
        return ItemKeyLess(sorting, a.sums->itemID, a.item ? a.item->Name : none,
                           a.item ? a.item->Number : none, b.sums->itemID, b.item ? b.item->Name : none,
                           b.item ? b.item->Number : none);
    });

    QuickTable table = MakeTable({QStringLiteral("ID"), QStringLiteral("Item"), QStringLiteral("Number"),
                                  QStringLiteral("Qty"), QStringLiteral("Revenues")},
                                 {false, false, false, true, true}, {0.10, 0.40, 0.20, 0.12, 0.18});
    table.rows.reserve(lines.size());
    for (const Line& line : lines) {
        table.rows.append({context.id(line.sums->itemID), line.item ? line.item->Name : QString(),
                           line.item ? line.item->Number : QString(), wholeNumber(line.sums->quantity),
                           context.money(Money::fromTenThousandths(line.sums->revenue))});
    }
    context.out.tables.append(table);
    AddSalesSummary(context, revenues, costOfSold);
    return true;
}

bool BuildInventorySummary(Context& context)
{
    ProjectTables& tables = context.tables;
    ProjectDatabase& db = tables.database();
    const QuickReportParameters& parameters = context.parameters;
    QString condition = QStringLiteral("[ID] > 0");
    QVariantList values;
    if (parameters.applyVendorCriteria) {
        condition += QStringLiteral(" AND [VendorID1] = ?");
        values.append(parameters.vendorID);
    }
    QList<CItemsRec> items =
        tables.items().RecordsWhere(condition, values, QStringLiteral("[ID]"),
                                    {QStringLiteral("Name"), QStringLiteral("Number"),
                                     QStringLiteral("VendorID1"), QStringLiteral("Stocked")});
    if (parameters.sorting != ItemSorting::ById) {
        std::stable_sort(items.begin(), items.end(), [&](const CItemsRec& a, const CItemsRec& b) {
            return ItemKeyLess(parameters.sorting, a.ID, a.Name, a.Number, b.ID, b.Name, b.Number);
        });
    }

    // One grouped read per figure, whatever the number of items.
    const double from = context.fromDay();
    const double to = context.toDay();
    const std::optional<QHash<qint32, qint64>> sold = SumQuantityPerItem(
        db, QStringLiteral("Sales"), QStringLiteral("Quanity"), QStringLiteral("Date"), from, to);
    const std::optional<QHash<qint32, qint64>> received =
        SumQuantityPerItem(db, QStringLiteral("Received"), QStringLiteral("ReceiveQuantity"),
                           QStringLiteral("ReceiveDate"), from, to);
    const std::optional<qint64> stockCost = StockCostTotal(db);
    QHash<qint32, QString> vendorNames;
    const bool vendorsRead =
        StreamIdAndText(db, QStringLiteral("Vendors"), QStringLiteral("Name"),
                        [&](qint32 id, QStringView name) { vendorNames.insert(id, name.toString()); });
    if (!sold || !received || !stockCost || !vendorsRead)
        return false;

    QuickTable table =
        MakeTable({QStringLiteral("ID"), QStringLiteral("Item"), QStringLiteral("Number"),
                   QStringLiteral("Vendor"), QStringLiteral("Start Level"), QStringLiteral("Sales"),
                   QStringLiteral("Receipts"), QStringLiteral("End Level")},
                  {false, false, false, false, true, true, true, true},
                  {0.08, 0.21, 0.11, 0.19, 0.12, 0.08, 0.09, 0.12});
    table.rows.reserve(items.size());
    for (const CItemsRec& item : items) {
        const qint64 sales = sold->value(item.ID);
        const qint64 receipts = received->value(item.ID);
        const qint64 end = item.Stocked;
        table.rows.append({context.id(item.ID), item.Name, item.Number, vendorNames.value(item.VendorID1),
                           wholeNumber(end - receipts + sales), wholeNumber(sales), wholeNumber(receipts),
                           wholeNumber(end)});
    }
    context.out.tables.append(table);
    context.out.closingLines.append(
        AmountLine(context, QStringLiteral("Cost of Inventory"), Money::fromTenThousandths(*stockCost)));
    return true;
}

} // namespace QuickReportData
