#pragma once

#include "core/purchasing/ManagePOModel.h"

#include <QDialog>

struct DesktopServices;
class ProjectTables;
class QLabel;
class QPushButton;
class POLineListModel;
class QTreeView;
class RecordPicker;
class UserSettings;

// "Manage Purchase Orders": one purchase order with its data and the figures of
// its lines, and the buttons that change it, each running the dialog the model
// names and showing the purchase order again afterwards.
// The "View PO" or "View Details" the window closed with; its kind is None
// when it closed otherwise.
using PurchaseOrderViewRequest = ManagePOAction;

class ManagePODialog final : public QDialog
{
public:
    ManagePODialog(ManagePOModel& model, ProjectTables& tables, const DesktopServices& services,
                   UserSettings& settings, QWidget* parent = nullptr);

    QTreeView* lineList() const { return m_lines; }
    QPushButton* fillButton() const { return m_fill; }
    // "View PO" or "View Details" chosen: the window closed so that the main
    // window can show that purchase order's printout or history. None otherwise.
    const ManagePOAction& viewRequest() const { return m_view; }

    // Closing writes the line list's column widths back.
    void done(int result) override;

private:
    // The picker refilled, then showPO().
    void showModel();
    // The selected purchase order's data and lines.
    void showPO();
    void showLines();
    void lineChosen();
    // Opens what a button asked for, then hands its changes to the model.
    void run(const ManagePOAction& action);

    ManagePOModel& m_model;
    ProjectTables& m_tables;
    const DesktopServices& m_services;
    UserSettings& m_settings;

    RecordPicker* m_po = nullptr;
    QLabel* m_vendor = nullptr;
    QLabel* m_poDate = nullptr;
    QLabel* m_filled = nullptr;
    QLabel* m_requiredDate = nullptr;
    QLabel* m_taxRate = nullptr;
    QLabel* m_notes = nullptr;
    QTreeView* m_lines = nullptr;
    POLineListModel* m_lineModel = nullptr;
    QPushButton* m_fill = nullptr;
    QPushButton* m_viewPO = nullptr;
    QPushButton* m_viewDetails = nullptr;
    ManagePOAction m_view;
    bool m_filling = false;
};

// Manage Purchase Orders on `poID`: what it changed, and in `view` the purchase
// order to show once it has closed.
ChangeList RunManagePurchaseOrders(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                                   UserSettings& settings, qint32 poID, PurchaseOrderViewRequest& view);
