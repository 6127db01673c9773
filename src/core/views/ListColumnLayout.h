#pragma once

#include "ListDefinitions.h"

#include <QList>
#include <QString>

class UserSettings;

// One column of a list as the user arranged it.
struct ListColumn
{
    // Position in the list; ListColumnLayout::kHidden or kRestore.
    int displayIndex = 0;
    QString title;
    ColumnJustification justification = ColumnJustification::Left;
    // Position in the kind's column definitions.
    int definitionIndex = 0;
    int width = 100;

    friend bool operator==(const ListColumn&, const ListColumn&) = default;
};

// The columns of one list kind: their titles, justification, widths and which
// are shown in what order, kept per user in the kind's settings section.
class ListColumnLayout
{
public:
    static constexpr int kHidden = 999;
    // Shown again: goes back to its definition position when the layout is saved.
    static constexpr int kRestore = 998;
    static constexpr int kDefaultWidth = 100;

    // Every column shown in definition order with its defaults.
    explicit ListColumnLayout(ListingKind kind);

    // Reads every column's values, each missing one taking its default.
    void load(const UserSettings& settings);
    // Writes every column's values (a hidden column keeps no width) and flushes
    // them; false when the settings could not be written. A column marked to
    // come back takes its definition position first.
    bool save(UserSettings& settings);
    // The values of `save` without flushing, for writing several layouts at once.
    void store(UserSettings& settings);

    ListingKind kind() const { return m_kind; }
    int count() const { return static_cast<int>(m_columns.size()); }
    const ListColumn& column(int definitionIndex) const { return m_columns.at(definitionIndex); }
    const QList<ListColumn>& columns() const { return m_columns; }

    // The shown columns' definition indexes in display order.
    QList<int> visibleColumns() const;
    // The display position of a column, counting hidden columns; kHidden if hidden.
    int DisplayIndexOf(int definitionIndex) const;
    bool isHidden(int definitionIndex) const;

    // Hiding marks the column kHidden; showing a hidden column marks it kRestore.
    void setHidden(int definitionIndex, bool hidden);
    void setTitle(int definitionIndex, const QString& title);
    void setJustification(int definitionIndex, ColumnJustification justification);
    void setWidth(int definitionIndex, int width);

    friend bool operator==(const ListColumnLayout&, const ListColumnLayout&) = default;

private:
    ListingKind m_kind;
    QList<ListColumn> m_columns;
};
