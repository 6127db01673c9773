#pragma once

#include "core/records/AddCustomerModel.h"
#include "core/records/CustomerSelectionModel.h"
#include "core/records/SearchForCustomerModel.h"

#include <QDialog>
#include <QList>

class RecordPickerModel;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QRadioButton;

// "Add Customer" / "Modify Customer #000012": the customer's ten texts.
class AddCustomerDialog final : public QDialog
{
public:
    AddCustomerDialog(AddCustomerModel& model, QWidget* parent = nullptr);

private:
    void save();

    AddCustomerModel& m_model;
    QList<QLineEdit*> m_edits;
};

// "Search for Customer": finds customers by ID or telephone; "Go" lists them.
class SearchForCustomerDialog final : public QDialog
{
public:
    SearchForCustomerDialog(SearchForCustomerModel& model, QWidget* parent = nullptr);

private:
    void go();
    void choose();

    SearchForCustomerModel& m_model;
    QRadioButton* m_byId;
    QRadioButton* m_byTelephone;
    QLineEdit* m_text;
    QListWidget* m_results;
};

// "Customer Selection": every customer in a list, the selected one's particulars,
// and the ways to add, modify or search for a customer on the way to a choice.
class CustomerSelectionDialog final : public QDialog
{
public:
    CustomerSelectionDialog(CustomerSelectionModel& model, QWidget* parent = nullptr);

private:
    void showEntries();
    void showSelected();
    void addNew();
    void modify();
    void search();
    void choose();

    CustomerSelectionModel& m_model;
    RecordPickerModel* m_entries;
    QListView* m_list;
    QList<QLabel*> m_particulars;
};
