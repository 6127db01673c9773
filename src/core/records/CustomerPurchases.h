#pragma once

#include <QString>

class Prompter;
class ProjectTables;

// The Customer Purchases command: the sales list narrowed to the invoices of the
// customer selected in the customer list.

// The sales list's filter for one customer's invoices.
QString CustomerPurchasesFilter(qint32 customerId);

// Checks that the customer list is the current list (currentListKind is a
// ListingKind code, -1 when no list is showing) and that a customer is selected,
// telling the user otherwise. Then locks the filter onto the invoices' record
// access object until its next reopen, so that the sales list's reload keeps it;
// the caller then switches the pane to the sales list and reloads it. False when
// nothing was done.
bool ShowCustomerPurchases(ProjectTables& tables, Prompter& prompter, int currentListKind, qint32 selectedCustomerId);
