#pragma once

#include <QList>
#include <QtGlobal>

#include <optional>

class ProjectDatabase;

// Sums the engine computes over whole tables: the stock and order totals of
// items, and invoices whose amount due no longer follows their sales.

// The sum of Quanity over the records of `table` ("Stock" or "Order") that
// belong to the item; nothing when the read fails.
std::optional<qint64> ItemQuantityTotal(ProjectDatabase& db, const QString& table, qint32 itemID);

// An item's stored totals beside the sums of its stock lots and order lines.
struct ItemTotalsRow
{
    qint32 itemID = 0;
    qint64 stocked = 0;
    qint64 ordered = 0;
    qint64 lots = 0;
    qint64 lines = 0;
};
// Every item, in ID order; nothing when the read fails.
std::optional<QList<ItemTotalsRow>> ReadItemTotals(ProjectDatabase& db);

enum class ItemTotal
{
    Ordered,
    StockedAndOrdered,
};
// Rewrites every item's Ordered (and Stocked) from its order lines (and stock
// lots) in one statement.
bool RecountItemTotals(ProjectDatabase& db, ItemTotal which);

// An invoice's stored amount due (that of its first receivable) and the total
// of its sales lines, both in ten-thousandths.
struct InvoiceDueRow
{
    qint32 invoiceID = 0;
    qint64 due = 0;
    qint64 salesTotal = 0;
};
// The invoices whose amount due differs from the total of their sales, in
// invoice order. The total follows the invoice arithmetic in ten-thousandths:
// each line is the selling price rounded to ten-thousandths times the
// quantity, and a taxable item's line adds its amount times the tax rate made
// a whole number of hundred-thousandths, truncated toward zero. Nothing when
// the read fails.
std::optional<QList<InvoiceDueRow>> ReadStaleInvoiceDues(ProjectDatabase& db);

// An invoice's figures for the account and balance reports, in ten-thousandths.
struct InvoiceAmountsRow
{
    qint32 invoiceID = 0;
    qint32 customerID = 0;
    qint32 number = 0;
    double date = 0; // day number; 0 when the invoice has no date
    bool dated = false;
    qint64 total = 0; // of its sales, with tax, as ComputeInvoiceTotal makes it
    bool hasReceivable = false;
    qint64 due = 0;  // the first receivable's Due
    qint64 paid = 0; // the sum of every receivable's Paid
};
// Every invoice with an ID above 0, or only the customer's when one is given,
// in ID order; each invoice's sales and receivables are found through their
// SIID index. The total follows the invoice arithmetic described above.
// Nothing when the read fails.
std::optional<QList<InvoiceAmountsRow>> ReadInvoiceAmounts(ProjectDatabase& db,
                                                           std::optional<qint32> customerID = std::nullopt);
