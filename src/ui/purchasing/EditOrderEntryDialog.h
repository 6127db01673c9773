#pragma once

#include "core/purchasing/EditOrderEntryModel.h"

#include <QDialog>

struct DesktopServices;
class ProjectTables;
class QLabel;

// "Edit Order Entry": one order line with what was ordered and received on it;
// its receipts can be undone, the original order rewritten or more of it
// received. The figures are shown again after each.
class EditOrderEntryDialog final : public QDialog
{
public:
    EditOrderEntryDialog(EditOrderEntryModel& model, ProjectTables& tables, const DesktopServices& services,
                         QWidget* parent = nullptr);

private:
    void showModel();
    void run(const EditOrderEntryAction& action);

    EditOrderEntryModel& m_model;
    ProjectTables& m_tables;
    const DesktopServices& m_services;

    QLabel* m_item = nullptr;
    QLabel* m_poNumber = nullptr;
    QLabel* m_ordered = nullptr;
    QLabel* m_received = nullptr;
};
