#pragma once

#include "core/views/CustomizeColorsModel.h"

#include <QDialog>
#include <QList>

class QPushButton;

// Customize Colors: the text colour of each row condition, chosen with the
// colour chooser. OK stores them and every list draws in them.
class CustomizeColorsDialog : public QDialog
{
    Q_OBJECT

public:
    CustomizeColorsDialog(RecordLists& lists, Prompter& prompter, QWidget* parent = nullptr);

    CustomizeColorsModel& model() { return m_model; }
    QPushButton* colorButton(RowCondition condition) const;

    // What the colour chooser returned for a condition.
    void setColor(RowCondition condition, const QColor& color);
    // OK: true when the colours were stored.
    bool apply();

private:
    void paintButton(RowCondition condition);

    CustomizeColorsModel m_model;
    QList<QPushButton*> m_buttons; // in the order of CustomizeColorsModel::conditions()
};
