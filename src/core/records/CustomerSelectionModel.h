#pragma once

#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class AddCustomerModel;
class Prompter;
class ProjectTables;
class SearchForCustomerModel;

// The state behind the Customer Selection dialog, where an invoice's customer is
// chosen: the list of every customer, the selected customer's particulars, and the
// dialogs it opens to add, modify or search for a customer.
class CustomerSelectionModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Customers
    };
    using Result = SaveResult<Field>;

    // Selects the entry of the initial customer, or the first entry when it is
    // NoSelection.
    CustomerSelectionModel(ProjectTables& tables, Prompter& prompter, qint32 initialCustomerId = NoSelection);

    QString caption() const override { return QStringLiteral("Customer Selection"); }
    // Tells the user when an entry without an ID stopped the search for the
    // initial customer; the dialog opens all the same, with nothing selected.
    bool checkPrerequisites() override;

    // "Existing Customers": one entry per customer, in table order.
    const QStringList& entries() const { return m_entries; }
    int selectedIndex() const { return m_selected; }
    // -1 clears the selection.
    void setSelectedIndex(int index);
    // The ID carried by the selected entry, NoSelection when there is none.
    qint32 selectedCustomerId() const;

    // The "Selected Customer" texts.
    QString company() const { return m_company; }
    QString lastName() const { return m_last; }
    QString firstName() const { return m_first; }
    QString addressLine1() const { return m_address1; }
    // "City, State Zip".
    QString addressLine2() const { return m_address2; }
    // Always empty.
    QString addressLine3() const { return QString(); }
    QString phone() const { return m_phone; }
    QString notes() const { return m_notes; }

    // "<< &Add New": the Add Customer dialog to open for a new customer. Once it
    // closes, finishAddNew says whether this dialog closes with OK (it does when
    // the customer was added, which becomes the result); a cancelled Add Customer
    // changes nothing here.
    std::unique_ptr<AddCustomerModel> addNew();
    bool finishAddNew(const AddCustomerModel& dialog, bool accepted);

    // "<< &Modify": the Add Customer dialog for the selected customer, or nothing
    // when no customer is selected. After an accepted modification the list is
    // rebuilt and the same position selected again.
    std::unique_ptr<AddCustomerModel> modify();
    void finishModify(const AddCustomerModel& dialog, bool accepted);

    // The search button: the Search for Customer dialog. finishSearch says whether
    // this dialog closes with OK (it does when a customer was chosen, which
    // becomes the result).
    std::unique_ptr<SearchForCustomerModel> search();
    bool finishSearch(const SearchForCustomerModel& dialog, bool accepted);

    // OK: the selected customer becomes the result. Without a selection the user
    // is told, the result is NoSelection and the dialog stays open. Choosing writes
    // nothing; changes() holds what the Add Customer dialogs opened from here wrote.
    Result save();

    // The chosen customer ID, NoSelection until one is chosen.
    qint32 result() const { return m_result; }

    // The index of the entry carrying the customer ID; -1 when no entry does.
    // Nothing when an entry without an ID stopped the search.
    static std::optional<int> indexOfCustomer(const QStringList& entries, qint32 customerId);

private:
    void rebuild();
    void showSelected();

    ProjectTables& m_tables;
    Prompter& m_prompter;
    QStringList m_entries;
    int m_selected = -1;
    qint32 m_result = NoSelection;
    bool m_brokenEntry = false;
    QString m_company, m_last, m_first, m_address1, m_address2, m_phone, m_notes;
};
