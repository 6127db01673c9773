#include "ProjectCommands.h"

#include "FilterSuspension.h"
#include "FindInList.h"
#include "core/common/NumberText.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"

#include <limits>

namespace {

bool IsKind(int kind, ListingKind listing)
{
    return kind == static_cast<int>(listing);
}

} // namespace

void CProjectCommands::setListKind(int kind)
{
    m_listKind = (kind >= 0 && kind < kListingKindCount) ? kind : -1;
}

qint32 CProjectCommands::selectedID() const
{
    return m_listKind < 0 ? NoSelection : m_selectedId;
}

qint32 CProjectCommands::IDFromRowText(const QString& text)
{
    return LeadingWholeNumber(text);
}

bool CProjectCommands::isEnabled(Command command) const
{
    const bool list = m_listKind >= 0;
    const bool selected = selectedID() != NoSelection;
    const bool invoices = IsKind(m_listKind, ListingKind::Invoices);
    const bool stock = IsKind(m_listKind, ListingKind::Stock);
    switch (command) {
    case Command::NewVendor:
    case Command::NewItem:
    case Command::RecordOrder:
    // Find In List tells the user itself when no list is showing.
    case Command::FindInList:
        return true;
    case Command::Delete:
        return list && !invoices && !stock && selected;
    case Command::Details:
        return list && !invoices && !stock && selected;
    case Command::Modify:
        return list && !stock && selected;
    case Command::SortList:
        return list;
    }
    return false;
}

bool CProjectCommands::requireListView(Prompter& prompter, const QString& title) const
{
    if (m_listKind >= 0)
        return true;
    prompter.message(QStringLiteral("This option is only valid for list views."),
                     title.isEmpty() ? AppTitle() : title, Prompter::Icon::Exclamation);
    return false;
}

bool CProjectCommands::requireSelection(Prompter& prompter, const QString& title) const
{
    if (selectedID() != NoSelection)
        return true;
    prompter.message(QStringLiteral("You must first make a selection from the list."), title,
                     Prompter::Icon::Exclamation);
    return false;
}

CProjectCommands::Route CProjectCommands::insertVendor() const
{
    return m_tables ? Route{Action::AddVendor, NoSelection, {}, {}} : Route{};
}

CProjectCommands::Route CProjectCommands::insertItem() const
{
    return m_tables ? Route{Action::AddItem, NoSelection, {}, {}} : Route{};
}

CProjectCommands::Route CProjectCommands::modify(Prompter& prompter) const
{
    Action action = Action::None;
    switch (m_listKind) {
    case static_cast<int>(ListingKind::Vendors):
        action = Action::ModifyVendor;
        break;
    case static_cast<int>(ListingKind::Items):
        action = Action::ModifyItem;
        break;
    case static_cast<int>(ListingKind::PurchaseOrders):
        action = Action::ManagePurchaseOrders;
        break;
    case static_cast<int>(ListingKind::Customers):
        action = Action::ModifyCustomer;
        break;
    default:
        // Invoices and stock have nothing to modify from their lists.
        if (m_listKind >= 0)
            return Route{};
        break;
    }
    if (!requireSelection(prompter, QStringLiteral("Modify")) || !m_tables)
        return Route{};
    return Route{action, selectedID(), {}, {}};
}

CProjectCommands::Route CProjectCommands::deleteSelection(Prompter& prompter) const
{
    Action action = Action::None;
    switch (m_listKind) {
    case static_cast<int>(ListingKind::Vendors):
        action = Action::DeleteVendor;
        break;
    case static_cast<int>(ListingKind::Items):
        action = Action::DeleteItem;
        break;
    case static_cast<int>(ListingKind::PurchaseOrders):
        action = Action::DeletePurchaseOrder;
        break;
    case static_cast<int>(ListingKind::Customers):
        action = Action::DeleteCustomer;
        break;
    default:
        // Sales and stock lots leave only through their own activities.
        if (m_listKind >= 0)
            return Route{};
        break;
    }
    if (!requireSelection(prompter, QStringLiteral("Delete")) || !m_tables)
        return Route{};
    return Route{action, selectedID(), {}, {}};
}

CProjectCommands::Route CProjectCommands::details(Prompter& prompter) const
{
    const QString title = QStringLiteral("Details");
    if (!requireListView(prompter, title))
        return Route{};
    Action action = Action::None;
    switch (m_listKind) {
    case static_cast<int>(ListingKind::Vendors):
        action = Action::VendorDetails;
        break;
    case static_cast<int>(ListingKind::Items):
        action = Action::ItemDetails;
        break;
    case static_cast<int>(ListingKind::PurchaseOrders):
        action = Action::ManagePurchaseOrders;
        break;
    case static_cast<int>(ListingKind::Customers):
        action = Action::CustomerDetails;
        break;
    default:
        return Route{};
    }
    if (!requireSelection(prompter, title) || !m_tables)
        return Route{};
    return Route{action, selectedID(), {}, {}};
}

CProjectCommands::Route CProjectCommands::findInList(Prompter& prompter) const
{
    if (!requireListView(prompter))
        return Route{};
    const auto kind = static_cast<ListingKind>(m_listKind);
    return Route{Action::FindInList, selectedID(), FindInListTitle(kind), FindInListHelp(kind)};
}

CProjectCommands::Route CProjectCommands::sortList(Prompter& prompter) const
{
    if (!requireListView(prompter))
        return Route{};
    return Route{Action::SortList, NoSelection, {}, {}};
}

std::unique_ptr<FilterSuspension> CProjectCommands::suspendFilters() const
{
    return m_tables ? std::make_unique<FilterSuspension>(*m_tables) : nullptr;
}
