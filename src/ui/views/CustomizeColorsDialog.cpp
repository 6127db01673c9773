#include "CustomizeColorsDialog.h"

#include "ui/common/DialogButtons.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

CustomizeColorsDialog::CustomizeColorsDialog(RecordLists& lists, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_model(lists, prompter)
{
    setObjectName(QStringLiteral("customizeColorsDialog"));
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(m_model.helpLine(), this);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const RowCondition condition : CustomizeColorsModel::conditions()) {
        auto* button = new QPushButton(this);
        m_buttons.append(button);
        grid->addWidget(new QLabel(ListColors::caption(condition), this), row, 0);
        grid->addWidget(button, row, 1);
        connect(button, &QPushButton::clicked, this, [this, condition] {
            const ListColor now = m_model.color(condition);
            const QColor chosen = QColorDialog::getColor(QColor(now.red, now.green, now.blue), this);
            if (chosen.isValid())
                setColor(condition, chosen);
        });
        paintButton(condition);
        ++row;
    }
    layout->addLayout(grid);
    AddOkCancel(*this, *layout, [this] {
        if (apply())
            accept();
    });
}

QPushButton* CustomizeColorsDialog::colorButton(RowCondition condition) const
{
    const qsizetype at = CustomizeColorsModel::conditions().indexOf(condition);
    return at >= 0 ? m_buttons.at(at) : nullptr;
}

void CustomizeColorsDialog::setColor(RowCondition condition, const QColor& color)
{
    m_model.setColor(condition, ListColor{color.red(), color.green(), color.blue()});
    paintButton(condition);
}

void CustomizeColorsDialog::paintButton(RowCondition condition)
{
    QPushButton* button = colorButton(condition);
    if (!button)
        return;
    const ListColor color = m_model.color(condition);
    QPixmap swatch(40, 14);
    swatch.fill(QColor(color.red, color.green, color.blue));
    button->setIcon(QIcon(swatch));
    button->setIconSize(swatch.size());
}

bool CustomizeColorsDialog::apply()
{
    return m_model.save().saved;
}
