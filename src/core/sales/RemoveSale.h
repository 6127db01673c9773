#pragma once

#include "core/common/ChangeList.h"

#include <QList>
#include <QString>

class Prompter;
class ProjectTables;

// The question asked before a sale is taken off its invoice.
QString RemoveSaleQuestion();

// Takes a sale off its invoice after asking: its quantity goes back into stock as
// a new lot of origin "Other" at the sale's cost, dated with the invoice, the
// item's Stocked is rewritten and every receivable of the invoice owes the sale's
// amount with tax less. Everything is written in one transaction; nothing is
// written when the user says No or the sale, its invoice or its item is gone. An
// invoice without receivables has nothing to lower: the sale is removed all the
// same. True when the sale was removed; the item, the new lot and the invoice go
// into `changes`, the sale's ID into `removedSales`.
bool RemoveSale(ProjectTables& tables, Prompter& prompter, qint32 saleID, ChangeList& changes,
                QList<qint32>* removedSales = nullptr);

// RemoveSale without its question, for a caller that asked already.
bool TakeSaleBack(ProjectTables& tables, Prompter& prompter, qint32 saleID, ChangeList& changes,
                  QList<qint32>* removedSales = nullptr);
