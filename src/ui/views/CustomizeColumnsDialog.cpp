#include "CustomizeColumnsDialog.h"

#include "ui/common/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

CustomizeColumnsDialog::CustomizeColumnsDialog(RecordLists& lists, Prompter& prompter, ListingKind current,
                                               QWidget* parent)
    : QDialog(parent), m_model(lists, prompter, current), m_list(new QComboBox(this)),
      m_columns(new QListWidget(this)), m_title(new QLineEdit(this)), m_justification(new QComboBox(this)),
      m_display(new QCheckBox(QStringLiteral("Display Column"), this))
{
    setObjectName(QStringLiteral("customizeColumnsDialog"));
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    auto* top = new QFormLayout;
    m_list->addItems(CustomizeColumnsModel::listEntries());
    top->addRow(QStringLiteral("List:"), m_list);
    layout->addLayout(top);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Original Columns"), this));
    left->addWidget(m_columns);
    middle->addLayout(left);
    auto* right = new QFormLayout;
    m_justification->addItems(CustomizeColumnsModel::justificationEntries());
    right->addRow(QStringLiteral("Column Title"), m_title);
    right->addRow(QStringLiteral("Justification"), m_justification);
    right->addRow(m_display);
    middle->addLayout(right);
    layout->addLayout(middle);

    AddOkCancel(*this, *layout, [this] {
        if (apply())
            accept();
    });

    connect(m_list, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_showing)
            return;
        m_model.selectList(static_cast<ListingKind>(index));
        showList();
    });
    connect(m_columns, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_showing)
            return;
        m_model.selectColumn(row);
        showColumn();
    });
    connect(m_title, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_model.setColumnTitle(text); });
    connect(m_justification, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_showing)
            m_model.setJustificationIndex(index);
    });
    connect(m_display, &QCheckBox::toggled, this, [this](bool on) {
        if (m_showing)
            return;
        m_model.setDisplayColumn(on);
        showColumn();
    });
    showList();
}

void CustomizeColumnsDialog::showList()
{
    m_showing = true;
    m_list->setCurrentIndex(static_cast<int>(m_model.selectedList()));
    m_columns->clear();
    m_columns->addItems(m_model.originalColumns());
    m_showing = false;
    showColumn();
}

void CustomizeColumnsDialog::showColumn()
{
    m_showing = true;
    m_columns->setCurrentRow(m_model.selectedColumn());
    m_title->setText(m_model.columnTitle());
    m_justification->setCurrentIndex(m_model.justificationIndex());
    m_display->setChecked(m_model.displayColumn());
    m_title->setEnabled(m_model.titleEnabled());
    m_justification->setEnabled(m_model.justificationEnabled());
    m_display->setEnabled(m_model.displayEnabled());
    m_showing = false;
}

bool CustomizeColumnsDialog::apply()
{
    return m_model.save().saved;
}
