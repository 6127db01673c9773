#pragma once

#include "core/purchasing/AutoOrderModel.h"

#include <QDialog>

struct DesktopServices;
class ProjectTables;
class RecordPicker;

// "Automated Order Recording": the choice of the purchase order that automated
// ordering or receiving works on. OK only closes it; the steps run afterwards.
class AutoOrderDialog final : public QDialog
{
public:
    AutoOrderDialog(AutoOrderModel& model, ProjectTables& tables, const DesktopServices& services,
                    QWidget* parent = nullptr);

private:
    AutoOrderModel& m_model;
    ProjectTables& m_tables;
    const DesktopServices& m_services;
    RecordPicker* m_po = nullptr;
};
