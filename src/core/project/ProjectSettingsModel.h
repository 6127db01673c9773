#pragma once

#include <QString>
#include <QtGlobal>

class CProjectSettings;
class Prompter;

// What the Project Settings dialog shows of the open project, and the
// inventory style it lets the user change.
class ProjectSettingsModel
{
public:
    explicit ProjectSettingsModel(CProjectSettings& settings);

    QString projectPath() const;
    QString projectTitle() const;
    QString dateCreated() const;
    int inventoryStyle() const { return m_inventoryStyle; }
    void setInventoryStyle(int style);

    // Stores the style in the settings file; a failed write is reported and
    // the dialog stays open.
    bool accept(Prompter& prompter);

    // A creation time as "Monday, March, 04, 2002" in local time.
    static QString formatCreated(quint32 secondsSinceEpoch);

private:
    CProjectSettings& m_settings;
    int m_inventoryStyle;
};
