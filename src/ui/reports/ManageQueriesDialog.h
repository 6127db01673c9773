#pragma once

#include "core/reports/ManageQueriesModel.h"

#include <QDialog>

class QComboBox;
class QListWidget;
class QPushButton;

// "Manage Queries": the stored queries of the listing chosen under "Location".
// "<< Add" and "Modify" open Query Definition; "Delete >>" deletes the selected
// query at once. Modify and Delete need a selection.
class ManageQueriesDialog final : public QDialog
{
public:
    ManageQueriesDialog(ManageQueriesModel& model, QWidget* parent = nullptr);

private:
    void showList();
    void showButtons();
    // Runs Query Definition over `definition` (none: nothing to run), then lists
    // the queries again with the one it stored selected.
    void define(std::unique_ptr<QueryDefinitionModel> definition);

    ManageQueriesModel& m_model;
    QComboBox* m_location = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_modify = nullptr;
    QPushButton* m_delete = nullptr;
};
