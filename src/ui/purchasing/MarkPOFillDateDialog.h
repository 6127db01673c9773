#pragma once

#include "core/purchasing/MarkPOFillDateModel.h"

#include <QDialog>

class DateEdit;

// "Mark PO Filll Date": the date a purchase order was received in full.
class MarkPOFillDateDialog final : public QDialog
{
public:
    MarkPOFillDateDialog(MarkPOFillDateModel& model, const Clock& clock, QWidget* parent = nullptr);

private:
    MarkPOFillDateModel& m_model;
    DateEdit* m_date = nullptr;
};
