#include "SortListDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

SortListDialog::SortListDialog(RecordList& list, QWidget* parent)
    : QDialog(parent), m_model(list), m_field(new QComboBox(this))
{
    setObjectName(QStringLiteral("sortListDialog"));
    setWindowTitle(SortListModel::title());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(SortListModel::prompt(), this));
    m_field->addItems(m_model.fields());
    m_field->setCurrentIndex(m_model.selectedField());
    layout->addWidget(m_field);
    connect(m_field, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_model.selectField(index); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (apply())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool SortListDialog::apply()
{
    return m_model.save().saved;
}
