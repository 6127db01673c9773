#pragma once

#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"

#include <QStringList>

class Prompter;
class ProjectTables;

// The Select Invoice dialog: picks one invoice from the invoice picker, for the
// reports that show a single invoice.
class SelectInvoiceModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Invoice
    };
    using Result = SaveResult<Field>;

    SelectInvoiceModel(ProjectTables& tables, Prompter& prompter);

    QString caption() const override;
    QString helpLine() const override;

    const QStringList& invoiceEntries() const { return m_entries; }
    qint32 invoiceID() const { return m_invoiceID; }
    // An ID not in the picker clears the selection.
    void selectInvoice(qint32 invoiceID);

    // OK: refused while nothing is selected; only chooses, writes nothing.
    Result save();
    // The invoice chosen by the last successful save (NoSelection before).
    qint32 selectedInvoice() const { return m_selectedID; }

private:
    Prompter& m_prompter;
    QStringList m_entries;
    qint32 m_invoiceID = NoSelection;
    qint32 m_selectedID = NoSelection;
};
