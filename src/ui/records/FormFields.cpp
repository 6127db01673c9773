#include "ui/records/FormFields.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

QLineEdit* AddFormEdit(QWidget* owner, QFormLayout& form, const QString& label, const QString& objectName,
                       const QString& text)
{
    auto* edit = new QLineEdit(text, owner);
    edit->setObjectName(objectName);
    form.addRow(label, edit);
    return edit;
}

QLabel* AddFormText(QWidget* owner, QFormLayout& form, const QString& label, const QString& objectName,
                    const QString& text)
{
    auto* shown = new QLabel(text, owner);
    shown->setObjectName(objectName);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    form.addRow(label, shown);
    return shown;
}

QLabel* AddHelpLine(QWidget* owner, QBoxLayout& layout, const QString& text)
{
    auto* help = new QLabel(text, owner);
    help->setWordWrap(true);
    layout.addWidget(help);
    return help;
}

WindowFrame OpenWindowFrame(QWidget& window, const QString& caption, const QString& help)
{
    window.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&window);
    // A window without help text gets no empty line on top.
    if (!help.isEmpty())
        AddHelpLine(&window, *layout, help);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    return {layout, form};
}

QPushButton* NewButton(QWidget* owner, const QString& caption, const QString& objectName)
{
    auto* button = new QPushButton(caption, owner);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QPushButton* AddButton(QWidget* owner, QBoxLayout& row, const QString& caption, const QString& objectName)
{
    QPushButton* button = NewButton(owner, caption, objectName);
    row.addWidget(button);
    return button;
}

QComboBox* AddLocationRow(QWidget* owner, QFormLayout& form, const QStringList& entries, int current)
{
    auto* location = new QComboBox(owner);
    location->setObjectName(QStringLiteral("locationBox"));
    location->addItems(entries);
    location->setCurrentIndex(current);
    form.addRow(QStringLiteral("&Location:"), location);
    return location;
}

ManagedList AddManagedList(QWidget* owner, QBoxLayout& layout, const QString& listName)
{
    auto* row = new QHBoxLayout;
    layout.addLayout(row, 1);
    auto* list = new QListWidget(owner);
    list->setObjectName(listName);
    list->setMinimumWidth(list->fontMetrics().averageCharWidth() * 36);
    row->addWidget(list, 1);
    auto* buttons = new QVBoxLayout;
    row->addLayout(buttons);
    ManagedList managed{
        list, AddButton(owner, *buttons, QStringLiteral("<< &Add"), QStringLiteral("addButton")),
        AddButton(owner, *buttons, QStringLiteral("&Modify"), QStringLiteral("modifyButton")),
        AddButton(owner, *buttons, QStringLiteral("&Delete >>"), QStringLiteral("deleteButton"))};
    buttons->addStretch();
    return managed;
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
