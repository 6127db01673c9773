#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Prompter;
class RecordList;

// The state behind the Find In List dialog: the list's shown columns, the one
// to search and the text to look for. Both stay as set from one hit to the
// next while the dialog is open, so each Find Next goes on below the row the
// previous hit selected.
class FindInListModel
{
public:
    explicit FindInListModel(const RecordList& list);

    QString title() const;
    QString help() const;
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

    // The next row whose chosen field holds the text, ignoring case: below
    // `selectedRow` (-1: none) to the end, then from the top. -1, after telling
    // the user, for an empty text or when no row holds it.
    int findNext(int selectedRow, Prompter& prompter) const;

private:
    const RecordList& m_list;
    QList<int> m_columns; // definition indexes of the fields
    QStringList m_titles;
    int m_selected = -1;
    QString m_text;
};
