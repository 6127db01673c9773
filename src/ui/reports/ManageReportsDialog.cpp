#include "ui/reports/ManageReportsDialog.h"

#include "ui/common/DialogButtons.h"
#include "ui/records/FormFields.h"
#include "ui/reports/ReportDefinitionSheet.h"

#include "core/reports/ManageReportsModel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

ManageReportsDialog::ManageReportsDialog(ManageReportsModel& model, FontChooser chooser, QWidget* parent)
    : QDialog(parent), m_model(model), m_chooser(std::move(chooser))
{
    const WindowFrame frame = OpenWindowFrame(*this, m_model.caption(), m_model.helpLine());
    m_location =
        AddLocationRow(this, *frame.form, ManageReportsModel::locationEntries(), m_model.locationIndex());

    const ManagedList managed = AddManagedList(this, *frame.layout, QStringLiteral("reportList"));
    m_reports = managed.list;
    m_modify = managed.modify;
    m_delete = managed.remove;
    QPushButton* add = managed.add;

    connect(m_location, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_model.setLocationIndex(index);
        refill();
    });
    connect(m_reports, &QListWidget::itemSelectionChanged, this, &ManageReportsDialog::selectionChanged);
    connect(add, &QPushButton::clicked, this, [this] {
        RunReportSheet(*m_model.add(), m_chooser, this);
        m_model.refill();
        refill();
    });
    connect(m_modify, &QPushButton::clicked, this, [this] {
        if (std::unique_ptr<ReportSheetModel> sheet = m_model.modify())
            RunReportSheet(*sheet, m_chooser, this);
        m_model.refill();
        refill();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_model.remove();
        refill();
    });
    connect(m_reports, &QListWidget::itemDoubleClicked, m_modify, &QPushButton::click);

    QPushButton* close = AddOkCancel(
        *this, *frame.layout, [this] { accept(); }, false);
    close->setText(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("closeButton"));
    refill();
    resize(sizeHint().width() + 120, sizeHint().height() + 80);
}

void ManageReportsDialog::refill()
{
    m_reports->clear();
    m_reports->addItems(m_model.reports());
    selectionChanged();
}

void ManageReportsDialog::selectionChanged()
{
    const QList<QListWidgetItem*> selected = m_reports->selectedItems();
    m_model.select(selected.isEmpty() ? -1 : m_reports->row(selected.constFirst()));
    m_modify->setEnabled(m_model.modifyEnabled());
    m_delete->setEnabled(m_model.deleteEnabled());
}
