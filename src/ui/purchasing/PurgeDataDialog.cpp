#include "ui/purchasing/PurgeDataDialog.h"

#include "ui/common/DateEdit.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/records/FormFields.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PurgeDataDialog::PurgeDataDialog(PurgeDataModel& model, const Clock& clock, Purge purge, QWidget* parent)
    : QDialog(parent), m_model(model), m_purge(std::move(purge))
{
    if (!m_purge)
        m_purge = [this] { return m_model.save(); };
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    AddHelpLine(this, *layout, m_model.helpLine());

    m_invoices = new QCheckBox(QStringLiteral("Purge Completely &Paid Invoices"), this);
    m_invoices->setObjectName(QStringLiteral("invoicesBox"));
    m_invoices->setChecked(m_model.purgeInvoices());
    layout->addWidget(m_invoices);
    m_pos = new QCheckBox(QStringLiteral("Purge &Filled Purchase Orders"), this);
    m_pos->setObjectName(QStringLiteral("posBox"));
    m_pos->setChecked(m_model.purgePOs());
    layout->addWidget(m_pos);

    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_date = new DateEdit(clock, this);
    m_date->setObjectName(QStringLiteral("dateEdit"));
    m_date->setText(m_model.dateText());
    form->addRow(QStringLiteral("&Thru this date:"), m_date);

    QPushButton* ok = AddOkCancel(*this, *layout, [this] {
        m_model.setPurgeInvoices(m_invoices->isChecked());
        m_model.setPurgePOs(m_pos->isChecked());
        m_model.setDateText(m_date->text());
        const PurgeDataModel::Result result = m_purge();
        AcceptOrFocusRefused(*this, result.saved,
                             result.focus == PurgeDataModel::Field::Date ? m_date : nullptr);
    });
    ok->setObjectName(QStringLiteral("okButton"));
    QWidget::setTabOrder(m_invoices, m_pos);
    QWidget::setTabOrder(m_pos, m_date);
    QWidget::setTabOrder(m_date, ok);
    m_invoices->setFocus();
}
