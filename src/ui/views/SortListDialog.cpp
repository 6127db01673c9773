#include "SortListDialog.h"

#include "ui/common/DialogButtons.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

SortListDialog::SortListDialog(RecordList& list, QWidget* parent)
    : QDialog(parent), m_model(list), m_field(new QComboBox(this))
{
    setObjectName(QStringLiteral("sortListDialog"));
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(m_model.helpLine(), this));
    m_field->addItems(m_model.fields());
    m_field->setCurrentIndex(m_model.selectedField());
    layout->addWidget(m_field);
    connect(m_field, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_model.selectField(index); });
    AddOkCancel(*this, *layout, [this] {
        if (apply())
            accept();
    });
}

bool SortListDialog::apply()
{
    return m_model.save().saved;
}
