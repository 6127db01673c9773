#pragma once

#include "core/common/DialogModel.h"
#include "core/common/Money.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class Prompter;
class ProjectTables;

// What a button of Manage Payments asks the desktop to open: Record Customer
// Payment for the invoice, for a new payment or for an existing one.
struct ManagePaymentsAction
{
    enum class Kind
    {
        None,          // refused with a message
        AddPayment,    // a new payment toward invoiceID
        ModifyPayment, // the payment paymentID of invoiceID
    };

    Kind kind = Kind::None;
    qint32 invoiceID = NoSelection;
    qint32 paymentID = NoSelection;
};

// The Manage Payments dialog: one invoice's amount due, what was paid toward it
// and what is left, one row per payment, and adding, changing or deleting
// payments. The first payment, written with the sale, is never deleted.
class ManagePaymentsModel : public DialogModel
{
public:
    // Nothing to refuse: each action writes at once or through the dialog it opens.
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    // One payment of the list.
    struct Row
    {
        qint32 paymentID = NoID;
        QString dateText;
        Money paid;
        // What was left owing after this payment: its Due minus its Paid.
        Money balance;
        QString paidText;
        QString balanceText;
    };

    static constexpr int kColumnCount = 3;
    static constexpr int kColumnWidth = 100;

    // The invoice given is selected; without one nothing is.
    ManagePaymentsModel(ProjectTables& tables, Prompter& prompter, qint32 invoiceID = NoSelection);

    QString caption() const override;
    static std::array<QString, kColumnCount> columnCaptions();
    // "Date" is left-aligned, "Paid" and "Balance" right-aligned.
    static bool columnRightAligned(int column) { return column > 0; }

    const QStringList& invoiceEntries() const { return m_invoiceEntries; }
    qint32 invoiceID() const { return m_invoiceID; }
    // An ID not in the picker clears the selection.
    void selectInvoice(qint32 invoiceID);

    // The selected invoice's texts; empty without one.
    QString customerText() const { return m_customerText; }
    QString dateText() const { return m_dateText; }
    QString amountDueText() const { return m_amountDueText; }
    QString amountPaidText() const { return m_amountPaidText; }
    QString balanceText() const { return m_balanceText; }

    const QList<Row>& rows() const { return m_rows; }
    // The row selection, by payment ID; an ID not in the list clears it.
    void selectRow(qint32 paymentID);
    qint32 selectedPaymentID() const { return m_selectedPaymentID; }

    // The buttons.
    ManagePaymentsAction addPayment();
    ManagePaymentsAction editPayment();
    // Deletes the selected payment after asking, and rewrites the amounts due of
    // the payments after it; true when it was deleted.
    bool deletePayment();

    // After Record Customer Payment: its changes are kept, and the picker, the
    // texts and the list are read afresh with the same invoice selected.
    void childClosed(const ChangeList& changes);
    void refresh();

    // The receivables deleted here, which no list of its own shows.
    const QList<qint32>& deletedPaymentIDs() const { return m_deletedPaymentIDs; }

    // Close: each action writes at once or through the dialog it opens; changes() holds what they changed.
    Result save() { return Result::ok(); }

private:
    bool requireInvoice();
    bool requireRow();
    void load();

    ProjectTables& m_tables;
    Prompter& m_prompter;

    QStringList m_invoiceEntries;
    qint32 m_invoiceID = NoSelection;
    QString m_customerText;
    QString m_dateText;
    QString m_amountDueText;
    QString m_amountPaidText;
    QString m_balanceText;
    QList<Row> m_rows;
    qint32 m_selectedPaymentID = NoSelection;

    QList<qint32> m_deletedPaymentIDs;
};
