#pragma once

#include "core/reports/QueryDefinitionModel.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// "Query Definition": a stored query written as a sentence, "SHOW ALL RECORDS
// IN WHICH ..." or "SHOW TOP 10 PERCENT ORDERED BY ... WHERE ...", with up to
// three criteria joined by And or Or. Every change goes to the model at once;
// OK asks it to store the query.
class QueryDefinitionDialog final : public QDialog
{
public:
    QueryDefinitionDialog(QueryDefinitionModel& model, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* countEdit() const { return m_count; }
    QLineEdit* valueEdit(int row) const { return m_rows[static_cast<size_t>(row)].value; }

private:
    struct Row
    {
        QComboBox* field = nullptr;
        QComboBox* op = nullptr;
        QLineEdit* value = nullptr;
        QLabel* hint = nullptr;
    };

    void addRow(QGridLayout& grid, int row);
    void showModel();
    // With ALL only "RECORDS IN WHICH ..." follows SHOW; with TOP the count,
    // unit, order and "WHERE" do.
    void applyShowRule();
    void confirm();
    QWidget* fieldOf(QueryDefinitionModel::Field field) const;

    QueryDefinitionModel& m_model;
    QLineEdit* m_name = nullptr;
    QComboBox* m_show = nullptr;
    QLineEdit* m_count = nullptr;
    QComboBox* m_unit = nullptr;
    QLabel* m_recordsInWhich = nullptr;
    QLabel* m_orderedBy = nullptr;
    QComboBox* m_orderBy = nullptr;
    QComboBox* m_direction = nullptr;
    QLabel* m_where = nullptr;
    std::array<Row, kQueryCriterionCount> m_rows;
    // Before rows 2 and 3: button 0 "And", 1 "Or".
    std::array<QButtonGroup*, kQueryCriterionCount - 1> m_connectors{};
    QPushButton* m_ok = nullptr;
};
