#pragma once

#include "core/common/RecordIds.h"

#include <QString>

#include <memory>

class FilterSuspension;
class Prompter;
class ProjectTables;

// The record commands behind the lists and the main menu (Insert, Modify, Delete,
// Find In List, Sort List, Details): whether each is available, the checks each
// makes before it runs, and what it leads to for the kind of list showing. The
// desktop opens whatever the answer names.
class CProjectCommands
{
public:
    enum class Command
    {
        NewVendor,
        NewItem,
        RecordOrder,
        Modify,
        Delete,
        Details,
        FindInList,
        SortList
    };

    enum class Action
    {
        None,
        AddVendor,
        AddItem,
        ModifyVendor,
        ModifyItem,
        ModifyCustomer,
        ManagePurchaseOrders,
        DeleteVendor,
        DeleteItem,
        DeletePurchaseOrder,
        DeleteCustomer,
        VendorDetails,
        ItemDetails,
        CustomerDetails,
        FindInList,
        SortList,
    };

    // Where a command leads. `id` is the selected row's ID; on the purchase-order
    // list that is the purchase order's number, as the list shows it.
    struct Route
    {
        Action action = Action::None;
        qint32 id = NoSelection;
        // Find In List: the dialog's title and help line.
        QString title;
        QString help;
    };

    // The open project's tables; null while no project is open.
    void setTables(ProjectTables* tables) { m_tables = tables; }
    ProjectTables* tables() const { return m_tables; }

    // The kind of list the right pane shows (a ListingKind code), -1 for none.
    void setListKind(int kind);
    int listKind() const { return m_listKind; }

    // The selected row, by the text of its first column; no row: clearSelection().
    void setSelectedRowText(const QString& firstColumn) { m_selectedId = IDFromRowText(firstColumn); }
    void setSelectedID(qint32 id) { m_selectedId = id; }
    void clearSelection() { m_selectedId = NoSelection; }
    // NoSelection when no row is selected or no list is showing.
    qint32 selectedID() const;

    // A list row's first column read as a record ID, the way atol reads it:
    // leading blanks, an optional sign, then digits up to the first other
    // character; 0 when there are none.
    static qint32 IDFromRowText(const QString& text);

    // Whether a menu item or toolbar button is available.
    bool isEnabled(Command command) const;

    // Commands that work on the list showing call this first: false, after
    // telling the user, when no list is showing.
    bool requireListView(Prompter& prompter, const QString& title = QString()) const;

    Route insertVendor() const;
    // Add Item's own prerequisite check refuses while there are no vendors.
    Route insertItem() const;
    Route modify(Prompter& prompter) const;
    Route deleteSelection(Prompter& prompter) const;
    Route details(Prompter& prompter) const;
    Route findInList(Prompter& prompter) const;
    Route sortList(Prompter& prompter) const;

    // Insert, Modify, Delete and the purchasing activities run with every table
    // showing all its records; keep the returned object for as long as they run.
    // Null while no project is open.
    std::unique_ptr<FilterSuspension> suspendFilters() const;

private:
    bool requireSelection(Prompter& prompter, const QString& title) const;

    ProjectTables* m_tables = nullptr;
    int m_listKind = -1;
    qint32 m_selectedId = NoSelection;
};
