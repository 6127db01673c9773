#include "core/reports/PurchaseOrderReports.h"

#include "ProjectFixture.h"
#include "Texts.h"

#include <gtest/gtest.h>

namespace {

using PurchaseOrderReportsTest = ProjectFixture;

TEST_F(PurchaseOrderReportsTest, PrintoutHeaderLinesAndExactTotals)
{
    const qint32 acme = b.vendor(str("Acme"), str("ACME-7"));
    const qint32 taxed = b.item({str("Taxed"), acme, NoID, Money::fromWhole(3, 3300), 0, 0, 0, true});
    // A price in fractions of a cent adds up as it is, not as its rounded text.
    const qint32 fine = b.item({str("Fine"), acme, NoID, Money::fromTenThousandths(3333), 0, 0, 0, true});
    const qint32 plain = b.item({str("Plain"), acme, NoID, Money::fromWhole(10)});
    const qint32 po = b.po(42, acme, day(1997, 3, 1));
    b.change<CPORec>(po, [](CPORec& order) {
        order.RequiredDate = day(1997, 4, 2);
        order.Notes = str("Leave at the back door");
    });
    b.orderLine(taxed, po, 7);
    b.orderLine(fine, po, 3);
    b.orderLine(plain, po, 2);

    const PurchaseOrderPrintout printout = BuildPurchaseOrderPrintout(t(), po);
    ASSERT_EQ(printout.error, QString());
    EXPECT_EQ(printout.title, str("PURCHASE ORDER #000042"));
    EXPECT_EQ(printout.dateLine, str("Date : 3/1/1997"));
    EXPECT_EQ(printout.numberLine, str("PO Number : 000042"));
    EXPECT_EQ(printout.vendorNumberLine, str("Vendor Number : ACME-7"));
    EXPECT_EQ(printout.requiredDateLine, str("Required Date : 4/2/1997"));
    EXPECT_EQ(printout.noteLine, str("Note : Leave at the back door"));
    EXPECT_EQ(printout.lines, (QList<QStringList>{strs({"Taxed", "TAX-1", "7", "$3.33", "Y", "$23.31"}),
                                                  strs({"Fine", "FIN-1", "3", "$0.33", "Y", "$1.00"}),
                                                  strs({"Plain", "PLA-1", "2", "$10.00", "N", "$20.00"})}));
    // Tax at 7.25 % on each taxable line, truncated to the ten-thousandth:
    // 23.31 -> 1.6899, 0.9999 -> 0.0724.
    EXPECT_EQ(printout.totals.subtotal, Money::fromTenThousandths(443099));
    EXPECT_EQ(printout.totals.tax, Money::fromTenThousandths(17623));
    EXPECT_EQ(printout.totals.total, Money::fromTenThousandths(460722));
    EXPECT_EQ(printout.totalLines, (QList<ReportStatisticLine>{{str("Subtotal"), str("$44.31")},
                                                               {str("Tax"), str("$1.76")},
                                                               {str("Total"), str("$46.07")}}));

    // The lines Manage Purchase Orders computed are taken as they are.
    EXPECT_EQ(BuildPurchaseOrderPrintout(t(), po, {}).totals.total, Money());
    EXPECT_EQ(BuildPurchaseOrderPrintout(t(), po + 100).error, str("Unable to open records."));
}

TEST_F(PurchaseOrderReportsTest, HistoryShowsEachLineWithItsReceipts)
{
    const qint32 acme = b.vendor(str("Acme"), str("ACME-7"));
    const qint32 widget = b.item({str("Widget"), acme});
    const qint32 gadget = b.item({str("Gadget"), acme});
    const qint32 po = b.po(42, acme, day(1997, 3, 1));
    b.change<CPORec>(po, [](CPORec& order) {
        order.Filled = true;
        order.FilledDate = day(1997, 3, 20);
        order.Notes = str("Rush");
    });
    const qint32 partly = b.orderLine(widget, po, 10);
    b.receive(partly, 4, day(1997, 3, 10));
    b.receive(partly, 3, day(1997, 3, 12));
    const qint32 whole = b.orderLine(gadget, po, 5);
    b.receive(whole, 5, day(1997, 3, 11));
    // A line whose item is gone.
    COrderRec orphan;
    orphan.ItemID = 999;
    orphan.VendorID = acme;
    orphan.POID = po;
    orphan.Quanity = 2;
    const qint32 orphanID = b.add(orphan);
    const qint32 other = b.po(43, acme, day(1998, 1, 5));

    const PurchaseOrderHistory history = BuildPurchaseOrderHistory(t(), po);
    ASSERT_EQ(history.error, QString());
    ASSERT_EQ(history.purchaseOrders.size(), 1);
    const PurchaseOrderHistoryEntry& entry = history.purchaseOrders.at(0);
    EXPECT_EQ(entry.header,
              strs({"PO Date : 3/1/1997", "PO Number : 000042", "Vendor Number : ACME-7",
                    "Required Date : 3/1/1997", "Tax Rate : 7.250%", "Filled : 3/20/1997", "Note : Rush"}));
    ASSERT_EQ(entry.orders.size(), 3);
    // The backorder still open, with both receipts of its line.
    EXPECT_EQ(entry.orders.at(0).orderID, partly);
    EXPECT_EQ(entry.orders.at(0).text, str("ORDER :  Item : Widget  Number : WID-1  Quantity : 3"));
    EXPECT_EQ(entry.orders.at(0).receipts,
              strs({"RECEIVED :  Date : 3/10/1997  Quantity : 4  Unit Price: $2.00",
                    "RECEIVED :  Date : 3/12/1997  Quantity : 3  Unit Price: $2.00"}));
    EXPECT_EQ(entry.orders.at(1).orderID, orphanID);
    EXPECT_EQ(entry.orders.at(1).text,
              str("ORDER :  Item : Not Available  Number : Not Available  Quantity : 2"));
    EXPECT_TRUE(entry.orders.at(1).receipts.isEmpty());
    // The line received in full lives on in its receipt.
    EXPECT_EQ(entry.orders.at(2).orderID, whole);
    EXPECT_EQ(entry.orders.at(2).text, str("ORDER :  Item : Gadget  Number : GAD-1  Quantity : 5"));
    EXPECT_EQ(entry.orders.at(2).receipts,
              strs({"RECEIVED :  Date : 3/11/1997  Quantity : 5  Unit Price: $2.00"}));

    // Every purchase order, each with its own lines; an unknown one is an error.
    const PurchaseOrderHistory all = BuildPurchaseOrderHistory(t());
    ASSERT_EQ(all.purchaseOrders.size(), 2);
    EXPECT_EQ(all.purchaseOrders.at(0).orders.size(), 3);
    EXPECT_EQ(all.purchaseOrders.at(1).poID, other);
    EXPECT_EQ(all.purchaseOrders.at(1).header.at(5), str("Filled : NO"));
    EXPECT_TRUE(all.purchaseOrders.at(1).orders.isEmpty());
    EXPECT_EQ(BuildPurchaseOrderHistory(t(), other + 1).error, str("Unable to open records."));
}

} // namespace
