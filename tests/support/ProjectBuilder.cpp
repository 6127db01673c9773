#include "ProjectBuilder.h"

#include "core/purchasing/Receiving.h"

#include <QSqlQuery>

qint32 ProjectBuilder::vendor(const QString& name, const QString& number)
{
    CVendorsRec rec;
    rec.Name = name;
    rec.Number = number;
    return add(rec);
}

qint32 ProjectBuilder::item(const Item& wanted)
{
    CItemsRec rec;
    rec.Name = wanted.name;
    rec.Number = wanted.name.left(3).toUpper() + QStringLiteral("-1");
    rec.VendorID1 = wanted.vendor1;
    rec.VendorID2 = wanted.vendor2 == NoID ? wanted.vendor1 : wanted.vendor2;
    rec.Cost = wanted.cost;
    rec.ReorderQuanity = wanted.reorderQuantity;
    rec.ReorderLevel = wanted.reorderLevel;
    rec.Taxable = wanted.taxable;
    const qint32 id = add(rec);
    if (wanted.stocked > 0)
        lot(id, wanted.stocked);
    return id;
}

qint32 ProjectBuilder::lot(qint32 itemID, qint32 quantity)
{
    CStockRec rec;
    rec.ItemID = itemID;
    rec.VendorID = t().items().GetVendorID1(itemID);
    rec.OrderID = rec.POID = StockInitial;
    rec.Quanity = quantity;
    rec.Cost = t().items().GetCost(itemID);
    rec.Date = day(1997, 1, 2);
    const qint32 id = add(rec);
    settle(rec);
    return id;
}

qint32 ProjectBuilder::po(qint32 number, qint32 vendorID, DateTime date)
{
    CPORec rec;
    rec.Number = number;
    rec.VendorID = vendorID;
    rec.Date = rec.RequiredDate = rec.FilledDate = date;
    rec.TaxRate = 7.25;
    return add(rec);
}

qint32 ProjectBuilder::orderLine(qint32 itemID, qint32 poID, qint32 quantity)
{
    const CPORec po = read<CPORec>(poID);
    COrderRec rec;
    rec.ItemID = itemID;
    rec.VendorID = po.VendorID;
    rec.POID = poID;
    rec.Quanity = quantity;
    rec.Date = po.Date;
    rec.BackOrderID = 0;
    const qint32 id = add(rec);
    settle(rec);
    return id;
}

bool ProjectBuilder::receive(qint32 orderID, qint32 quantity, DateTime date, bool keepBackorder)
{
    if (quantity < t().orders().GetQuanity(orderID))
        m_prompter.answer({keepBackorder});
    ChangeList changes;
    const bool received =
        ReceiveOrderLine(t(), m_prompter, {orderID, quantity, Money::fromWhole(2), date}, changes).received();
    EXPECT_TRUE(received) << m_prompter.lastText().toStdString();
    return received;
}

qint32 ProjectBuilder::customer(const QString& company, const QString& last, const QString& first,
                                const QString& phone)
{
    CCustomersRec rec;
    rec.Company = company;
    rec.Last = last;
    rec.First = first;
    rec.Phone = phone;
    return add(rec);
}

qint32 ProjectBuilder::invoice(qint32 customerID, qint32 number)
{
    CSIRec rec;
    rec.CustomerID = customerID;
    rec.Number = number;
    rec.Date = day(1997, 5, 15);
    return add(rec);
}

qint32 ProjectBuilder::payment(qint32 customerID, qint32 invoiceID, Money due, Money paid)
{
    CARRec rec;
    rec.CustomerID = customerID;
    rec.SIID = invoiceID;
    rec.Due = due;
    rec.Paid = paid;
    rec.Date = day(1997, 5, 16);
    return add(rec);
}

qint32 ProjectBuilder::sale(qint32 itemID, qint32 invoiceID, qint32 quantity)
{
    CSalesRec rec;
    rec.ItemID = itemID;
    rec.SIID = invoiceID;
    rec.Quanity = quantity;
    return add(rec);
}

qint32 ProjectBuilder::pricedItem(const Item& wanted, Money price, float taxRate)
{
    const qint32 id = item(wanted);
    change<CItemsRec>(id, [&](CItemsRec& rec) {
        rec.SellingPrice = price;
        rec.TaxRate = taxRate;
    });
    return id;
}

qint32 ProjectBuilder::sale(qint32 itemID, qint32 invoiceID, qint32 quantity, Money price, Money cost)
{
    CSalesRec rec;
    rec.ItemID = itemID;
    rec.SIID = invoiceID;
    rec.Quanity = quantity;
    rec.SellingPrice = price;
    rec.Cost = cost;
    rec.Date = day(1997, 5, 15);
    return add(rec);
}

qint32 ProjectBuilder::rows(const char* table)
{
    QSqlQuery query(m_project.db().connection());
    query.exec(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(QLatin1String(table)));
    return query.next() ? query.value(0).toInt() : -1;
}

QList<double> ProjectBuilder::dues(qint32 invoiceID)
{
    QList<double> out;
    const QList<CARRec> chain =
        t().receivables().RecordsWhere(QStringLiteral("[SIID] = ?"), {invoiceID}, QStringLiteral("[ID]"));
    for (const CARRec& rec : chain)
        out.append(rec.Due.toDouble());
    return out;
}
