#pragma once

#include "core/common/DialogModel.h"

#include <QString>
#include <QtGlobal>

#include <optional>

class CProjectSettings;
class UserSettings;
class Prompter;

// What the Project Settings dialog shows of the open project, and the
// inventory style it lets the user change; with the user's settings given, also
// how many automatic backups of the project are kept.
class ProjectSettingsModel : public DialogModel
{
public:
    // Only a failed write refuses.
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    ProjectSettingsModel(CProjectSettings& settings, Prompter& prompter, UserSettings* user = nullptr);

    QString caption() const override { return QStringLiteral("Project Settings"); }

    QString projectPath() const;
    QString projectTitle() const;
    QString dateCreated() const;
    int inventoryStyle() const { return m_inventoryStyle; }
    void setInventoryStyle(int style);
    // Nothing without the user's settings.
    std::optional<int> backupsKept() const { return m_backupsKept; }
    void setBackupsKept(int count);

    // OK: stores the style in the settings file (no record changes) and the
    // number of backups in the user's settings; a failed write is reported and
    // the dialog stays open.
    Result save();

    // A creation time as "Monday, March, 04, 2002" in local time.
    static QString formatCreated(quint32 secondsSinceEpoch);

private:
    CProjectSettings& m_settings;
    Prompter& m_prompter;
    int m_inventoryStyle;
    UserSettings* m_user;
    std::optional<int> m_backupsKept;
};
