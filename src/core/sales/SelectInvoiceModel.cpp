#include "SelectInvoiceModel.h"

#include "core/common/StatusCodes.h"

#include "core/sales/InvoiceTexts.h"

#include "core/records/EntryHelpers.h"
#include "core/records/Pickers.h"

SelectInvoiceModel::SelectInvoiceModel(ProjectTables& tables, Prompter& prompter)
    : m_prompter(prompter), m_entries(InvoicePickerEntries(tables))
{
}

QString SelectInvoiceModel::caption() const
{
    return QStringLiteral("Select Invoice");
}

QString SelectInvoiceModel::helpLine() const
{
    return QStringLiteral("Select an invoice number from the list.");
}

void SelectInvoiceModel::selectInvoice(qint32 invoiceID)
{
    m_invoiceID = PickerIndexOf(m_entries, invoiceID) >= 0 ? invoiceID : NoSelection;
}

SelectInvoiceModel::Result SelectInvoiceModel::save()
{
    if (m_invoiceID == NoSelection) {
        warn(m_prompter, QStringLiteral("You must select an invoice from the list."));
        return Result::refused(Field::Invoice);
    }
    m_selectedID = m_invoiceID;
    return Result::ok();
}
