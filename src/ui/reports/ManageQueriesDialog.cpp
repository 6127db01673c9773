#include "ui/reports/ManageQueriesDialog.h"

#include "ui/common/DialogButtons.h"
#include "ui/common/RunWindow.h"
#include "ui/records/FormFields.h"
#include "ui/reports/QueryDefinitionDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

ManageQueriesDialog::ManageQueriesDialog(ManageQueriesModel& model, QWidget* parent)
    : QDialog(parent), m_model(model)
{
    const WindowFrame frame = OpenWindowFrame(*this, m_model.caption(), m_model.helpLine());
    m_location =
        AddLocationRow(this, *frame.form, ManageQueriesModel::locationEntries(), m_model.locationIndex());

    const ManagedList managed = AddManagedList(this, *frame.layout, QStringLiteral("queryList"));
    m_list = managed.list;
    m_modify = managed.modify;
    m_delete = managed.remove;
    QPushButton* add = managed.add;

    AddOkCancel(
        *this, *frame.layout, [this] { accept(); }, false)
        ->setObjectName(QStringLiteral("okButton"));

    connect(m_location, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_model.setLocationIndex(index);
        showList();
    });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_model.select(row);
        showButtons();
    });
    connect(m_list, &QListWidget::itemActivated, this, [this] { define(m_model.modify()); });
    connect(add, &QPushButton::clicked, this, [this] { define(m_model.add()); });
    connect(m_modify, &QPushButton::clicked, this, [this] { define(m_model.modify()); });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_model.remove();
        showList();
    });
    showList();
    m_list->setFocus();
}

void ManageQueriesDialog::showList()
{
    {
        const QSignalBlocker quiet(m_list);
        m_list->clear();
        m_list->addItems(m_model.queries());
        m_list->setCurrentRow(m_model.selection());
    }
    showButtons();
}

void ManageQueriesDialog::showButtons()
{
    m_modify->setEnabled(m_model.modifyEnabled());
    m_delete->setEnabled(m_model.deleteEnabled());
}

void ManageQueriesDialog::define(std::unique_ptr<QueryDefinitionModel> definition)
{
    if (!definition)
        return;
    RunWindow<QueryDefinitionDialog>(*definition, this);
    m_model.refill();
    // The query just stored (or the one the dialog left) is selected again.
    const QString stored =
        definition->storedSql().isEmpty() ? definition->previousName() : definition->name();
    m_model.select(static_cast<int>(m_model.queries().indexOf(stored)));
    showList();
}
