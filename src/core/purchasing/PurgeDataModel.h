#pragma once

#include "core/common/DialogModel.h"

#include <QString>

class Clock;
class Prompter;
class ProjectTables;

// The Purge Data dialog: permanently removes, up to a cut-off date, purchase
// orders marked filled (with their order lines and receipts) and invoices paid
// in full (with their sold items and payments). Stock lots are never purged:
// the goods they describe are still on the shelf.
class PurgeDataModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Date
    };
    using Result = SaveResult<Field>;

    // Nothing is checked; the date starts at today.
    PurgeDataModel(ProjectTables& tables, Prompter& prompter, const Clock& clock);

    QString caption() const override;
    QString helpLine() const override;
    static QString confirmationText();

    bool purgeInvoices() const { return m_purgeInvoices; }
    void setPurgeInvoices(bool on) { m_purgeInvoices = on; }
    bool purgePOs() const { return m_purgePOs; }
    void setPurgePOs(bool on) { m_purgePOs = on; }

    QString dateText() const { return m_dateText; }
    void setDateText(const QString& text) { m_dateText = text; }
    // Readable text in its canonical form, anything else as typed.
    void reformatDate();

    // OK: refuses an invalid date; with neither box checked closes
    // without doing anything; otherwise asks, and on Yes purges in one step.
    // No keeps the dialog open.
    Result save();

    // Whether a purge ran, so the invoice and purchase-order lists are read afresh.
    bool purged() const { return m_purged; }
    qint32 purgedInvoiceCount() const { return m_invoiceCount; }
    qint32 purgedPOCount() const { return m_poCount; }
    // changes(): the invoices and purchase orders removed and the items whose Ordered was
    // rewritten (each kind capped as change lists are). Their lines, receipts
    // and receivables go with them and are not listed one by one: a purge
    // removes them by the thousand.

private:
    bool purgeFilledPOs(double cutoff, ChangeList& changes, qint32& count);
    bool purgePaidInvoices(double cutoff, ChangeList& changes, qint32& count);

    ProjectTables& m_tables;
    Prompter& m_prompter;

    bool m_purgeInvoices = false;
    bool m_purgePOs = false;
    QString m_dateText;

    bool m_purged = false;
    qint32 m_invoiceCount = 0;
    qint32 m_poCount = 0;
};
