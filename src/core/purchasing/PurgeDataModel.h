#pragma once

#include "common/ChangeList.h"
#include "common/SaveResult.h"

#include <QString>

class Clock;
class Prompter;
class ProjectTables;

// The Purge Data dialog: permanently removes, up to a cut-off date, purchase
// orders marked filled (with their order lines and receipts) and invoices paid
// in full (with their sold items and payments). Stock lots are never purged:
// the goods they describe are still on the shelf.
class PurgeDataModel
{
public:
    // Nothing is checked; the date starts at today.
    PurgeDataModel(ProjectTables& tables, Prompter& prompter, const Clock& clock);

    static QString caption();
    static QString helpLine();
    static QString confirmationText();

    bool purgeInvoices() const { return m_purgeInvoices; }
    void setPurgeInvoices(bool on) { m_purgeInvoices = on; }
    bool purgePOs() const { return m_purgePOs; }
    void setPurgePOs(bool on) { m_purgePOs = on; }

    QString dateText() const { return m_dateText; }
    void setDateText(const QString& text) { m_dateText = text; }
    // Readable text in its canonical form, anything else as typed.
    void reformatDate();

    // OK: refuses an invalid date ("date"); with neither box checked closes
    // without doing anything; otherwise asks, and on Yes purges in one step.
    // No keeps the dialog open.
    LegacySaveResult save();

    // Whether a purge ran, so the invoice and purchase-order lists are read afresh.
    bool purged() const { return m_purged; }
    qint32 purgedInvoiceCount() const { return m_invoiceCount; }
    qint32 purgedPOCount() const { return m_poCount; }
    // The invoices and purchase orders removed and the items whose Ordered was
    // rewritten (each kind capped as change lists are).
    const ChangeList& changes() const { return m_changes; }

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
    ChangeList m_changes;
};
