#pragma once

#include "core/common/DialogModel.h"
#include "core/common/Money.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class Prompter;
class ProjectTables;
class UserSettings;

// One row of Invoice Manager's sales list: a sale with its item's name and number
// and its amounts as text.
struct InvoiceSaleRow
{
    qint32 saleID = NoID;
    QString name;
    QString number;
    QString quantity;
    QString price;
    QString subtotal;
    QString tax;

    // The six cell texts in column order.
    QStringList texts() const { return {name, number, quantity, price, subtotal, tax}; }
};

// The Invoice Manager window: one invoice with its customer, date, payment
// method, note, what is due, paid and left, and its sales; the doors to the
// dialogs that change it, and taking a sale off it.
class InvoiceManagerModel : public DialogModel
{
public:
    // Nothing to refuse: each action writes at once or through the dialog it opens.
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    static constexpr int kColumnCount = 6;
    static constexpr const char* kSettingsSection = "SIManage";
    // By column; column 4 (Subtotal) is stored as "Width6", column 5 (Tax) as "Width5".
    static const std::array<int, kColumnCount> kDefaultColumnWidths;

    // Selects the invoice given, if any.
    InvoiceManagerModel(ProjectTables& tables, Prompter& prompter, qint32 invoiceID = NoSelection);

    QString caption() const override;

    const QStringList& invoiceEntries() const { return m_entries; }
    qint32 invoiceID() const { return m_invoiceID; }
    // An ID not in the picker clears the selection, which leaves the display as
    // it was.
    void selectInvoice(qint32 invoiceID);

    QString customerText() const { return m_customerText; }
    QString dateText() const { return m_dateText; }
    QString notes() const { return m_notes; }
    QString payMethodText() const { return m_payMethodText; }
    // The receivables' figures, unless the sales add up to something else: then
    // that is shown as due and the balance follows from it.
    QString amountDueText() const { return FormatCurrency(m_due); }
    QString amountPaidText() const { return FormatCurrency(m_paid); }
    QString balanceText() const { return FormatCurrency(m_balance); }
    Money amountDue() const { return m_due; }
    Money balance() const { return m_balance; }
    // Subtotal and tax of every row.
    Money runningTotal() const { return m_runningTotal; }

    static QStringList columnCaptions();
    // Only "Subtotal" is right-aligned.
    static bool columnRightAligned(int column) { return column == 4; }
    static QString widthKey(int column);
    static std::array<int, kColumnCount> loadColumnWidths(const UserSettings& settings);
    static void saveColumnWidths(UserSettings& settings, const std::array<int, kColumnCount>& widths);

    const QList<InvoiceSaleRow>& rows() const { return m_rows; }
    // The row selection, by position; -1 for none.
    void selectRow(qsizetype row) { m_selectedRow = row; }
    qsizetype selectedRow() const { return m_selectedRow; }

    // "Modify ", "Manage Payments", "View Invoice", "Print Invoice": the selected
    // invoice, or nothing after telling the user there is none.
    std::optional<qint32> invoiceForAction();
    // "Add to Invoice": the invoice Record Sold Items records on, or nothing after
    // telling the user why it cannot open.
    std::optional<qint32> invoiceForAdd();
    // "Delete from Invoice": takes the selected sale off the invoice after asking;
    // true when it was removed (the display is refreshed).
    bool deleteFromInvoice();
    // "Record Return": the selected sale, for Customer Return.
    std::optional<qint32> saleForReturn();

    // After "New ": the picker is refilled and the new invoice selected.
    void invoiceCreated(qint32 invoiceID);
    // After any other dialog opened from here: its changes are kept, the picker
    // refilled with the same invoice selected, and everything recomputed.
    void childClosed(const ChangeList& changes);
    void refresh();

    // The sales taken off invoices here.
    const QList<qint32>& removedSales() const { return m_removedSales; }

    // Close: each action writes at once or through the dialog it opens; changes() holds what they changed.
    Result save() { return Result::ok(); }

private:
    std::optional<qint32> selectedSale(const QString& noRowMessage);
    void reload();

    ProjectTables& m_tables;
    Prompter& m_prompter;

    QStringList m_entries;
    qint32 m_invoiceID = NoSelection;
    QString m_customerText;
    QString m_dateText;
    QString m_notes;
    QString m_payMethodText;
    Money m_due;
    Money m_paid;
    Money m_balance;
    Money m_runningTotal;
    QList<InvoiceSaleRow> m_rows;
    qsizetype m_selectedRow = -1;

    QList<qint32> m_removedSales;
};
