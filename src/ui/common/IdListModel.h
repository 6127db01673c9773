#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>

// A list of texts, each carrying a record ID as its Qt::UserRole data, filled in
// one reset: a combo box or list view over a thousand order lines fills at once
// instead of row by row.
class IdListModel final : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    struct Entry
    {
        QString text;
        qint32 id = 0;
    };

    void setEntries(QList<Entry> entries);
    // The row holding the ID, -1 for none.
    int rowOfId(qint32 id) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QList<Entry> m_entries;
};
