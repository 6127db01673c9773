#pragma once

#include "common/SaveResult.h"

#include <QList>
#include <QStringList>

class RecordList;

// The state behind the Sort List dialog: which of the list's shown columns
// orders its rows.
class SortListModel
{
public:
    explicit SortListModel(RecordList& list);

    static QString title();
    // "Choose the field you wish to sort by."
    static QString prompt();

    // The shown columns' titles in display order.
    QStringList fields() const { return m_titles; }
    // The column sorted by now; the first field when that one is hidden; -1 for
    // a list without shown columns.
    int selectedField() const { return m_selected; }
    void selectField(int index);

    // OK: the list is ordered by the chosen column. Refused without a choice.
    LegacySaveResult save();

private:
    RecordList& m_list;
    QList<int> m_columns; // definition indexes of the fields
    QStringList m_titles;
    int m_selected = -1;
};
