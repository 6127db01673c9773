#include "ui/records/FormFields.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLineEdit* AddFormEdit(QWidget* owner, QFormLayout& form, const QString& label, const QString& objectName,
                       const QString& text)
{
    auto* edit = new QLineEdit(text, owner);
    edit->setObjectName(objectName);
    form.addRow(label, edit);
    return edit;
}

void AddFormText(QWidget* owner, QFormLayout& form, const QString& label, const QString& objectName,
                 const QString& text)
{
    auto* shown = new QLabel(text, owner);
    shown->setObjectName(objectName);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    form.addRow(label, shown);
}

void ChainTabOrder(std::initializer_list<QWidget*> widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void InsertBeforeOk(QBoxLayout& layout, QPushButton* button)
{
    auto* row = qobject_cast<QBoxLayout*>(layout.itemAt(layout.count() - 1)->layout());
    Q_ASSERT(row != nullptr);
    // The row starts with a stretch, then OK.
    row->insertWidget(1, button);
}
