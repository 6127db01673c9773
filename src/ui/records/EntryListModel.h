#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

// Picker and customer-list entries ("text, a run of blanks, the ID") as a list
// model: a view shows only the visible text, so a wide popup never reveals the
// padded ID, and the ID rides along as item data. Rows are formatted only when a
// view asks for them, so a list of many thousand entries costs one copy to fill.
class EntryListModel final : public QAbstractListModel
{
public:
    static constexpr int IdRole = Qt::UserRole;

    explicit EntryListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    void setEntries(const QStringList& entries);

    // The record ID of a row; NoSelection outside the list.
    qint32 idAt(int row) const;
    // The first row that carries this ID; -1 when none does.
    int rowOf(qint32 id) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // An entry without its ID and the blanks before it.
    static QString visibleText(const QString& entry);

private:
    QStringList m_entries;
    QList<qint32> m_ids;
};
