#pragma once

#include "core/stats/ManageStatisticsModel.h"

#include <QDialog>

class CProjectSettings;
struct DesktopServices;
class QListWidget;
class QPushButton;

// "Manage Statistics": the project's statistics by name, with "<< Add" and
// "Modify" through Create Statistic and "Delete >>" with the statistics that
// depend on the one deleted.
class ManageStatisticsDialog final : public QDialog
{
public:
    ManageStatisticsDialog(ManageStatisticsModel& model, CProjectSettings& settings,
                           const DesktopServices& services, QWidget* parent = nullptr);

private:
    // Create Statistic on a new statistic (empty name) or on the one named.
    void openCreateStatistic(const QString& name);
    // The list again from the model, its selected position kept.
    void showNames();
    void showEnabling();

    ManageStatisticsModel& m_model;
    CProjectSettings& m_settings;
    const DesktopServices& m_services;
    QListWidget* m_list = nullptr;
    QPushButton* m_modify = nullptr;
    QPushButton* m_delete = nullptr;
};
