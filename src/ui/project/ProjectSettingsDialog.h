#pragma once

#include "core/project/ProjectSettingsModel.h"

#include <QDialog>
#include <QList>

#include <utility>

class Prompter;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class UserSettings;

// "Project Settings": the open project's identity and its inventory style.
class ProjectSettingsDialog final : public QDialog
{
public:
    // With the user's settings, the number of backups kept shows too.
    ProjectSettingsDialog(CProjectSettings& settings, Prompter& prompter, UserSettings* user = nullptr,
                          QWidget* parent = nullptr);

    QString shownText(const QString& label) const;
    QRadioButton* fifoButton() const { return m_fifo; }
    QRadioButton* lifoButton() const { return m_lifo; }
    QPushButton* okButton() const { return m_ok; }

private:
    void confirm();

    ProjectSettingsModel m_model;
    QList<std::pair<QString, QLabel*>> m_values;
    QRadioButton* m_fifo;
    QRadioButton* m_lifo;
    QPushButton* m_ok = nullptr;
    QSpinBox* m_backups = nullptr;
};
