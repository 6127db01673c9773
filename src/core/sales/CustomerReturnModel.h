#pragma once

#include "core/common/DialogModel.h"
#include "core/common/Money.h"

#include <QList>
#include <QString>

class Prompter;
class ProjectTables;

// The Customer Return dialog: a customer brings back some or all of one sale.
// The returned units go back into stock as a lot of origin "Customer Return" at
// the sale's cost, the sale shrinks (or goes when all of it came back), and every
// receivable of the invoice owes the returned amount with tax less.
class CustomerReturnModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Quantity
    };
    using Result = SaveResult<Field>;

    CustomerReturnModel(ProjectTables& tables, Prompter& prompter);

    QString caption() const override;
    QString helpLine() const override;
    static QString reimbursementTitle();

    // The sale the customer brings back: shows it.
    CustomerReturnModel& setSale(qint32 saleID);
    // The command needs at least one item and one sale; false, after telling the
    // user, when either table is empty: the dialog does not open then. Shows the
    // sale; false, after "Unable to locate sale record.", when it is gone: the
    // texts stay empty and OK refuses with the same message.
    bool checkPrerequisites() override;

    qint32 saleID() const { return m_saleID; }
    // Read-only texts of the sale and its item.
    QString itemName() const { return m_itemName; }
    QString itemNumber() const { return m_itemNumber; }
    QString itemIdText() const { return m_itemIdText; }
    QString salePriceText() const { return m_salePriceText; }
    QString saleQuantityText() const { return m_saleQuantityText; }

    QString quantityText() const { return m_quantityText; }
    void setQuantityText(const QString& text) { m_quantityText = text; }

    // OK: records the return and tells the user what to pay back. changes() names
    // the lot, the item, the sale, the invoice and its receivables. Once a return
    // has been recorded the model refuses to record it again.
    Result save();
    bool isCompleted() const { return m_completed; }

    // What the last recorded return paid back.
    Money subtotal() const { return m_subtotal; }
    Money tax() const { return m_tax; }
    Money total() const { return m_total; }
    static QString reimbursementText(Money subtotal, Money tax, Money total);

    // The sale that was lowered or removed, which no list of its own shows.
    const QList<qint32>& saleIDs() const { return m_saleIDs; }
    bool saleRemoved() const { return m_saleRemoved; }
    // The lot the returned units went into; 0 before a return was recorded.
    qint32 lotID() const { return m_lotID; }

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;

    qint32 m_saleID = NoID;
    QString m_itemName;
    QString m_itemNumber;
    QString m_itemIdText;
    QString m_salePriceText;
    QString m_saleQuantityText;
    QString m_quantityText;

    bool m_saleFound = false;
    bool m_completed = false;
    bool m_saleRemoved = false;
    qint32 m_lotID = 0;
    Money m_subtotal;
    Money m_tax;
    Money m_total;
    QList<qint32> m_saleIDs;
};
