#pragma once

#include "core/sales/CustomerReturnModel.h"
#include "core/sales/InvoiceManagerModel.h"
#include "core/sales/SelectInvoiceModel.h"

#include "core/common/RecordIds.h"

#include <QDialog>
#include <QList>

struct DesktopServices;
class ProjectTables;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class RecordPicker;
class UserSettings;

// What Invoice Manager leaves to the main window once it has closed: the
// invoice's printout shown, or printed at once. No invoice: nothing to do.
struct InvoiceReportRequest
{
    qint32 invoiceID = NoSelection;
    bool print = false;
};

// "Invoice Manager": one invoice with its customer, dues and sales, and the
// buttons that change it through the other sales windows. The sales list keeps
// its column widths in the user's settings from one opening to the next.
class InvoiceManagerDialog final : public QDialog
{
public:
    InvoiceManagerDialog(InvoiceManagerModel& model, ProjectTables& tables, const DesktopServices& services,
                         UserSettings& settings, QWidget* parent = nullptr);

    // The widths are written back however the window closes.
    void done(int result) override;

    // Set when "View Invoice" or "Print Invoice" closed the window.
    const InvoiceReportRequest& reportRequest() const { return m_report; }

private:
    void showInvoice();
    void showRows();
    // After a window opened from here wrote something: the model reads the
    // invoice again and so does the window.
    void followChild(const ChangeList& changes);

    void newInvoice();
    void modifyInvoice();
    void addToInvoice();
    void deleteFromInvoice();
    void recordReturn();
    void managePayments();
    // "View Invoice" and "Print Invoice": the window closes and leaves the
    // printout of the selected invoice to the main window.
    void closeForReport(bool print);

    InvoiceManagerModel& m_model;
    ProjectTables& m_tables;
    const DesktopServices& m_services;
    UserSettings& m_settings;
    RecordPicker* m_picker;
    QTreeWidget* m_sales;
    QList<QLabel*> m_texts;
    InvoiceReportRequest m_report;
};

// "Customer Return": the sale brought back and how many of it.
class CustomerReturnDialog final : public QDialog
{
public:
    CustomerReturnDialog(CustomerReturnModel& model, QWidget* parent = nullptr);

private:
    void save();

    CustomerReturnModel& m_model;
    QLineEdit* m_quantity;
};

// "Select Invoice": one invoice picked from the invoice picker.
class SelectInvoiceDialog final : public QDialog
{
public:
    SelectInvoiceDialog(SelectInvoiceModel& model, QWidget* parent = nullptr);

private:
    void save();

    SelectInvoiceModel& m_model;
    RecordPicker* m_picker;
};
