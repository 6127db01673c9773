#pragma once

#include "core/common/DialogModel.h"
#include "core/project/ProjectSettings.h"

#include <QString>

#include <memory>

class Clock;
class Prompter;

// What the New Inventory Project dialog holds and decides: the name, location
// and inventory style typed so far, and the settings of the project that OK or
// Open Existing Project produces. A failure keeps the dialog open with the
// input as it was.
class NewProjectModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Name,
        Location
    };
    using Result = SaveResult<Field>;

    static constexpr int MaxNameLength = 128;

    // The location starts at the process's current working directory.
    NewProjectModel(const Clock& clock, Prompter& prompter);

    QString caption() const override;

    QString name() const { return m_name; }
    // A longer name is cut to MaxNameLength characters.
    void setName(const QString& name);
    QString location() const { return m_location; }
    void setLocation(const QString& location);
    // A folder picked by browsing, without its trailing separator.
    void chooseLocation(const QString& folder);
    int inventoryStyle() const { return m_inventoryStyle; }
    void setInventoryStyle(int style);

    // OK: creates the project's settings file with the chosen style; saved when
    // the dialog may close. No record changes: the project's database is made
    // when it opens. When the location already holds a project of that name
    // nothing is written: the user may open that project instead.
    Result save();
    // Open Existing Project: takes the project whose database is at
    // databasePath; its settings file is read, or written afresh when it cannot
    // be read. True when the dialog may close.
    bool openExisting(const QString& databasePath);

    // The project produced by the last successful createProject or
    // openExisting; null before.
    std::unique_ptr<CProjectSettings> takeSettings() { return std::move(m_settings); }
    const CProjectSettings* settings() const { return m_settings.get(); }

private:
    const Clock& m_clock;
    Prompter& m_prompter;
    QString m_name;
    QString m_location;
    int m_inventoryStyle = FIFO;
    std::unique_ptr<CProjectSettings> m_settings;
};
