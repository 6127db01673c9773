#pragma once

#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"

#include <QList>
#include <QString>
#include <QStringList>

class Prompter;
class ProjectTables;
class RecordOrderModel;
class RecordReceivedModel;

// One proposal of automated ordering: an item to order and the quantity the
// order dialog starts with.
struct AutoOrderStep
{
    qint32 itemID = NoID;
    qint32 quantity = 0;

    friend bool operator==(const AutoOrderStep&, const AutoOrderStep&) = default;
};

// The Automated Order Recording dialog, in its two modes. Ordering proposes an
// order line for every item of the purchase order's vendor that has fallen to
// its reorder level; receiving walks through every outstanding order line of
// the purchase order. Each step runs the single-line dialog (Record Order or
// Record Received Order), which the user confirms or cancels; the changes of
// all steps are collected here.
class AutoOrderModel : public DialogModel
{
public:
    // Nothing to refuse: each step saves through its own dialog.
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    enum class Mode
    {
        Order,
        Receive
    };

    // Without a purchase order given, the newest one is selected.
    AutoOrderModel(ProjectTables& tables, Prompter& prompter, Mode mode, qint32 poID = NoID);

    Mode mode() const { return m_mode; }
    QString caption() const override;
    QString helpLine() const override;
    bool newPOEnabled() const { return m_mode == Mode::Order; }

    const QStringList& poEntries() const { return m_poEntries; }
    qint32 poID() const { return m_poID; }
    // An ID not in the picker clears the selection.
    void selectPO(qint32 poID);
    // After New PO: the picker is refilled and the new purchase order selected.
    void poCreated(qint32 poID);

    // OK in ordering mode: the items to propose, in table order, each with its
    // reorder quantity; empty after telling the user why there are none.
    QList<AutoOrderStep> orderSteps();
    // Sets up the Record Order dialog of one proposal.
    void prepareOrderStep(RecordOrderModel& dialog, const AutoOrderStep& step) const;
    // OK in receiving mode: the purchase order's outstanding order lines
    // (backorders too), in table order; empty after telling the user why there
    // are none.
    QList<qint32> receiveSteps();
    // Opens the Record Received Order dialog of one step with the purchase
    // order and the order line fixed; false when it cannot open.
    bool prepareReceiveStep(RecordReceivedModel& dialog, qint32 orderID) const;

    // Keeps the changes of one step's dialog (a cancelled one has none).
    void stepFinished(const ChangeList& changes);
    // Keeps the receipts one receiving step recorded.
    void addReceipts(const QList<qint32>& receiptIDs);

    const QList<qint32>& receipts() const { return m_receipts; }

    // Close: each step saves through its own dialog; changes() holds what they changed.
    Result save() { return Result::ok(); }

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;
    Mode m_mode;
    QStringList m_poEntries;
    qint32 m_poID = NoSelection;
    QList<qint32> m_receipts;
};
