#pragma once

#include <QDialog>

class QListWidget;
class RestoreBackupModel;

// "Restore from Backup": the project's backups by date; Restore puts the one
// chosen in the project's place.
class RestoreBackupDialog : public QDialog
{
    Q_OBJECT

public:
    RestoreBackupDialog(RestoreBackupModel& model, QWidget* parent = nullptr);

private:
    RestoreBackupModel& m_model;
    QListWidget* m_backups;
};
