#pragma once

#include "core/common/DialogModel.h"

#include <QList>
#include <QString>
#include <QStringList>

class Prompter;
class RecordList;

// The state behind the Find In List dialog: the list's shown columns, the one
// to search and the text to look for. Both stay as set from one hit to the
// next while the dialog is open, so each Find Next goes on below the row the
// previous hit selected.
class FindInListModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Text,
        SearchField
    };
    using Result = SaveResult<Field>;

    FindInListModel(const RecordList& list, Prompter& prompter);

    QString caption() const override;
    QString helpLine() const override;
    static QString textLabel();
    static QString fieldLabel();
    static QString findNextLabel();

    // The shown columns' titles in display order.
    const QStringList& fields() const { return m_titles; }
    // The first field at first; -1 for a list without shown columns.
    int selectedField() const { return m_selected; }
    void selectField(int index);
    const QString& text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

    // The list's selected row the next search starts below (-1: none).
    void setSelectedRow(int row) { m_selectedRow = row; }
    // OK and Find Next: the next row whose chosen field holds the text, ignoring
    // case, below the selected row to the end, then from the top, becomes
    // foundRow(). Refused, after telling the user, for an empty text or when no
    // row holds it (the text takes the focus), or without a field to search.
    // Only chooses a row: no record changes.
    Result save();
    // The row the last accepted save found; -1 before.
    int foundRow() const { return m_found; }
    // setSelectedRow() and save(): the row found, or -1.
    int findNext(int selectedRow);

private:
    const RecordList& m_list;
    Prompter& m_prompter;
    QList<int> m_columns; // definition indexes of the fields
    QStringList m_titles;
    int m_selected = -1;
    QString m_text;
    int m_selectedRow = -1;
    int m_found = -1;
};
