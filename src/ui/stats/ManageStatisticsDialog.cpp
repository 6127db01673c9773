#include "ui/stats/ManageStatisticsDialog.h"

#include "ui/common/DesktopServices.h"
#include "ui/common/DialogButtons.h"
#include "ui/records/FormFields.h"
#include "ui/stats/CreateStatisticDialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

ManageStatisticsDialog::ManageStatisticsDialog(ManageStatisticsModel& model, CProjectSettings& settings,
                                               const DesktopServices& services, QWidget* parent)
    : QDialog(parent), m_model(model), m_settings(settings), m_services(services)
{
    const WindowFrame frame = OpenWindowFrame(*this, m_model.caption(), m_model.helpLine());
    const ManagedList managed = AddManagedList(this, *frame.layout, QStringLiteral("statisticList"));
    m_list = managed.list;
    m_modify = managed.modify;
    m_delete = managed.remove;
    QPushButton* add = managed.add;

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int index) {
        m_model.setSelection(index);
        showEnabling();
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { m_modify->click(); });
    connect(add, &QPushButton::clicked, this, [this] { openCreateStatistic(QString()); });
    connect(m_modify, &QPushButton::clicked, this, [this] {
        if (const std::optional<QString> name = m_model.statisticToModify())
            openCreateStatistic(*name);
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_model.deleteSelected();
        showNames();
    });
    AddOkCancel(
        *this, *frame.layout, [this] { accept(); }, false)
        ->setObjectName(QStringLiteral("okButton"));
    showNames();
    m_list->setFocus();
}

void ManageStatisticsDialog::openCreateStatistic(const QString& name)
{
    CreateStatisticModel create(m_settings, m_services.prompter, m_services.clock, name);
    if (create.checkPrerequisites()) {
        CreateStatisticDialog dialog(create, m_services.clock, this);
        dialog.exec();
    }
    m_model.refresh();
    showNames();
}

void ManageStatisticsDialog::showNames()
{
    {
        const QSignalBlocker quiet(m_list);
        m_list->clear();
        m_list->addItems(m_model.names());
        m_list->setCurrentRow(m_model.selection());
    }
    showEnabling();
}

void ManageStatisticsDialog::showEnabling()
{
    m_modify->setEnabled(m_model.modifyEnabled());
    m_delete->setEnabled(m_model.deleteEnabled());
}
