#include "common/RecordPickerModel.h"

#include "common/RecordIds.h"

RecordPickerModel::RecordPickerModel(QObject* parent) : QAbstractListModel(parent) {}

namespace {

struct Entry
{
    QString text;
    qint32 id = NoSelection;
};

// The ID follows the last blank or "#"; the blanks before it only push it out of sight.
Entry Split(const QString& entry)
{
    const qsizetype cut = std::max(entry.lastIndexOf(QLatin1Char(' ')), entry.lastIndexOf(QLatin1Char('#')));
    bool isId = false;
    const qint32 id = cut < 0 ? NoSelection : QStringView(entry).mid(cut + 1).toInt(&isId);
    if (!isId)
        return {entry, NoSelection};
    qsizetype end = cut;
    while (end > 0 && entry.at(end - 1) == QLatin1Char(' '))
        --end;
    return {entry.left(end), id};
}

} // namespace

QString RecordPickerModel::visibleText(const QString& entry)
{
    return Split(entry).text;
}

void RecordPickerModel::setEntries(const QStringList& entries)
{
    QList<QString> texts;
    QList<qint32> ids;
    texts.reserve(entries.size());
    ids.reserve(entries.size());
    for (const QString& entry : entries) {
        Entry split = Split(entry);
        texts.append(std::move(split.text));
        ids.append(split.id);
    }
    setRecords(std::move(texts), std::move(ids));
}

void RecordPickerModel::setRecords(QList<QString> texts, QList<qint32> ids)
{
    Q_ASSERT(texts.size() == ids.size());
    beginResetModel();
    m_texts = std::move(texts);
    m_ids = std::move(ids);
    endResetModel();
}

int RecordPickerModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_texts.size());
}

QVariant RecordPickerModel::data(const QModelIndex& index, int role) const
{
    // Combo boxes ask for the text of "no entry" too.
    if (!index.isValid() || index.row() >= m_texts.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_texts.at(index.row());
    case IdRole:
        return m_ids.at(index.row());
    default:
        return QVariant();
    }
}

Qt::ItemFlags RecordPickerModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

qint32 RecordPickerModel::idAt(int row) const
{
    return row >= 0 && row < m_ids.size() ? m_ids.at(row) : NoSelection;
}

QString RecordPickerModel::textAt(int row) const
{
    return row >= 0 && row < m_texts.size() ? m_texts.at(row) : QString();
}

int RecordPickerModel::rowOfId(qint32 id) const
{
    return static_cast<int>(m_ids.indexOf(id));
}
