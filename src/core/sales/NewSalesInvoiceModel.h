#pragma once

#include "core/common/DialogModel.h"

#include <QString>

class Clock;
struct CSIRec;
class Prompter;
class ProjectTables;

// The New Sales Invoice dialog: creates an invoice (number, date, customer,
// payment method, note) or rewrites an existing one, whose number then stays as
// it is and whose receivables follow it to its customer.
class NewSalesInvoiceModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Date,
        Number,
        Notes
    };
    using Result = SaveResult<Field>;

    static constexpr int kMaxNotes = 200;

    // A new invoice: the next number, today's date, no customer, paid in cash.
    NewSalesInvoiceModel(ProjectTables& tables, Prompter& prompter, const Clock& clock);

    // Switches to modify mode and shows the invoice; false (with the message for
    // a missing record) when it does not exist.
    bool loadForModify(qint32 invoiceID);

    bool isModify() const { return m_modifyID != NoID; }
    QString caption() const override;
    // The number of an existing invoice cannot change.
    bool numberEnabled() const { return !isModify(); }

    QString numberText() const { return m_numberText; }
    void setNumberText(const QString& text) { m_numberText = text; }
    QString dateText() const { return m_dateText; }
    void setDateText(const QString& text) { m_dateText = text; }
    QString notes() const { return m_notes; }
    void setNotes(const QString& text) { m_notes = text; }

    // 0 "Cash", 1 "Check", 2 "Charge Card", 3 "Account"; other codes read as cash.
    int payMethod() const { return m_payMethod; }
    void setPayMethod(int code);

    // What "&Customer Information" chose; NoSelection for no customer, also when
    // the customer's record cannot be read.
    qint32 customerID() const { return m_customerID; }
    void setCustomer(qint32 customerID);
    // "Company  First Last" and the ID as six digits; "N/A" without a customer
    // or when its record cannot be read.
    QString customerText() const { return m_customerText; }
    QString customerIdText() const { return m_customerIdText; }

    // Validates and writes; a refusal names the field to correct. Modifying
    // names the invoice and its receivables, which follow its customer.
    Result save();

    // The invoice written by the last successful save (NoID before).
    qint32 invoiceID() const { return m_savedID; }

private:
    Result add(CSIRec& invoice);
    Result modify(const CSIRec& invoice);

    ProjectTables& m_tables;
    Prompter& m_prompter;

    qint32 m_modifyID = NoID;
    qint32 m_savedID = NoID;
    QString m_numberText;
    QString m_dateText;
    QString m_notes;
    int m_payMethod = 0;
    qint32 m_customerID = NoSelection;
    QString m_customerText;
    QString m_customerIdText;
};
