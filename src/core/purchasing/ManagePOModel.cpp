#include "ManagePOModel.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"
#include "core/records/Pickers.h"
#include "core/records/StockFigures.h"

const std::array<int, ManagePOModel::kColumnCount> ManagePOModel::kDefaultColumnWidths = {100, 100, 60,
                                                                                          100, 120, 100};

namespace {

QString WidthKey(int column)
{
    return QStringLiteral("Width%1").arg(column + 1);
}

} // namespace

ManagePOModel::ManagePOModel(ProjectTables& tables, Prompter& prompter, qint32 poID)
    : m_tables(tables), m_prompter(prompter)
{
    m_poEntries = POPickerEntries(m_tables);
    if (poID != NoSelection && PickerIndexOf(m_poEntries, poID) >= 0)
        m_poID = poID;
    else
        m_poID = m_poEntries.isEmpty() ? NoSelection : EntryId(m_poEntries.constLast());
    reload();
}

QString ManagePOModel::caption() const
{
    return QStringLiteral("Manage Purchase Orders");
}

bool ManagePOModel::preselect(qint32 poID)
{
    if (PickerIndexOf(m_poEntries, poID) < 0)
        return false;
    selectPO(poID);
    return true;
}

void ManagePOModel::selectPO(qint32 poID)
{
    m_poID = PickerIndexOf(m_poEntries, poID) >= 0 ? poID : NoSelection;
    m_selectedOrderID = NoSelection;
    reload();
}

void ManagePOModel::reload()
{
    m_vendorName.clear();
    m_poDateText.clear();
    m_filledText.clear();
    m_requiredDateText.clear();
    m_taxRateText.clear();
    m_notes.clear();
    m_filled = false;
    m_taxRate = 0.0;
    m_lines.clear();

    CPORec po;
    if (m_poID == NoSelection || !m_tables.purchaseOrders().RecordRead(po, m_poID)) {
        m_selectedOrderID = NoSelection;
        return;
    }
    CVendorsRec vendor;
    if (m_tables.vendors().RecordRead(vendor, po.VendorID))
        m_vendorName = vendor.Name;
    m_poDateText = ShortDateText(po.Date);
    m_filled = po.Filled;
    m_filledText = po.Filled ? ShortDateText(po.FilledDate) : QStringLiteral("No");
    m_requiredDateText = ShortDateText(po.RequiredDate);
    m_taxRate = po.TaxRate;
    m_taxRateText = QString::asprintf("%.3f%%", po.TaxRate);
    m_notes = po.Notes;
    m_lines = ComputePOLines(m_tables, po.ID);

    bool stillThere = false;
    for (const POLine& line : std::as_const(m_lines))
        stillThere = stillThere || line.orderID == m_selectedOrderID;
    if (!stillThere)
        m_selectedOrderID = NoSelection;
}

QString ManagePOModel::fillButtonCaption() const
{
    return m_filled ? QStringLiteral("Mark as Not Filled") : QStringLiteral("Mark as Filled");
}

QStringList ManagePOModel::columnCaptions()
{
    return {QStringLiteral("Item"),
            QStringLiteral("Number"),
            QStringLiteral("Ordered"),
            QStringLiteral("Received to Date"),
            QStringLiteral("Last Receive Date"),
            QStringLiteral("Unit Price")};
}

std::array<int, ManagePOModel::kColumnCount> ManagePOModel::loadColumnWidths(const UserSettings& settings)
{
    std::array<int, kColumnCount> widths{};
    const QString section = QString::fromLatin1(kSettingsSection);
    for (int i = 0; i < kColumnCount; ++i)
        widths[static_cast<size_t>(i)] =
            settings.number(section, WidthKey(i), kDefaultColumnWidths[static_cast<size_t>(i)]);
    return widths;
}

void ManagePOModel::saveColumnWidths(UserSettings& settings, const std::array<int, kColumnCount>& widths)
{
    const QString section = QString::fromLatin1(kSettingsSection);
    for (int i = 0; i < kColumnCount; ++i)
        settings.setValue(section, WidthKey(i), widths[static_cast<size_t>(i)]);
}

QStringList ManagePOModel::lineTexts(const POLine& line)
{
    return {line.itemName,       line.itemNumber,        line.orderedText(),
            line.receivedText(), line.lastReceiveText(), line.unitPriceText()};
}

POTotals ManagePOModel::totals() const
{
    return ComputePOTotals(m_lines, m_taxRate);
}

void ManagePOModel::selectLine(qint32 orderID)
{
    m_selectedOrderID = NoSelection;
    for (const POLine& line : std::as_const(m_lines)) {
        if (line.orderID == orderID)
            m_selectedOrderID = orderID;
    }
}

ManagePOAction ManagePOModel::forSelectedPO(ManagePOAction::Kind kind)
{
    if (m_poID == NoSelection || !m_tables.purchaseOrders().LocateByID(m_poID)) {
        warn(m_prompter, QStringLiteral("You must select a valid PO from the list."));
        return {};
    }
    return {kind, m_poID, NoSelection};
}

ManagePOAction ManagePOModel::newPO() const
{
    return {ManagePOAction::Kind::NewPO, NoSelection, NoSelection};
}

ManagePOAction ManagePOModel::modifyPO()
{
    return forSelectedPO(ManagePOAction::Kind::ModifyPO);
}

ManagePOAction ManagePOModel::toggleFilled()
{
    const ManagePOAction action = forSelectedPO(ManagePOAction::Kind::MarkFillDate);
    if (action.kind == ManagePOAction::Kind::None || !m_filled)
        return action;

    CPORec po;
    bool ok = m_tables.purchaseOrders().RecordRead(po, m_poID);
    if (ok) {
        po.Filled = false;
        Transaction transaction(m_tables.database());
        ok = transaction.isActive() && m_tables.purchaseOrders().RecordModify(po) && transaction.commit();
    }
    if (!ok)
        ReportOperationFailure(m_prompter, m_tables.database());
    else
        m_changes.add(ListingKind::PurchaseOrders, m_poID);
    reload();
    return {};
}

ManagePOAction ManagePOModel::addOrder() const
{
    return {ManagePOAction::Kind::RecordOrder, m_poID, NoSelection};
}

ManagePOAction ManagePOModel::editLine()
{
    if (m_selectedOrderID == NoSelection) {
        warn(m_prompter,
             QStringLiteral("You must select an entry in the list before performing this operation."));
        return {};
    }
    return {ManagePOAction::Kind::EditOrderEntry, m_poID, m_selectedOrderID};
}

bool ManagePOModel::deleteLine()
{
    if (m_poID == NoSelection) {
        warn(m_prompter, QStringLiteral("You must select a purchase order."));
        return false;
    }
    if (m_selectedOrderID == NoSelection) {
        warn(m_prompter,
             QStringLiteral("You must select an entry in the list before performing this operation."));
        return false;
    }
    const qint32 orderID = m_selectedOrderID;
    if (m_tables.received().CountWhere(QStringLiteral("[OrderID] = ?"), {orderID}) > 0) {
        warn(m_prompter, QStringLiteral("This order has already been received.\n"
                                        "You must undo the receival of the order before deleting."));
        return false;
    }
    if (!m_prompter.askYesNo(QStringLiteral("Are you sure you wish to delete this order from the PO?"),
                             AppTitle(), Prompter::Icon::Question))
        return false;

    COrderRec order;
    if (!m_tables.orders().RecordRead(order, orderID)) {
        ReportErrorCode(m_prompter, Status::RecordNotFound);
        reload();
        return false;
    }
    const bool itemExists = m_tables.items().LocateByID(order.ItemID);
    Transaction transaction(m_tables.database());
    bool ok = transaction.isActive() && m_tables.orders().RecordDelete(orderID);
    if (ok && itemExists)
        ok = RecomputeOrdered(m_tables, order.ItemID);
    if (!ok || !transaction.commit()) {
        ReportOperationFailure(m_prompter, m_tables.database());
        return false;
    }
    m_changes.add(ListingKind::PurchaseOrders, m_poID);
    m_changes.add(UnlistedKind::OrderLines, orderID);
    if (itemExists)
        m_changes.add(ListingKind::Items, order.ItemID);
    m_selectedOrderID = NoSelection;
    reload();
    return true;
}

ManagePOAction ManagePOModel::autoOrder() const
{
    return {ManagePOAction::Kind::AutoOrder, m_poID, NoSelection};
}

ManagePOAction ManagePOModel::autoReceive() const
{
    return {ManagePOAction::Kind::AutoReceive, m_poID, NoSelection};
}

ManagePOAction ManagePOModel::viewPO()
{
    return forSelectedPO(ManagePOAction::Kind::ViewPO);
}

ManagePOAction ManagePOModel::viewDetails()
{
    return forSelectedPO(ManagePOAction::Kind::ViewDetails);
}

void ManagePOModel::poCreated(qint32 poID)
{
    m_poEntries = POPickerEntries(m_tables);
    m_changes.add(ListingKind::PurchaseOrders, poID);
    selectPO(poID);
}

void ManagePOModel::childClosed(const ChangeList& changes)
{
    m_changes.merge(changes);
    refresh();
}

void ManagePOModel::refresh()
{
    const qint32 keep = m_poID;
    const qint32 keepLine = m_selectedOrderID;
    m_poEntries = POPickerEntries(m_tables);
    if (PickerIndexOf(m_poEntries, keep) >= 0)
        m_poID = keep;
    else
        m_poID = m_poEntries.isEmpty() ? NoSelection : EntryId(m_poEntries.constLast());
    m_selectedOrderID = m_poID == keep ? keepLine : NoSelection;
    reload();
}
