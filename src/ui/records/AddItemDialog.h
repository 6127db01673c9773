#pragma once

#include "core/records/AddItemModel.h"

#include <QDialog>

class MoneyEdit;
class QCheckBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class RecordPicker;
class WholeNumberEdit;

// "Add Inventory Item" / "Modify Item #000012": an item with its two vendors,
// amounts, tax and reorder figures, and for a new item the quantity it starts
// with. Cost, selling price and markup follow one another as each is edited.
class AddItemDialog final : public QDialog
{
public:
    AddItemDialog(AddItemModel& model, QWidget* parent = nullptr);

    // The widget that shows a field of the model; null for Field::None.
    QWidget* fieldWidget(AddItemModel::Field field) const;

private:
    template <typename Edit>
    Edit* addEdit(QFormLayout& form, const QString& label, const QString& objectName);
    void showModel();
    void takeForm();
    void showComputed(QLineEdit* edit, const QString& text);
    void finish(AddItemModel::Result result, bool close);

    AddItemModel& m_model;
    RecordPicker* m_primary = nullptr;
    RecordPicker* m_secondary = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_description = nullptr;
    MoneyEdit* m_cost = nullptr;
    MoneyEdit* m_price = nullptr;
    QLineEdit* m_markup = nullptr;
    QCheckBox* m_taxable = nullptr;
    QLineEdit* m_taxRate = nullptr;
    WholeNumberEdit* m_reorderLevel = nullptr;
    WholeNumberEdit* m_reorderQuantity = nullptr;
    WholeNumberEdit* m_initialQuantity = nullptr;
    QPushButton* m_next = nullptr;
    // Set while the window writes a figure the model computed, so that the
    // write is not taken for the user's edit and computed back again.
    bool m_showingComputed = false;
};
