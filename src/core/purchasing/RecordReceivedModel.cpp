#include "RecordReceivedModel.h"

#include "Receiving.h"
#include "core/common/Clock.h"
#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/common/NumberText.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/Pickers.h"

#include <QRegularExpression>

#include <algorithm>
#include <optional>

RecordReceivedModel::RecordReceivedModel(ProjectTables& tables, Prompter& prompter, const Clock& clock)
    : RecordReceivedModel(tables, prompter, clock, NoSelection)
{
}

RecordReceivedModel::RecordReceivedModel(ProjectTables& tables, Prompter& prompter, const Clock& clock,
                                         qint32 poID, qint32 orderID)
    : m_tables(tables), m_prompter(prompter), m_clock(clock)
{
    m_lastChanged.fill(NoID);
    preset(poID, orderID);
}

QString RecordReceivedModel::helpLine() const
{
    return QStringLiteral("Record orders which were received from a vendor.");
}

QString RecordReceivedModel::prerequisiteMessage()
{
    return QStringLiteral(
        "In order to run this command, you must already have valid vendors, items and orders.  "
        "This command was unable to find all the necessary data to run.");
}

QString RecordReceivedModel::invalidCostMessage()
{
    return QStringLiteral(
        "The cost specified is invalid.  The cost per item must be an amount of 0 or more.  "
        "Please check the value and re-enter it if necessary.");
}

bool RecordReceivedModel::checkPrerequisites()
{
    const ProjectDatabase& db = m_tables.database();
    const quint64 readFailures = db.readFailureCount();
    const bool empty = m_tables.vendors().CountWhere(QString()) == 0 ||
                       m_tables.items().CountWhere(QString()) == 0 ||
                       m_tables.orders().CountWhere(QString()) == 0;
    // A table that could not be counted is not an empty one.
    if (const std::optional<ProjectDatabase::ReadFailure> failure =
            m_fillFailure ? m_fillFailure : db.readFailureSince(readFailures)) {
        ReportReadFailure(m_prompter, *failure);
        return false;
    }
    if (empty) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), prerequisiteMessage());
        return false;
    }
    return true;
}

RecordReceivedModel& RecordReceivedModel::preset(qint32 presetPO, qint32 presetOrder)
{
    const quint64 readFailures = m_tables.database().readFailureCount();
    m_dateText = DateTime::fromQDateTime(m_clock.now()).formatShortDate(UserLocale());

    // A line handed over on its own still belongs to its purchase order.
    if (presetOrder != NoSelection && presetPO == NoSelection) {
        COrderRec order;
        if (m_tables.orders().RecordRead(order, presetOrder))
            presetPO = order.POID;
    }

    m_poEntries = POPickerEntries(m_tables);
    m_poBoxEnabled = presetPO == NoSelection;
    m_orderBoxEnabled = presetOrder == NoSelection;
    m_nextEnabled = presetOrder == NoSelection;

    if (presetPO != NoSelection)
        selectPO(presetPO);
    else
        selectPO(m_poEntries.isEmpty() ? NoSelection : EntryId(m_poEntries.constLast()));

    // A fixed order box must never show a line other than the one handed over.
    if (presetOrder != NoSelection) {
        const bool onThisPO =
            std::any_of(m_orderEntries.cbegin(), m_orderEntries.cend(),
                        [presetOrder](const OrderEntry& entry) { return entry.orderID == presetOrder; });
        showOrder(onThisPO ? presetOrder : NoSelection);
    }
    m_fillFailure = m_tables.database().readFailureSince(readFailures);
    return *this;
}

void RecordReceivedModel::selectPO(qint32 poID)
{
    m_selectedPO = PickerIndexOf(m_poEntries, poID) >= 0 ? poID : NoSelection;
    fillOrderBox();
}

void RecordReceivedModel::fillOrderBox()
{
    const quint64 readFailures = m_tables.database().readFailureCount();
    m_orderEntries.clear();
    if (m_selectedPO != NoSelection) {
        const bool read = m_tables.orders().ForEachLineOf(m_selectedPO, [this](qint32 orderID, const QString& name) {
            m_orderEntries.append({name, orderID});
        });
        if (!read)
            m_orderEntries.clear();
    }
    showOrder(m_orderEntries.isEmpty() ? NoSelection : m_orderEntries.constFirst().orderID);
    m_fillFailure = m_tables.database().readFailureSince(readFailures);
}

void RecordReceivedModel::selectOrder(qint32 orderID)
{
    const quint64 readFailures = m_tables.database().readFailureCount();
    showOrder(orderID);
    m_fillFailure = m_tables.database().readFailureSince(readFailures);
}

void RecordReceivedModel::showOrder(qint32 orderID)
{
    const bool listed = std::any_of(m_orderEntries.cbegin(), m_orderEntries.cend(),
                                    [orderID](const OrderEntry& entry) { return entry.orderID == orderID; });
    COrderRec order;
    if (!listed || !m_tables.orders().RecordRead(order, orderID)) {
        m_selectedOrder = NoSelection;
        clearOrderFields();
        return;
    }
    m_selectedOrder = orderID;
    m_quantityText = QString::number(order.Quanity);
    CItemsRec item;
    // Every decimal of the item's cost is shown, so the lot gets the cost itself.
    m_costText = m_tables.items().RecordRead(item, order.ItemID) ? FormatCurrencyField(item.Cost) : QString();
    m_vendorName = m_tables.vendors().VendorNameByID(order.VendorID);
    m_orderDate = order.Date.formatShortDate(UserLocale());
}

void RecordReceivedModel::clearOrderFields()
{
    m_quantityText.clear();
    m_costText.clear();
    m_vendorName.clear();
    m_orderDate.clear();
}

void RecordReceivedModel::reformatCost()
{
    if (const std::optional<Money> cost = ParseCurrency(m_costText))
        m_costText = FormatCurrencyField(*cost);
}

void RecordReceivedModel::reformatDate()
{
    const DateTime date = DateTime::parseDate(m_dateText, UserLocale());
    if (date.isValid())
        m_dateText = date.formatShortDate(UserLocale());
}

RecordReceivedModel::Result RecordReceivedModel::save()
{
    return receive(false);
}

RecordReceivedModel::Result RecordReceivedModel::saveAndNext()
{
    if (!m_nextEnabled)
        return Result::refused();
    return receive(true);
}

RecordReceivedModel::Result RecordReceivedModel::receive(bool next)
{
    if (m_fillFailure) {
        ReportReadFailure(m_prompter, *m_fillFailure);
        return Result::refused(Field::Order);
    }
    if (m_selectedOrder == NoSelection)
        return Result::refused(Field::Order);

    const DateTime date = DateTime::parseDate(m_dateText, UserLocale());
    if (!date.isValid()) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::InvalidDate));
        return Result::refused(Field::Date);
    }
    const std::optional<qint32> quantity = ParseWholeNumber(m_quantityText);
    if (!quantity || *quantity < 1) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::InvalidQuantity));
        return Result::refused(Field::Quantity);
    }
    // A line received or deleted elsewhere since the box was filled: say so and
    // show what is still outstanding rather than refuse without a word.
    if (!m_tables.orders().LocateByID(m_selectedOrder)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::RecordNotFound));
        fillOrderBox();
        return Result::refused(Field::Order);
    }
    // A unit cost that is not an amount, or below nothing, would corrupt every
    // cost figure drawn from the lot.
    const std::optional<Money> cost = ParseCurrency(m_costText);
    if (!cost || !cost->isValid() || *cost < Money()) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), invalidCostMessage());
        return Result::refused(Field::Cost);
    }

    ReceiptInput input;
    input.orderID = m_selectedOrder;
    input.quantity = *quantity;
    input.cost = *cost;
    input.date = date;
    const ReceiptOutcome outcome = ReceiveOrderLine(m_tables, m_prompter, input, m_changes, &m_receipts);
    switch (outcome.status) {
    case ReceiptOutcome::Status::Received:
        break;
    case ReceiptOutcome::Status::OrderMissing:
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::RecordNotFound));
        fillOrderBox();
        return Result::refused(Field::Order);
    case ReceiptOutcome::Status::Refused:
    case ReceiptOutcome::Status::Failed:
        // Reported where it failed; the input stays for another try.
        return Result::refused();
    }

    m_lastChanged[static_cast<size_t>(ListingKind::PurchaseOrders)] = outcome.poID;
    m_lastChanged[static_cast<size_t>(ListingKind::Items)] = outcome.itemID;
    m_lastChanged[static_cast<size_t>(ListingKind::Stock)] = outcome.stockID;

    fillOrderBox();
    if (next)
        return {true, Field::Date};
    return Result::ok();
}
