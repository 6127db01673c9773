#pragma once

#include "core/common/Money.h"

#include <QList>
#include <QString>

class ProjectTables;

// An invoice whose first receivable does not owe the invoice total.
struct StaleInvoiceDue
{
    qint32 invoiceID = 0;
    Money due;   // what the first receivable says
    Money total; // what the invoice's sales add up to now
};

// Every invoice with receivables whose first Due differs from its total computed
// as ComputeInvoiceTotal does (one pass over the sales, grouped by invoice). An
// invoice without sales totals 0. Invoices without receivables are not listed.
// Empty (with *ok false when given) when the project cannot be read.
QList<StaleInvoiceDue> FindStaleInvoiceDues(ProjectTables& tables, bool* ok = nullptr);

// What a re-synchronisation did.
struct BalanceUpdate
{
    bool ok = false;
    qint32 rewritten = 0; // invoices whose chain was rewritten
    QString error;
};

// Brings the amount due of every invoice into line with its sales, as a project
// is opened: item tax rates may have changed or items been deleted since the
// invoices were written. Only invoices whose first Due is wrong are rewritten
// (the whole chain, from the new total), all in one transaction.
BalanceUpdate UpdateInvoiceBalances(ProjectTables& tables);
