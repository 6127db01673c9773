#pragma once

#include "core/common/DialogModel.h"

#include <QString>
#include <QStringList>

#include <optional>

class CProjectSettings;
class Prompter;

// The state behind the "Manage Statistics" dialog: the project's statistics by
// name, the one selected, and deletion with dependants. Adding and modifying
// open the Create Statistic dialog, which the dialog does itself.
class ManageStatisticsModel : public DialogModel
{
public:
    // Nothing to refuse: each action stores at once or through Create Statistic; statistics are kept by name,
    // not as records, so changes() stays empty.
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    ManageStatisticsModel(CProjectSettings& settings, Prompter& prompter);

    QString caption() const override { return QStringLiteral("Manage Statistics"); }
    QString helpLine() const override
    {
        return QStringLiteral("Add, modify, or delete statistics from project.");
    }

    // Every statistic's name in list order.
    const QStringList& names() const { return m_names; }
    // -1 while nothing is selected.
    int selection() const { return m_selection; }
    void setSelection(int index);
    bool modifyEnabled() const { return m_selection >= 0; }
    bool deleteEnabled() const { return m_selection >= 0; }

    // "Modify": the name to open Create Statistic with; nothing (and the user
    // told) without a selection.
    std::optional<QString> statisticToModify();
    // "Delete >>": deletes the selected statistic with its dependants after the
    // user's Yes; true when something was deleted.
    bool deleteSelected();
    // Rebuilds the list after an addition, change or deletion, keeping the
    // selected position where the list still reaches it.
    void refresh();

    // Close.
    Result save() { return Result::ok(); }

private:
    bool requireSelection();

    CProjectSettings& m_settings;
    Prompter& m_prompter;
    QStringList m_names;
    int m_selection = -1;
};
