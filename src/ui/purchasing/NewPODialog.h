#pragma once

#include "core/purchasing/NewPOModel.h"

#include <QDialog>

class DateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class RecordPicker;
struct DesktopServices;

// "New Purchase Order", also the form that modifies one (its number fixed then):
// the vendor with its ID beside it and Find Vendor, the two dates, a note and
// the tax rate in percent.
class NewPODialog final : public QDialog
{
public:
    NewPODialog(NewPOModel& model, ProjectTables& tables, const DesktopServices& services,
                QWidget* parent = nullptr);

    // The widget that shows a field of the model; null for Field::None.
    QWidget* fieldWidget(NewPOModel::Field field) const;

private:
    void takeForm();
    void finish(NewPOModel::Result result);

    NewPOModel& m_model;
    QLineEdit* m_number = nullptr;
    RecordPicker* m_vendor = nullptr;
    QLabel* m_vendorId = nullptr;
    DateEdit* m_date = nullptr;
    DateEdit* m_required = nullptr;
    QLineEdit* m_notes = nullptr;
    QLineEdit* m_taxRate = nullptr;
};
