#pragma once

#include "core/sales/ManagePaymentsModel.h"
#include "core/sales/RecordCustomerPaymentModel.h"

#include <QDialog>
#include <QList>

struct DesktopServices;
class DateEdit;
class MoneyEdit;
class ProjectTables;
class QLabel;
class QTreeWidget;
class RecordPicker;

// "Manage Payments": an invoice's payments, one row each with what was left
// owing after it, and adding, changing and deleting them.
class ManagePaymentsDialog final : public QDialog
{
public:
    ManagePaymentsDialog(ManagePaymentsModel& model, ProjectTables& tables, const DesktopServices& services,
                         QWidget* parent = nullptr);

private:
    void showInvoice();
    // Record Customer Payment for the action the model answered, then the
    // invoice read again.
    void openPayment(const ManagePaymentsAction& action);
    void deletePayment();

    ManagePaymentsModel& m_model;
    ProjectTables& m_tables;
    const DesktopServices& m_services;
    RecordPicker* m_picker;
    QTreeWidget* m_payments;
    QList<QLabel*> m_texts;
};

// "Record Customer Payment" / "Modify Customer Payment": the date and amount of
// one payment toward an invoice.
class RecordCustomerPaymentDialog final : public QDialog
{
public:
    RecordCustomerPaymentDialog(RecordCustomerPaymentModel& model, const DesktopServices& services,
                                QWidget* parent = nullptr);

private:
    void save();

    RecordCustomerPaymentModel& m_model;
    DateEdit* m_date;
    MoneyEdit* m_amount;
};
