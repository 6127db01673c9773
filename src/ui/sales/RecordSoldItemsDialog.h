#pragma once

#include "core/sales/RecordSoldItemsModel.h"

#include <QDialog>

class MoneyEdit;
class Prompter;
class ProjectTables;
class QLabel;
class QListWidget;
class QPushButton;
class RecordPicker;
class WholeNumberEdit;

// "Record Sold Items": lines of a sale put together from the item picker, the
// quantity and the selling price, shown in "Current Sale" with the totals, and
// recorded on the invoice at OK. Adding to an invoice already recorded hides
// the total, the amount paid and the balance.
class RecordSoldItemsDialog final : public QDialog
{
public:
    RecordSoldItemsDialog(RecordSoldItemsModel& model, ProjectTables& tables, Prompter& prompter,
                          QWidget* parent = nullptr);

    // The widget that shows a field of the model; null for Field::None.
    QWidget* fieldWidget(RecordSoldItemsModel::Field field) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addLine();
    void removeLine();
    void confirm();
    // The selected item's figures and price, as the model has them.
    void showItem();
    void showLines();
    void showTotals();

    RecordSoldItemsModel& m_model;
    RecordPicker* m_item = nullptr;
    QLabel* m_itemId = nullptr;
    QLabel* m_itemNumber = nullptr;
    QLabel* m_stocked = nullptr;
    WholeNumberEdit* m_quantity = nullptr;
    MoneyEdit* m_price = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QListWidget* m_lines = nullptr;
    QLabel* m_subtotal = nullptr;
    QLabel* m_tax = nullptr;
    QLabel* m_total = nullptr;
    MoneyEdit* m_amountPaid = nullptr;
    QLabel* m_balance = nullptr;
    // Set while the window writes what the model holds, so that its own writes
    // are not taken for the user's choice or typing.
    bool m_busy = false;
};
