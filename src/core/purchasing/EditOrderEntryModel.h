#pragma once

#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"

#include <QString>

class Prompter;
class ProjectTables;

// What an action of Edit Order Entry asks the desktop to open.
struct EditOrderEntryAction
{
    enum class Kind
    {
        None,           // refused with a message
        ModifyOrder,    // Record Order in modify mode for orderID
        RecordReceived, // Record Received Order with poID preselected and orderID chosen
    };

    Kind kind = Kind::None;
    qint32 poID = NoSelection;
    qint32 orderID = NoSelection;
};

// The Edit Order Entry dialog: one order line with what was ordered and
// received on it, and the ways to change it: undo its receipts, rewrite the
// original order, or receive more of it.
class EditOrderEntryModel : public DialogModel
{
public:
    // Nothing to refuse: each action writes at once.
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    EditOrderEntryModel(ProjectTables& tables, Prompter& prompter, qint32 orderID);

    QString caption() const override;
    QString helpLine() const override;

    // The order line shown; it changes when undoing receipts restores the line
    // under another ID.
    qint32 orderID() const { return m_orderID; }
    qint32 poID() const { return m_poID; }
    qint32 itemID() const { return m_itemID; }
    QString itemName() const { return m_itemName; }
    // The purchase order's number as six digits; empty when it is gone.
    QString poNumberText() const { return m_poNumberText; }
    QString orderedText() const;
    QString receivedText() const;
    qint64 ordered() const { return m_ordered; }
    qint64 received() const { return m_received; }

    // Takes every receipt of the line back out of stock (the user is asked
    // first); true when something changed, and the display follows.
    bool undoReceived();
    // "Modify Original Order Information".
    EditOrderEntryAction modifyOriginal();
    // "Record Received".
    EditOrderEntryAction recordReceived();

    // Re-reads the line, e.g. after a dialog opened from here closed.
    void refresh();
    // Keeps the changes of a dialog opened from here and re-reads the line.
    void childClosed(const ChangeList& changes);

    // Close: each action writes at once; changes() holds what they changed.
    Result save() { return Result::ok(); }

private:
    bool refuseWhenReceivedInFull();

    ProjectTables& m_tables;
    Prompter& m_prompter;
    qint32 m_orderID;
    qint32 m_poID = NoID;
    qint32 m_itemID = NoID;
    QString m_itemName;
    QString m_poNumberText;
    qint64 m_ordered = 0;
    qint64 m_received = 0;
};
