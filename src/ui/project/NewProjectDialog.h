#pragma once

#include "core/project/NewProjectModel.h"

#include <QDialog>

struct DesktopServices;
class FileChooser;
class Prompter;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "New Inventory Project": creates a project or picks an existing one. The
// model keeps the settings of the project produced when the dialog closes
// with OK.
class NewProjectDialog final : public QDialog
{
public:
    NewProjectDialog(const DesktopServices& services, QWidget* parent = nullptr);

    NewProjectModel& model() { return m_model; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* locationEdit() const { return m_location; }
    QRadioButton* fifoButton() const { return m_fifo; }
    QRadioButton* lifoButton() const { return m_lifo; }
    QPushButton* okButton() const { return m_ok; }

    // A folder picked with BROWSE.
    void chooseLocation(const QString& folder);
    // A database picked with Open Existing Project; closes with OK when its
    // settings could be read or written.
    void openExisting(const QString& databasePath);

private:
    void browse();
    void pickExisting();
    void createProject();
    void takeInput();

    NewProjectModel m_model;
    FileChooser& m_files;
    QLineEdit* m_name;
    QLineEdit* m_location;
    QRadioButton* m_fifo;
    QRadioButton* m_lifo;
    QPushButton* m_ok;
};
