#pragma once

#include "core/purchasing/PurgeDataModel.h"

#include <QDialog>

#include <functional>

class DateEdit;
class QCheckBox;

// "Purge Data": which completed business to remove, and up to which date.
class PurgeDataDialog final : public QDialog
{
public:
    using Purge = std::function<PurgeDataModel::Result()>;

    // `purge` runs the model's save (the runner wraps it in a wait cursor); without
    // one the model's save runs as it is.
    PurgeDataDialog(PurgeDataModel& model, const Clock& clock, Purge purge = {}, QWidget* parent = nullptr);

private:
    PurgeDataModel& m_model;
    Purge m_purge;
    QCheckBox* m_invoices = nullptr;
    QCheckBox* m_pos = nullptr;
    DateEdit* m_date = nullptr;
};
