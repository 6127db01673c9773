#pragma once

#include "core/common/DialogModel.h"

#include <QList>
#include <QString>
#include <QStringList>

class Prompter;
class ProjectTables;

// The Record Order dialog: puts a quantity of an item on a purchase order as an
// order line (adding to the item's line when the purchase order already has
// one), or rewrites one order line (modify). The item's Ordered follows.
class RecordOrderModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Quantity,
        PurchaseOrder,
        Item
    };
    using Result = SaveResult<Field>;

    RecordOrderModel(ProjectTables& tables, Prompter& prompter);

    // The dialog needs vendors and items; false, after telling the user, when
    // either table is empty.
    bool checkPrerequisites() override;

    // A new order line: the item given (else the first item) and the purchase
    // order given (else the newest one) are selected, the quantity is the item's
    // reorder quantity.
    void startNew(qint32 itemID = NoID, qint32 poID = NoID);
    // One proposal of automated ordering: as a new order line, but the item is
    // fixed and there is no next line.
    void startForAutoOrder(qint32 itemID, qint32 poID, qint32 quantity);
    // Rewrites an existing order line, shown with its item, purchase order and
    // quantity; false (with the message for a missing record) when it is gone.
    bool startModify(qint32 orderID);

    // The project the order lines go to, for the window's Find Item and New PO.
    ProjectTables& tables() const { return m_tables; }

    bool isModify() const { return m_modifyID != NoID; }
    QString caption() const override;
    QString helpLine() const override;
    bool itemEnabled() const { return m_itemEnabled; }
    bool nextEnabled() const { return m_nextEnabled; }

    const QStringList& itemEntries() const { return m_itemEntries; }
    qint32 itemID() const { return m_itemID; }
    // A choice in the item picker (or Find Item). For a new line the quantity
    // follows the item's reorder quantity.
    void selectItem(qint32 itemID);
    // The chosen item's Stocked and Ordered; empty without an item.
    QString stockedText() const { return m_stockedText; }
    QString orderedText() const { return m_orderedText; }

    QString quantityText() const { return m_quantityText; }
    void setQuantityText(const QString& text) { m_quantityText = text; }

    const QStringList& poEntries() const { return m_poEntries; }
    qint32 poID() const { return m_poID; }
    // An ID not in the picker clears the selection.
    void selectPO(qint32 poID);
    // Refills the purchase-order picker (after New PO) and selects the given
    // purchase order, or the newest when none is given.
    void refillPOs(qint32 selectID = NoID);

    // OK and "&Next >>"; a refusal names the field to correct. Names the order
    // line, its purchase order(s) and item(s) in changes().
    Result save();
    // Keeps item and purchase order for the next line; refused at once when the
    // dialog has no next line.
    Result saveAndNext();

    // Whether any save wrote an order line.
    bool recordedAny() const { return !m_savedOrders.isEmpty(); }
    // The order lines added or changed, in the order they were saved.
    const QList<qint32>& savedOrders() const { return m_savedOrders; }
    // The item of the last save (NoID before).
    qint32 lastItemID() const { return m_lastItemID; }

private:
    Result write();
    void refreshItemFigures(bool presetQuantity);

    ProjectTables& m_tables;
    Prompter& m_prompter;

    qint32 m_modifyID = NoID;
    bool m_itemEnabled = true;
    bool m_nextEnabled = true;
    QStringList m_itemEntries;
    qint32 m_itemID = NoSelection;
    QString m_stockedText;
    QString m_orderedText;
    QString m_quantityText;
    QStringList m_poEntries;
    qint32 m_poID = NoSelection;

    QList<qint32> m_savedOrders;
    qint32 m_lastItemID = NoID;
};
