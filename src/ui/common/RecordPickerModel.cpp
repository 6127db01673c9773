#include "ui/common/RecordPickerModel.h"

#include "core/common/RecordIds.h"

#include <limits>
#include <optional>

RecordPickerModel::RecordPickerModel(QObject* parent) : QAbstractListModel(parent) {}

namespace {

struct Entry
{
    qsizetype visible = 0;
    qint32 id = NoSelection;
};

// The number a run of ASCII digits, with an optional sign, spells; nothing for
// any other text, or a number beyond qint32, which the caller reads the slow way.
std::optional<qint32> PlainNumber(QStringView text)
{
    qsizetype at = 0;
    const bool negative = !text.isEmpty() && text.front() == u'-';
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+'))
        ++at;
    if (at == text.size() || text.size() - at > 10)
        return std::nullopt;
    qint64 magnitude = 0;
    for (; at < text.size(); ++at) {
        const char16_t digit = text.at(at).unicode();
        if (digit < u'0' || digit > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (digit - u'0');
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

// The ID follows the last blank or "#"; the blanks before it only push it out of sight.
Entry Split(QStringView entry)
{
    qsizetype cut = entry.size();
    while (cut > 0 && entry.at(cut - 1) != QLatin1Char(' ') && entry.at(cut - 1) != QLatin1Char('#'))
        --cut;
    bool isId = false;
    qint32 id = NoSelection;
    if (cut > 0) {
        // The engine's IDs are plain digits, read here without the locale's number parser.
        if (const std::optional<qint32> plain = PlainNumber(entry.mid(cut))) {
            id = *plain;
            isId = true;
        } else {
            id = entry.mid(cut).toInt(&isId);
        }
    }
    if (!isId)
        return {entry.size(), NoSelection};
    qsizetype end = cut - 1;
    while (end > 0 && entry.at(end - 1) == QLatin1Char(' '))
        --end;
    return {end, id};
}

} // namespace

QString RecordPickerModel::visibleText(const QString& entry)
{
    return entry.left(Split(entry).visible);
}

void RecordPickerModel::setEntries(const QStringList& entries)
{
    QList<qsizetype> visible;
    QList<qint32> ids;
    visible.reserve(entries.size());
    ids.reserve(entries.size());
    for (const QString& entry : entries) {
        const Entry split = Split(entry);
        visible.append(split.visible);
        ids.append(split.id);
    }
    beginResetModel();
    m_texts = entries;
    m_visible = std::move(visible);
    m_ids = std::move(ids);
    endResetModel();
}

void RecordPickerModel::setEntries(const RecordPickerModel& other)
{
    beginResetModel();
    m_texts = other.m_texts;
    m_visible = other.m_visible;
    m_ids = other.m_ids;
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
        return textAt(index.row());
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
    return row >= 0 && row < m_texts.size() ? m_texts.at(row).left(m_visible.at(row)) : QString();
}

int RecordPickerModel::rowOfId(qint32 id) const
{
    return static_cast<int>(m_ids.indexOf(id));
}
