#pragma once

#include "core/stats/CreateStatisticModel.h"

#include <QDialog>

class Clock;
class DateEdit;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// "Create Statistic": the name, listing and formula of one statistic, new or
// changed. The operand boxes offer the listing's fields and the statistics that
// fit it; text typed in them that is none of those is a constant.
class CreateStatisticDialog final : public QDialog
{
public:
    CreateStatisticDialog(CreateStatisticModel& model, const Clock& clock, QWidget* parent = nullptr);

private:
    void showModel();
    // The operand boxes' entries after a change of listing, their texts kept.
    void showOperandEntries();
    void showEnabling();
    void takeFields();
    void finish(CreateStatisticModel::Result result, bool close);
    QWidget* fieldOf(CreateStatisticModel::Field field) const;

    CreateStatisticModel& m_model;
    QLineEdit* m_name = nullptr;
    QComboBox* m_listing = nullptr;
    QCheckBox* m_intermediate = nullptr;
    QComboBox* m_left = nullptr;
    QComboBox* m_operator = nullptr;
    QComboBox* m_right = nullptr;
    QCheckBox* m_applyDates = nullptr;
    DateEdit* m_start = nullptr;
    DateEdit* m_thru = nullptr;
    QPushButton* m_next = nullptr;
};
