#pragma once

#include "core/records/Pickers.h" // InvoicePickerEntries, beside the other pickers

#include <QString>

class ProjectTables;

// The payment method a code stands for; codes outside 0..3 read as "Cash".
QString PayMethodText(int code);

// The customer of an invoice as Invoice Manager and the payment dialogs show it:
// "Company, First Last", "Company" alone, or "First Last"; empty when the invoice
// has no customer (an ID not above 0) or the customer is gone.
QString InvoiceCustomerText(ProjectTables& tables, qint32 customerID);
