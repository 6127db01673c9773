#pragma once

#include "core/common/DialogModel.h"
#include "core/common/Money.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Prompter;
class ProjectTables;

// One pending line of a sale: a quantity of an item at a unit selling price.
struct SaleLine
{
    qint32 itemID = NoID;
    qint32 quantity = 0;
    Money price;
};

// What a pending sale comes to.
struct SaleTotals
{
    Money subtotal;
    Money tax;
    Money total;
    Money balance; // total less what the customer paid
};

// Subtotal, tax at the items' current rates (a line whose item is gone is not
// taxed), total and the balance left after `amountPaid`.
SaleTotals ComputeSaleTotals(ProjectTables& tables, const QList<SaleLine>& lines, Money amountPaid);

// The Record Sold Items dialog: collects the lines of a sale against one invoice,
// refusing what stock cannot cover, and records them: each line takes its units
// out of the item's lots (FIFO or LIFO) at their average cost, and the invoice's
// receivables come to owe its new total.
class RecordSoldItemsModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Item,
        Quantity,
        Price,
        AmountPaid
    };
    using Result = SaveResult<Field>;

    static constexpr qsizetype kMaxLines = 500;

    RecordSoldItemsModel(ProjectTables& tables, Prompter& prompter);

    // The dialog needs items and invoices; false, after telling the user, when
    // either table is empty.
    bool checkPrerequisites() override;

    QString caption() const override;
    QString helpLine() const override;

    // The invoice the sale is recorded on.
    qint32 invoiceID() const { return m_invoiceID; }
    void setInvoice(qint32 invoiceID) { m_invoiceID = invoiceID; }
    // Its number, as "INVOICE : " shows it; empty when it is gone.
    QString invoiceNumberText() const;

    // Set when the lines are added to an invoice that was already recorded; its
    // receivables then move by what the lines add, and the window hides Total,
    // the amount paid and Balance.
    bool addsToExistingInvoice() const { return m_addToExisting; }
    void setAddToExistingInvoice(bool adds) { m_addToExisting = adds; }
    bool totalsVisible() const { return !m_addToExisting; }

    const QStringList& itemEntries() const { return m_itemEntries; }
    qint32 itemID() const { return m_itemID; }
    // A choice in the item picker, Find Item, or the item the current list has
    // selected. Shows the item's figures and puts its selling price in the price
    // field; an ID not in the picker clears the selection.
    void selectItem(qint32 itemID);
    QString itemIdText() const { return m_itemIdText; }
    QString itemNumberText() const { return m_itemNumberText; }
    // What is still in stock once the pending lines of the item are taken.
    QString stockedText() const { return m_stockedText; }

    QString quantityText() const { return m_quantityText; }
    void setQuantityText(const QString& text) { m_quantityText = text; }
    // The price field holds an amount: the item's own price keeps every digit
    // even where its text shows fewer; typed text is read as it changes.
    QString priceText() const { return m_priceText; }
    void setPriceText(const QString& text);

    // "&Add >>": appends a line of the selected item; a refusal names the field
    // to correct, none when the sale is full.
    Result addLine();
    // "<< &Remove": drops the line at that position (later lines move up); false
    // without a line there.
    bool removeLine(qsizetype index);

    const QList<SaleLine>& lines() const { return m_lines; }
    // "Current Sale": "quantity x price (item name)", one per line.
    const QStringList& lineTexts() const { return m_lineTexts; }

    QString amountPaidText() const { return m_amountPaidText; }
    // Also what leaving the field does: the balance follows.
    void setAmountPaidText(const QString& text);

    const SaleTotals& totals() const { return m_totals; }
    QString subtotalText() const;
    QString taxText() const;
    QString totalText() const;
    QString balanceText() const;

    // OK: records the sale in one transaction. A line the lots cannot cover is
    // skipped with a message and the others are recorded; a failed write takes
    // everything back and keeps the pending lines. changes() names the sold
    // lines, the lots and items they took from, the invoice and its receivables.
    Result save();

    // The sales written by the last successful save (at most 1000).
    const QList<qint32>& recordedSales() const { return m_recordedSales; }

private:
    qint32 pendingQuantity(qint32 itemID) const;
    void refreshItemFigures();
    void recomputeTotals();
    Result failed();

    ProjectTables& m_tables;
    Prompter& m_prompter;

    qint32 m_invoiceID = NoSelection;
    bool m_addToExisting = false;
    QStringList m_itemEntries;
    qint32 m_itemID = NoSelection;
    QString m_itemIdText;
    QString m_itemNumberText;
    QString m_stockedText;
    QString m_quantityText;
    QString m_priceText;
    std::optional<Money> m_price;
    QList<SaleLine> m_lines;
    QStringList m_lineTexts;
    QString m_amountPaidText;
    SaleTotals m_totals;

    QList<qint32> m_recordedSales;
};
