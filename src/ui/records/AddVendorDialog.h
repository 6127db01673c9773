#pragma once

#include "core/records/AddVendorModel.h"

#include <QDialog>
#include <QList>

class QLineEdit;
class QPushButton;

// "Add A New Vendor" / "Modify Vendor": the vendor's sixteen texts, in a primary
// and a secondary location. "Next >>" saves and clears the form for another vendor.
class AddVendorDialog final : public QDialog
{
public:
    AddVendorDialog(AddVendorModel& model, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_edits.at(0); }
    QPushButton* nextButton() const { return m_next; }
    QPushButton* okButton() const { return m_ok; }

private:
    void showModel();
    void takeEdits();
    void finish(AddVendorModel::Result result, bool close);

    AddVendorModel& m_model;
    QList<QLineEdit*> m_edits; // in the order of the fields below
    QPushButton* m_next = nullptr;
    QPushButton* m_ok = nullptr;
};
