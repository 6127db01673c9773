#pragma once

#include "core/common/RecordIds.h"
#include "core/purchasing/POLines.h"
#include "core/reports/ReportContent.h"

#include <QList>
#include <QString>
#include <QStringList>

class ProjectTables;

// What the two purchase-order layouts show, with nothing drawn. Dates and
// amounts are written in the user's locale.

// The purchase-order printout: its header texts, one line of six texts for
// each line of the purchase order (as Manage Purchase Orders computes them),
// and the totals.
struct PurchaseOrderPrintout
{
    // "Unable to open records." when the purchase order does not exist; the
    // pane then shows nothing else.
    QString error;
    qint32 poID = NoID;
    QString title;            // "PURCHASE ORDER #000042"
    QString dateLine;         // "Date : <date>"
    QString numberLine;       // "PO Number : 000042"
    QString vendorNumberLine; // "Vendor Number : <the vendor's number>"
    QString requiredDateLine; // "Required Date : <date>"
    QString noteLine;         // "Note : <notes>"
    // Item name, item number, quantity ordered, unit price, "Y" or "N" for a
    // taxable item, extended cost.
    QList<QStringList> lines;
    // Added up from the lines' amounts: tax is charged on each taxable line at
    // the purchase order's rate.
    POTotals totals;
    // "Subtotal", "Tax" and "Total" with their amounts: the closing block.
    QList<ReportStatisticLine> totalLines;
};

// The printout of a purchase order, its lines computed here.
PurchaseOrderPrintout BuildPurchaseOrderPrintout(ProjectTables& tables, qint32 poID);
// The same with lines computed already (by Manage Purchase Orders).
PurchaseOrderPrintout BuildPurchaseOrderPrintout(ProjectTables& tables, qint32 poID,
                                                 const QList<POLine>& lines);

// One order line of the history with the receipts recorded against it.
struct PurchaseOrderHistoryOrder
{
    qint32 orderID = NoID;
    // "ORDER :  Item : <name>  Number : <number>  Quantity : <n>"
    QString text;
    // "RECEIVED :  Date : <date>  Quantity : <n>  Unit Price: <amount>", in
    // the order they were recorded.
    QStringList receipts;
};

struct PurchaseOrderHistoryEntry
{
    qint32 poID = NoID;
    // Seven lines: "PO Date : ", "PO Number : ", "Vendor Number : ",
    // "Required Date : ", "Tax Rate : 7.250%", "Filled : NO" or
    // "Filled : <date>", "Note : ".
    QStringList header;
    // The order lines still open (in table order), then the lines received in
    // full, which live on only in their receipts.
    QList<PurchaseOrderHistoryOrder> orders;
};

struct PurchaseOrderHistory
{
    // "Unable to open records." when the records cannot be read or the
    // purchase order asked for does not exist.
    QString error;
    QList<PurchaseOrderHistoryEntry> purchaseOrders;
};

// The history of one purchase order.
PurchaseOrderHistory BuildPurchaseOrderHistory(ProjectTables& tables, qint32 poID);
// The history of every purchase order, in table order.
PurchaseOrderHistory BuildPurchaseOrderHistory(ProjectTables& tables);

// "Not Available": the name and number of an item that no longer exists, and
// the unit price of a receipt whose lot is gone.
QString NotAvailableText();
