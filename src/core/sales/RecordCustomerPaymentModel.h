#pragma once

#include "core/common/DialogModel.h"

#include <QList>
#include <QString>

class Clock;
class Prompter;
class ProjectTables;

// The Record Customer Payment dialog: adds a payment toward an invoice or
// rewrites one, then brings the invoice's payment chain back in line.
class RecordCustomerPaymentModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Date,
        Amount
    };
    using Result = SaveResult<Field>;

    RecordCustomerPaymentModel(ProjectTables& tables, Prompter& prompter, const Clock& clock);

    QString helpLine() const override;

    // Fills the dialog for a payment toward the invoice: a new one (paymentID -1),
    // dated today for nothing, or the receivable given, with its date and amount.
    RecordCustomerPaymentModel& setPayment(qint32 invoiceID, qint32 paymentID = NoSelection);
    // False, after telling the user, when the invoice or that receivable is gone:
    // the dialog closes then.
    bool checkPrerequisites() override;

    bool isModify() const { return m_paymentID > 0; }
    // "Record Customer Payment", or "Modify Customer Payment" for an existing one.
    QString caption() const override;

    QString customerText() const { return m_customerText; }
    QString invoiceText() const { return m_invoiceText; }

    QString dateText() const { return m_dateText; }
    void setDateText(const QString& text) { m_dateText = text; }
    QString amountText() const { return m_amountText; }
    void setAmountText(const QString& text) { m_amountText = text; }
    // What the fields show when they lose the focus: readable text in its
    // canonical form, anything else as typed.
    void reformatDate();
    void reformatAmount();

    // OK: writes the payment and rewrites the invoice's amounts due; changes()
    // names the invoice and every receivable of it.
    Result save();

    qint32 invoiceID() const { return m_invoiceID; }
    // The receivable written by the last successful save; NoID before.
    qint32 paymentID() const { return m_savedID; }
    // The receivables added or changed, which no list of its own shows.
    const QList<qint32>& paymentIDs() const { return m_paymentIDs; }

private:
    enum class Missing
    {
        Nothing,
        Invoice,
        Payment
    };
    // Reads the invoice and the payment into the fields; what could not be read.
    Missing fill();

    ProjectTables& m_tables;
    Prompter& m_prompter;
    const Clock& m_clock;

    qint32 m_invoiceID = NoID;
    qint32 m_paymentID = NoSelection;
    Missing m_missing = Missing::Invoice;
    QString m_customerText;
    QString m_invoiceText;
    QString m_dateText;
    QString m_amountText;

    qint32 m_savedID = NoID;
    QList<qint32> m_paymentIDs;
};
