#pragma once

#include "core/purchasing/RecordReceivedModel.h"

#include <QDialog>

class DateEdit;
class IdListModel;
class MoneyEdit;
class QComboBox;
class QLabel;
class QPushButton;
class RecordPicker;
class WholeNumberEdit;
struct DesktopServices;

// "Record Received Order": a purchase order, one of its outstanding lines, and
// what arrived of it (quantity, unit cost, date). Choosing a line presets its
// figures; "&Next >>" receives it and stays open with the date ready for typing.
class RecordReceivedDialog final : public QDialog
{
public:
    RecordReceivedDialog(RecordReceivedModel& model, const DesktopServices& services,
                         QWidget* parent = nullptr);

    // The widget that shows a field of the model; null for Field::None.
    QWidget* fieldWidget(RecordReceivedModel::Field field) const;

private:
    void fillOrderBox();
    void showOrder();
    void takeForm();
    void finish(RecordReceivedModel::Result result, bool close);

    RecordReceivedModel& m_model;
    RecordPicker* m_po = nullptr;
    QComboBox* m_order = nullptr;
    IdListModel* m_orderLines = nullptr;
    QLabel* m_vendorName = nullptr;
    QLabel* m_orderDate = nullptr;
    WholeNumberEdit* m_quantity = nullptr;
    MoneyEdit* m_cost = nullptr;
    DateEdit* m_date = nullptr;
    QPushButton* m_next = nullptr;
    // Set while the window fills the order box, so that the filling is not taken
    // for the user's choice.
    bool m_filling = false;
};
