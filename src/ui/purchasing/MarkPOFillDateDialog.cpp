#include "ui/purchasing/MarkPOFillDateDialog.h"

#include "ui/common/DateEdit.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/records/FormFields.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

MarkPOFillDateDialog::MarkPOFillDateDialog(MarkPOFillDateModel& model, const Clock& clock, QWidget* parent)
    : QDialog(parent), m_model(model)
{
    const auto [layout, form] = OpenWindowFrame(*this, m_model.caption(), m_model.helpLine());
    m_date = new DateEdit(clock, this);
    m_date->setObjectName(QStringLiteral("dateEdit"));
    m_date->setText(m_model.dateText());
    auto* label = new QLabel(QLatin1Char('&') + m_model.dateLabel(), this);
    label->setBuddy(m_date);
    form->addRow(label, m_date);
    AddOkCancel(*this, *layout, [this] {
        m_model.setDateText(m_date->text());
        const MarkPOFillDateModel::Result result = m_model.save();
        AcceptOrFocusRefused(*this, result.saved,
                             result.focus == MarkPOFillDateModel::Field::Date ? m_date : nullptr);
    })->setObjectName(QStringLiteral("okButton"));
    m_date->setFocus();
    m_date->selectAll();
}
