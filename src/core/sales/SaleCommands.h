#pragma once

#include "core/common/ChangeList.h"
#include "core/common/RecordIds.h"

class Prompter;
class ProjectTables;

// The rules of the Record Sale and Undo Sale commands that hang on the list
// showing: which item a sale starts with, and when a sale can be taken back.

// The item Record Sold Items starts with, for the list showing (a ListingKind
// code, -1 for none) and the record of its selected row: on the item list that
// item, on the purchase-order list the item of the order's first line, on the
// stock list the lot's item; NoID on the other lists, without a selection, or
// when the record is gone.
qint32 ItemToSellFromList(ProjectTables& tables, int listKind, qint32 recordID);

// Undo Sale is available while the invoice list shows with an invoice selected.
bool UndoSaleAvailable(int listKind, qint32 selectedRecordID);

// Undo Sale on the selected invoice: after one question, every sale on the
// invoice goes back into stock as RemoveSale takes back one, all in one
// transaction; the invoice itself stays, with its payments, and owes what is
// left on it. False, writing nothing, when the user says No, when the invoice
// holds no sale (the user is told) or when any sale cannot be taken back.
// `changes` receives the items, the new lots, the invoice and its receivables.
bool UndoInvoiceSale(ProjectTables& tables, Prompter& prompter, qint32 invoiceID, ChangeList& changes);
