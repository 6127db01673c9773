#pragma once

#include "core/common/DialogModel.h"

#include <QList>
#include <QStringList>

class RecordList;

// The state behind the Sort List dialog: which of the list's shown columns
// orders its rows.
class SortListModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        SortField
    };
    using Result = SaveResult<Field>;

    explicit SortListModel(RecordList& list);

    QString caption() const override;
    // "Choose the field you wish to sort by."
    QString helpLine() const override;

    // The shown columns' titles in display order.
    QStringList fields() const { return m_titles; }
    // The column sorted by now; the first field when that one is hidden; -1 for
    // a list without shown columns.
    int selectedField() const { return m_selected; }
    void selectField(int index);

    // OK: the list is ordered by the chosen column; no record changes. Refused
    // without a choice.
    Result save();

private:
    RecordList& m_list;
    QList<int> m_columns; // definition indexes of the fields
    QStringList m_titles;
    int m_selected = -1;
};
