#pragma once

#include "core/common/DialogModel.h"
#include "core/db/ProjectDatabase.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class Clock;
class Prompter;
class ProjectTables;

// The Record Received Order dialog without its window: picks a purchase order and
// one of its outstanding order lines, and receives what arrived into stock.
class RecordReceivedModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Order,
        Date,
        Quantity,
        Cost
    };
    using Result = SaveResult<Field>;

    // One entry of the order box: the item's name, carrying the order line's ID.
    struct OrderEntry
    {
        QString itemName;
        qint32 orderID = NoID;
    };

    RecordReceivedModel(ProjectTables& tables, Prompter& prompter, const Clock& clock);
    // The same, filled at once as preset(poID, orderID) fills it, so that a large
    // project's purchase orders are read once rather than twice.
    RecordReceivedModel(ProjectTables& tables, Prompter& prompter, const Clock& clock, qint32 poID,
                        qint32 orderID = NoSelection);

    QString caption() const override { return QStringLiteral("Record Received Order"); }
    QString helpLine() const override;
    static QString prerequisiteMessage();
    static QString invalidCostMessage();

    // Fills the dialog again: a purchase order given is selected and its box
    // disabled; an order line given as well is selected and the order box and
    // "&Next >>" are disabled. Without either the newest purchase order is
    // selected, as the constructor does.
    RecordReceivedModel& preset(qint32 poID, qint32 orderID = NoSelection);
    // False, after telling the user, when there are no vendors, items or order
    // lines: the dialog does not open then.
    bool checkPrerequisites() override;

    const QStringList& poEntries() const { return m_poEntries; }
    qint32 selectedPO() const { return m_selectedPO; }
    // Refills the order box with the purchase order's lines, first one selected.
    void selectPO(qint32 poID);
    bool poBoxEnabled() const { return m_poBoxEnabled; }

    const QList<OrderEntry>& orderEntries() const { return m_orderEntries; }
    qint32 selectedOrder() const { return m_selectedOrder; }
    // Presets quantity, cost, vendor name and order date from the line and its item.
    void selectOrder(qint32 orderID);
    bool orderBoxEnabled() const { return m_orderBoxEnabled; }
    bool nextEnabled() const { return m_nextEnabled; }

    // Read-only texts of the selected line.
    QString vendorName() const { return m_vendorName; }
    QString orderDate() const { return m_orderDate; }

    QString quantityText() const { return m_quantityText; }
    void setQuantityText(const QString& text) { m_quantityText = text; }
    QString costText() const { return m_costText; }
    void setCostText(const QString& text) { m_costText = text; }
    QString dateText() const { return m_dateText; }
    void setDateText(const QString& text) { m_dateText = text; }

    // What the fields show when they lose the focus: readable text in its
    // canonical form, anything else as typed.
    void reformatCost();
    void reformatDate();

    // OK: receives the selected line. changes() names the lot, the receipt, the
    // order line, its purchase order and item.
    Result save();
    // "&Next >>": receives it and stays open for the next line; on success the
    // focus goes to the date, whose text is selected whole.
    Result saveAndNext();

    // The receipts written, which no list shows.
    const QList<qint32>& receiptIDs() const { return m_receipts; }
    // The record of a kind changed last, for the list to select; NoID when none.
    qint32 lastChanged(ListingKind kind) const { return m_lastChanged[static_cast<size_t>(kind)]; }

private:
    Result receive(bool next);
    void fillOrderBox();
    void showOrder(qint32 orderID);
    void clearOrderFields();

    ProjectTables& m_tables;
    Prompter& m_prompter;
    const Clock& m_clock;

    QStringList m_poEntries;
    qint32 m_selectedPO = NoSelection;
    QList<OrderEntry> m_orderEntries;
    qint32 m_selectedOrder = NoSelection;
    bool m_poBoxEnabled = true;
    bool m_orderBoxEnabled = true;
    bool m_nextEnabled = true;

    QString m_vendorName;
    QString m_orderDate;
    QString m_quantityText;
    QString m_costText;
    QString m_dateText;

    QList<qint32> m_receipts;
    std::array<qint32, kListingKindCount> m_lastChanged;
    // The read that failed while the boxes and fields were last filled: they
    // may be short, so nothing is received on the strength of them.
    std::optional<ProjectDatabase::ReadFailure> m_fillFailure;
};
