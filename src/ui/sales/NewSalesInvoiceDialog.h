#pragma once

#include "core/common/ChangeList.h"
#include "core/sales/NewSalesInvoiceModel.h"

#include <QDialog>

#include <array>

class Clock;
class DateEdit;
class Prompter;
class ProjectTables;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class WholeNumberEdit;

// "New Sales Invoice": the invoice's number, date, customer, note and method of
// payment. Modifying an invoice shows it with its number fixed. "&Customer
// Information" opens Customer Selection and takes the customer chosen there.
class NewSalesInvoiceDialog final : public QDialog
{
public:
    NewSalesInvoiceDialog(NewSalesInvoiceModel& model, ProjectTables& tables, Prompter& prompter,
                          const Clock& clock, QWidget* parent = nullptr);

    // The widget that shows a field of the model; null for Field::None.
    QWidget* fieldWidget(NewSalesInvoiceModel::Field field) const;
    // The customers Customer Selection added or modified on the way, whether the
    // invoice was saved or not.
    const ChangeList& customerChanges() const { return m_customerChanges; }

private:
    void chooseCustomer();
    void showCustomer();
    void takeForm();

    NewSalesInvoiceModel& m_model;
    ProjectTables& m_tables;
    Prompter& m_prompter;
    ChangeList m_customerChanges;

    WholeNumberEdit* m_number = nullptr;
    DateEdit* m_date = nullptr;
    QLabel* m_customer = nullptr;
    QLabel* m_customerId = nullptr;
    QPushButton* m_customerButton = nullptr;
    QLineEdit* m_notes = nullptr;
    std::array<QRadioButton*, 4> m_payMethods{};
};
