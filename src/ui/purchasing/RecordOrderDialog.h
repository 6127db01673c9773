#pragma once

#include "core/purchasing/RecordOrderModel.h"

#include <QDialog>

class QLabel;
class QPushButton;
class RecordPicker;
class WholeNumberEdit;
struct DesktopServices;

// "Record Order" / "Modify Recorded Order #000123": an item, a quantity and the
// purchase order to put them on, with the item's Stocked and Ordered beside.
// "&Next >>" records the line and stays open for another; "New PO" raises a
// purchase order and selects it.
class RecordOrderDialog final : public QDialog
{
public:
    RecordOrderDialog(RecordOrderModel& model, ProjectTables& tables, const DesktopServices& services,
                      QWidget* parent = nullptr);

    // The purchase orders "New PO" raised, which the model's changes do not name.
    const ChangeList& newPOChanges() const { return m_newPOChanges; }

    // The widget that shows a field of the model; null for Field::None.
    QWidget* fieldWidget(RecordOrderModel::Field field) const;

private:
    void showModel();
    void showItemFigures();
    void raisePO();
    void finish(RecordOrderModel::Result result, bool close);

    RecordOrderModel& m_model;
    ProjectTables& m_tables;
    const DesktopServices& m_services;
    RecordPicker* m_item = nullptr;
    WholeNumberEdit* m_quantity = nullptr;
    RecordPicker* m_po = nullptr;
    QLabel* m_stocked = nullptr;
    QLabel* m_ordered = nullptr;
    QPushButton* m_next = nullptr;
    ChangeList m_newPOChanges;
};
