#include "RecordList.h"

#include "ListProgress.h"

#include <QSet>

#include <algorithm>
#include <numeric>

namespace {

// Progress windows appear for reads of this many rows or more, and step every
// tenth row.
constexpr qsizetype kProgressFrom = 16;
constexpr qsizetype kProgressEvery = 10;

} // namespace

RecordList::RecordList(ListingKind kind) : m_layout(kind) {}

RecordList::~RecordList() = default;

void RecordList::addObserver(Observer* observer)
{
    if (observer && !m_observers.contains(observer))
        m_observers.append(observer);
}

void RecordList::removeObserver(Observer* observer)
{
    m_observers.removeAll(observer);
}

QString RecordList::cellText(qsizetype position, int definitionIndex) const
{
    return storedCellText(m_order.at(position), definitionIndex);
}

RowCondition RecordList::condition(qsizetype position) const
{
    return storedCondition(m_order.at(position));
}

qint32 RecordList::recordId(qsizetype position) const
{
    return storedRecordId(m_order.at(position));
}

qint32 RecordList::listId(qsizetype position) const
{
    return storedListId(m_order.at(position));
}

qsizetype RecordList::positionOfRecord(qint32 recordId) const
{
    const auto it = m_byRecord.constFind(recordId);
    return it == m_byRecord.cend() ? -1 : m_positions.at(static_cast<size_t>(*it));
}

qsizetype RecordList::positionOfListId(qint32 listId) const
{
    // Record IDs are found through the index; numbers of purchase orders and
    // invoices need not be unique, so the first row showing it is wanted.
    for (qsizetype position = 0; position < m_order.size(); ++position) {
        if (storedListId(m_order.at(position)) == listId)
            return position;
    }
    return -1;
}

QStringList RecordList::columnTexts(int definitionIndex) const
{
    QStringList texts;
    texts.reserve(m_order.size());
    for (const qint32 index : m_order)
        texts.append(storedCellText(index, definitionIndex));
    return texts;
}

void RecordList::setSortColumn(int definitionIndex)
{
    if (definitionIndex < 0 || definitionIndex >= m_layout.count())
        return;
    notifyAboutToChange();
    if (definitionIndex != m_sortColumn) {
        m_sortColumn = definitionIndex;
        m_keys.clear();
    }
    sortAll();
    notifyChanged();
}

void RecordList::Reload()
{
    notifyAboutToChange();
    sortAll();
    notifyChanged();
}

bool RecordList::readAll(ProjectTables& tables, const QString& filter, ListProgress* progress)
{
    // Progress is reported while the old rows are still in place, so a list
    // drawn meanwhile still finds every row its order names.
    notifyAboutToChange();
    bool started = false;
    const auto report = [&](qsizetype done, qsizetype total) {
        if (!progress || total < kProgressFrom)
            return;
        if (!started) {
            progress->start(QString(), total);
            started = true;
        }
        progress->step(done);
    };
    m_readError.clear();
    const bool ok = readStored(tables, filter, report, m_readError);
    if (started)
        progress->finish();
    m_keys.clear();
    rebuildIndex();
    sortAll();
    notifyChanged();
    return ok;
}

void RecordList::refresh(ProjectTables& tables, const QList<qint32>& ids, ListProgress* progress)
{
    // Rows read into a list that could not be read whole would make a short
    // list; it waits for its next full reload.
    if (!m_readError.isEmpty())
        return;
    notifyAboutToChange();
    QString error;
    if (!unfilter(tables, error)) {
        failRefresh(error);
        return;
    }
    const bool showProgress = progress && ids.size() >= kProgressFrom;
    if (showProgress)
        progress->start(ListUpdatingText(kind()), ids.size());

    QSet<qint32> changed; // storage indexes read again or added
    std::vector<bool> keep(static_cast<size_t>(storedCount()), true);
    bool removed = false;
    for (qsizetype i = 0; i < ids.size(); ++i) {
        const qint32 id = ids.at(i);
        if (id > 0) {
            const auto it = m_byRecord.constFind(id);
            const qint32 index = it == m_byRecord.cend() ? -1 : *it;
            const RowRead read = readStoredRow(tables, id, index, error);
            if (read == RowRead::Failed) {
                // A row that cannot be read is not a record that is gone.
                if (showProgress)
                    progress->finish();
                failRefresh(error);
                return;
            }
            if (read == RowRead::Read) {
                const qint32 at = index >= 0 ? index : static_cast<qint32>(storedCount() - 1);
                m_byRecord.insert(id, at);
                changed.insert(at);
            } else if (index >= 0) {
                keep.resize(static_cast<size_t>(storedCount()), true);
                keep[static_cast<size_t>(index)] = false;
                changed.remove(index);
                m_byRecord.remove(id);
                removed = true;
            }
        }
        if (showProgress && (i + 1) % kProgressEvery == 0)
            progress->step(i + 1);
    }

    // New storage index of every old one (-1: gone), so the order can be kept.
    std::vector<qint32> moved(static_cast<size_t>(storedCount()));
    std::iota(moved.begin(), moved.end(), 0);
    if (removed) {
        keep.resize(static_cast<size_t>(storedCount()), true);
        keepStored(keep);
        qint32 next = 0;
        for (size_t index = 0; index < moved.size(); ++index)
            moved[index] = keep[index] ? next++ : -1;
        std::vector<SortEntry> keys;
        if (!m_keys.empty()) {
            keys.reserve(static_cast<size_t>(next));
            for (size_t index = 0; index < m_keys.size(); ++index) {
                if (keep[index])
                    keys.push_back(std::move(m_keys[index]));
            }
        }
        m_keys = std::move(keys);
        rebuildIndex();
    }

    // The rows that stayed where they were keep their order; the ones read again
    // are sorted among themselves and merged in.
    QList<qint32> fresh;
    for (const qint32 index : std::as_const(changed)) {
        if (moved[static_cast<size_t>(index)] >= 0)
            fresh.append(moved[static_cast<size_t>(index)]);
    }
    // Texts read again are folded behind the others; once the buffer holds more
    // dead text than live, it is built afresh.
    if ((m_keys.empty() && storedCount() > 0) || m_foldedTexts.size() > 2 * m_foldedLive + 1024) {
        computeKeys();
    } else {
        m_keys.resize(static_cast<size_t>(storedCount()));
        for (const qint32 index : std::as_const(fresh))
            m_keys[static_cast<size_t>(index)] = entryOf(index);
    }
    QList<qint32> kept;
    kept.reserve(m_order.size());
    for (const qint32 index : std::as_const(m_order)) {
        const qint32 now = moved[static_cast<size_t>(index)];
        if (now >= 0 && !changed.contains(index))
            kept.append(now);
    }
    const auto less = [this](qint32 a, qint32 b) { return this->before(a, b); };
    std::sort(fresh.begin(), fresh.end(), less);
    m_order.clear();
    m_order.reserve(kept.size() + fresh.size());
    std::merge(kept.cbegin(), kept.cend(), fresh.cbegin(), fresh.cend(), std::back_inserter(m_order), less);
    rebuildPositions();

    if (showProgress)
        progress->finish();
    notifyChanged();
}

QList<qint32> RecordList::recordsReferringTo(ListingKind referred, const QList<qint32>& ids) const
{
    QList<qint32> referring;
    if (ids.isEmpty())
        return referring;
    const QSet<qint32> wanted(ids.cbegin(), ids.cend());
    const qsizetype stored = storedCount();
    for (qsizetype index = 0; index < stored; ++index) {
        if (storedRefersTo(index, referred, wanted))
            referring.append(storedRecordId(index));
    }
    return referring;
}

void RecordList::dropRows()
{
    clearStored();
    m_keys.clear();
    m_foldedTexts.clear();
    m_foldedLive = 0;
    m_order.clear();
    m_positions.clear();
    m_byRecord.clear();
}

void RecordList::failRefresh(const QString& error)
{
    // Observers were told the rows are about to change.
    dropRows();
    m_readError = error;
    notifyChanged();
}

void RecordList::clear()
{
    notifyAboutToChange();
    m_readError.clear();
    dropRows();
    notifyChanged();
}

bool RecordList::before(qint32 a, qint32 b) const
{
    const SortEntry& x = m_keys[static_cast<size_t>(a)];
    const SortEntry& y = m_keys[static_cast<size_t>(b)];
    if (x.whole != y.whole)
        return x.whole < y.whole;
    if (x.real != y.real)
        return x.real < y.real;
    const int text = QStringView(m_foldedTexts)
                         .mid(x.textStart, x.textLength)
                         .compare(QStringView(m_foldedTexts).mid(y.textStart, y.textLength));
    return text < 0 || (text == 0 && a < b);
}

RecordList::SortEntry RecordList::entryOf(qsizetype index)
{
    const ListSortKey key = storedSortKey(index, m_sortColumn);
    SortEntry entry{key.whole, key.real, m_foldedTexts.size(), 0};
    if (key.text.isEmpty())
        return entry;
    // Folding unit by unit into the shared buffer costs no string per row; ASCII,
    // by far the most common, folds without a table lookup.
    for (const QChar unit : key.text) {
        const char16_t code = unit.unicode();
        if (code < 0x80)
            m_foldedTexts.append(QChar(code >= u'A' && code <= u'Z' ? code + (u'a' - u'A') : code));
        else
            m_foldedTexts.append(unit.toCaseFolded());
    }
    entry.textLength = m_foldedTexts.size() - entry.textStart;
    return entry;
}

void RecordList::computeKeys()
{
    const qsizetype stored = storedCount();
    m_keys.clear();
    m_foldedTexts.clear();
    m_keys.reserve(static_cast<size_t>(stored));
    for (qsizetype index = 0; index < stored; ++index)
        m_keys.push_back(entryOf(index));
    m_foldedLive = m_foldedTexts.size();
}

void RecordList::sortAll()
{
    if (m_keys.size() != static_cast<size_t>(storedCount()))
        computeKeys();
    m_order.resize(storedCount());
    std::iota(m_order.begin(), m_order.end(), 0);
    std::sort(m_order.begin(), m_order.end(), [this](qint32 a, qint32 b) { return before(a, b); });
    rebuildPositions();
}

void RecordList::rebuildIndex()
{
    const qsizetype stored = storedCount();
    m_byRecord.clear();
    m_byRecord.reserve(stored);
    for (qsizetype index = 0; index < stored; ++index)
        m_byRecord.insert(storedRecordId(index), static_cast<qint32>(index));
}

void RecordList::rebuildPositions()
{
    m_positions.assign(static_cast<size_t>(storedCount()), -1);
    for (qsizetype position = 0; position < m_order.size(); ++position)
        m_positions[static_cast<size_t>(m_order.at(position))] = static_cast<qint32>(position);
}

void RecordList::notifyAboutToChange()
{
    for (Observer* observer : std::as_const(m_observers))
        observer->rowsAboutToChange();
}

void RecordList::notifyChanged()
{
    for (Observer* observer : std::as_const(m_observers))
        observer->rowsChanged();
}
