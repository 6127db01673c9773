#pragma once

#include "core/views/RecordList.h"

#include <QAbstractTableModel>
#include <QList>

// A record list as a table for the list widgets: one row per record in the
// list's order, one column per shown column in display order. Every change of
// the list resets the model; cells are formatted only when they are asked for.
class RecordListModel : public QAbstractTableModel, private RecordList::Observer
{
    Q_OBJECT

public:
    enum Role
    {
        ConditionRole = Qt::UserRole + 1, // the row's RowCondition as an int
        RecordIdRole,
        ListIdRole,
    };

    explicit RecordListModel(RecordList& list, QObject* parent = nullptr);
    ~RecordListModel() override;

    RecordList& list() const { return m_list; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The definition index of a shown column; -1 outside.
    int definitionIndexOf(int column) const;
    // The model column of a definition index; -1 when the column is hidden.
    int columnOf(int definitionIndex) const;

Q_SIGNALS:
    // Rows asked for could not be read: they show empty, and the list's
    // readError() says why. Sent once the painting that asked is over.
    void unreadable();

private:
    void rowsAboutToChange() override;
    void rowsChanged() override;
    void rowsUnreadable() override;

    RecordList& m_list;
    QList<int> m_columns; // shown definition indexes in display order
};
