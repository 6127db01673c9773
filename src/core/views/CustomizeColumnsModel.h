#pragma once

#include "ListColumnLayout.h"

#include "core/common/DialogModel.h"

#include <QStringList>

#include <array>
#include <optional>

class Prompter;
class RecordLists;

// The state behind the Customize Columns dialog: for any of the six lists, each
// column's title, justification and whether it is shown. Nothing changes until
// OK, which applies and stores the layouts of every list.
class CustomizeColumnsModel : public DialogModel
{
public:
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    QString caption() const override { return QStringLiteral("Customize Columns"); }
    // Starts on the list showing (`current`).
    CustomizeColumnsModel(RecordLists& lists, Prompter& prompter, ListingKind current);

    // "List:": the six lists in kind order.
    static QStringList listEntries();
    ListingKind selectedList() const { return m_list; }
    // Selects no column.
    void selectList(ListingKind kind);

    // "Original Columns": the selected list's columns as first defined.
    QStringList originalColumns() const;
    // A definition index; -1 selects nothing.
    int selectedColumn() const { return m_column; }
    void selectColumn(int definitionIndex);

    // "Justification" entries: "Left", "Center", "Right".
    static QStringList justificationEntries();

    // The selected column's values; empty, Left and shown without a selection.
    QString columnTitle() const;
    void setColumnTitle(const QString& title);
    // An index into justificationEntries().
    int justificationIndex() const;
    void setJustificationIndex(int index);
    // "Display Column".
    bool displayColumn() const;
    void setDisplayColumn(bool shown);

    // Title and justification are edited only for a selected column that is shown.
    bool titleEnabled() const;
    bool justificationEnabled() const { return titleEnabled(); }
    bool displayEnabled() const { return m_column >= 0; }

    // The layout as edited so far.
    const ListColumnLayout& editedLayout(ListingKind kind) const
    {
        return m_edits[static_cast<size_t>(kind)];
    }

    // OK: the lists take the edited layouts, which are stored; every list shows
    // its columns anew. When the settings cannot be written the user is told and
    // nothing changes.
    Result save();

private:
    ListColumnLayout& edited() { return m_edits[static_cast<size_t>(m_list)]; }
    const ListColumnLayout& edited() const { return m_edits[static_cast<size_t>(m_list)]; }

    RecordLists& m_lists;
    Prompter& m_prompter;
    ListingKind m_list;
    int m_column = -1;
    std::array<ListColumnLayout, kListingKindCount> m_edits;
};
