#pragma once

#include "core/common/DialogModel.h"

#include <QString>
#include <QtGlobal>

class CProjectSettings;
class Prompter;

// What the Project Settings dialog shows of the open project, and the
// inventory style it lets the user change.
class ProjectSettingsModel : public DialogModel
{
public:
    // Only a failed write refuses.
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    ProjectSettingsModel(CProjectSettings& settings, Prompter& prompter);

    QString caption() const override { return QStringLiteral("Project Settings"); }

    QString projectPath() const;
    QString projectTitle() const;
    QString dateCreated() const;
    int inventoryStyle() const { return m_inventoryStyle; }
    void setInventoryStyle(int style);

    // OK: stores the style in the settings file (no record changes); a failed
    // write is reported and the dialog stays open.
    Result save();

    // A creation time as "Monday, March, 04, 2002" in local time.
    static QString formatCreated(quint32 secondsSinceEpoch);

private:
    CProjectSettings& m_settings;
    Prompter& m_prompter;
    int m_inventoryStyle;
};
