#include "RecordList.h"

#include "ListOrder.h"
#include "ListProgress.h"

#include "core/common/StatusCodes.h"
#include "core/db/Dialect.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

#include <QSqlError>

#include <algorithm>

namespace {

// Progress windows appear for reads of this many rows or more, and step every
// tenth row.
constexpr qsizetype kProgressFrom = 16;
constexpr qsizetype kProgressEvery = 10;

QString scratchName(const char* what, ListingKind kind)
{
    return QStringLiteral("qm_list_%1_%2").arg(QLatin1String(what)).arg(static_cast<int>(kind));
}

QString idList(const QList<qint32>& ids)
{
    QStringList numbers;
    numbers.reserve(ids.size());
    for (const qint32 id : ids)
        numbers << QString::number(id);
    return numbers.join(QLatin1Char(','));
}

// A condition that holds for the rows on one side of the row whose order keys
// are `values`: after it (in the order the keys' directions give) or, with the
// directions turned round, before it. A NULL key is the lowest value.
struct Beyond
{
    QString condition;
    QVariantList values;
};

Beyond beyond(const QStringList& keys, const QList<bool>& descending, const QVariantList& values, qsizetype i = 0)
{
    if (i == keys.size())
        return {QStringLiteral("0"), {}};
    const QString& key = keys.at(i);
    const QVariant& value = values.at(i);
    Beyond b;
    // Strictly beyond on this key...
    if (value.isNull()) {
        b.condition = descending.at(i) ? QStringLiteral("0") : key + QStringLiteral(" IS NOT NULL");
    } else {
        b.condition = descending.at(i) ? QStringLiteral("(%1 < ? OR %1 IS NULL)").arg(key) : key + QStringLiteral(" > ?");
        b.values << value;
    }
    // ...or equal on it and beyond on the next ones. After the last key there
    // are none: the strict condition alone lets the engine seek to it rather
    // than scan up to it.
    if (i + 1 == keys.size())
        return b;
    const Beyond rest = beyond(keys, descending, values, i + 1);
    b.condition = QStringLiteral("(%1 OR (%2 AND %3))")
                      .arg(b.condition, value.isNull() ? key + QStringLiteral(" IS NULL") : key + QStringLiteral(" = ?"),
                           rest.condition);
    if (!value.isNull())
        b.values << value;
    b.values << rest.values;
    return b;
}

} // namespace

// How the list's rows are ordered in SQL: the key parts of the sort column, then
// the parts that order equal keys.
struct RecordList::Order
{
    QString from;
    QStringList keys;
    QList<bool> descending;
    bool indexed = false;
    QString index;

    QString orderBy(bool reversed) const
    {
        QStringList terms;
        for (qsizetype i = 0; i < keys.size(); ++i)
            terms << SqlOrderTerm(keys.at(i), descending.at(i) != reversed);
        return QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));
    }
    QString keyColumns() const
    {
        QString columns;
        for (qsizetype i = 0; i < keys.size(); ++i)
            columns += QStringLiteral(", %1 AS qm_k%2").arg(keys.at(i)).arg(i);
        return columns;
    }
};

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
    const ListRow* row = rowAt(position);
    return row ? row->cells.value(definitionIndex) : QString();
}

RowCondition RecordList::condition(qsizetype position) const
{
    const ListRow* row = rowAt(position);
    return row ? row->condition : RowCondition::None;
}

qint32 RecordList::recordId(qsizetype position) const
{
    const ListRow* row = rowAt(position);
    return row ? row->recordId : NoSelection;
}

qint32 RecordList::listId(qsizetype position) const
{
    const ListRow* row = rowAt(position);
    return row ? row->listId : NoSelection;
}

qsizetype RecordList::positionOfRecord(qint32 recordId) const
{
    const std::optional<qint32> rank = rankOf(recordId);
    return rank ? *rank : -1;
}

qsizetype RecordList::positionOfListId(qint32 listId) const
{
    if (kind() != ListingKind::PurchaseOrders && kind() != ListingKind::Invoices)
        return positionOfRecord(listId);
    // Numbers of purchase orders and invoices need not be unique: the first row
    // showing it is wanted.
    if (!m_tables || m_count == 0)
        return -1;
    std::optional<QSqlQuery> query = runRead(QStringLiteral("SELECT r.\"ID\" FROM %1 r%2 WHERE r.\"Number\" = ?")
                                                 .arg(SqlName(ListTable(kind())), membersJoin()),
                                             {listId});
    if (!query)
        return -1;
    QList<qint32> ids;
    while (query->next())
        ids << query->value(0).toInt();
    if (!m_tables->database().readSucceeded(*query))
        return -1;
    qsizetype first = -1;
    for (const qint32 id : std::as_const(ids)) {
        const qsizetype position = positionOfRecord(id);
        if (position >= 0 && (first < 0 || position < first))
            first = position;
    }
    return first;
}

bool RecordList::forEachRow(qsizetype from, const std::function<bool(qsizetype, const ListRow&)>& row) const
{
    return streamRows(from, RowContent::Texts, row);
}

bool RecordList::forEachRowValues(qsizetype from,
                                  const std::function<bool(qsizetype, const ListRow&)>& row) const
{
    return streamRows(from, RowContent::Values, row);
}

bool RecordList::streamRows(qsizetype from, RowContent content,
                            const std::function<bool(qsizetype, const ListRow&)>& row) const
{
    if (!m_tables || from >= m_count)
        return m_readError.isEmpty();
    from = std::max<qsizetype>(from, 0);
    std::optional<QSqlQuery> query;
    if (m_positioned) {
        query = runRead(QStringLiteral("SELECT r.*, o.\"pos\" AS qm_pos FROM %1 o JOIN %2 r ON r.\"ID\" = o.\"id\" "
                                       "WHERE o.\"pos\" > ? ORDER BY o.\"pos\"")
                            .arg(SqlName(scratchName("order", kind())), SqlName(ListTable(kind()))),
                        {from});
    } else {
        const Order o = order();
        query = runRead(QStringLiteral("SELECT r.* ") + o.from + o.orderBy(false) + QStringLiteral(" LIMIT -1 OFFSET ?"),
                        {from});
    }
    if (!query)
        return false;
    qsizetype position = from;
    QSqlQuery& q = *query;
    const bool ok = readRows(*m_tables, q, content, [&](ListRow&& read) {
        if (m_positioned)
            position = q.value(QStringLiteral("qm_pos")).toLongLong() - 1;
        return row(position++, read);
    });
    return ok;
}

qsizetype RecordList::findInColumn(int definitionIndex, qsizetype from, qsizetype to,
                                   const std::function<bool(const QString&)>& matches) const
{
    qsizetype found = -1;
    forEachRow(from, [&](qsizetype position, const ListRow& row) {
        if (position >= to)
            return false;
        if (matches(row.cells.value(definitionIndex))) {
            found = position;
            return false;
        }
        return true;
    });
    return found;
}

QStringList RecordList::columnTexts(int definitionIndex) const
{
    QStringList texts;
    texts.reserve(m_count);
    forEachRow(0, [&](qsizetype, const ListRow& row) {
        texts.append(row.cells.value(definitionIndex));
        return true;
    });
    return texts;
}

void RecordList::setSortColumn(int definitionIndex)
{
    if (definitionIndex < 0 || definitionIndex >= m_layout.count())
        return;
    m_sortColumn = definitionIndex;
    Reload();
}

void RecordList::Reload()
{
    notifyAboutToChange();
    dropPages();
    if (m_tables && m_readError.isEmpty() && !(countRows() && prepareOrder()))
        fail(readFailureText());
    notifyChanged();
}

bool RecordList::readAll(ProjectTables& tables, const QString& filter, ListProgress* progress)
{
    notifyAboutToChange();
    dropPages();
    m_readError.clear();
    m_tables = &tables;
    m_count = 0;
    m_positioned = false;
    m_filtered = false;
    QString error;
    const std::optional<QString> members = filterTable(tables, filter, error);
    bool ok = members.has_value();
    if (ok) {
        m_lifo = lastInFirstOut(tables);
        if (!members->isEmpty()) {
            // The filter's rows, in the order it reads them, are the list's rows.
            const QString table = scratchName("members", kind());
            for (const QString& statement : SqlScratchPositionsTable(table))
                ok = ok && runWrite(statement);
            ok = ok && runWrite(QStringLiteral("INSERT INTO %1 (\"id\") %2").arg(SqlName(table), *members));
            m_filtered = ok;
        }
        ok = ok && countRows() && prepareOrder();
    }
    if (ok && m_count > 0) {
        // The first page at once, with progress for a long one.
        const qsizetype total = std::min(m_count, kPageSize);
        const bool shown = progress && total >= kProgressFrom;
        if (shown)
            progress->start(QString(), total);
        Page page;
        ok = readPage(0, page, [&](qsizetype done) {
            if (shown && done % kProgressEvery == 0)
                progress->step(done);
        });
        if (shown)
            progress->finish();
        if (ok)
            m_pages.emplace(0, std::move(page));
    }
    if (!ok)
        fail(error.isEmpty() ? readFailureText() : error);
    notifyChanged();
    return ok;
}

void RecordList::refresh(ProjectTables& tables, const QList<qint32>& ids, ListProgress* progress)
{
    // A list that could not be read whole waits for its next full reload.
    if (!m_readError.isEmpty())
        return;
    notifyAboutToChange();
    dropPages();
    m_tables = &tables;
    QString error;
    bool ok = filterTable(tables, QString(), error).has_value();
    const bool showProgress = progress && ids.size() >= kProgressFrom;
    if (showProgress)
        progress->start(ListUpdatingText(kind()), ids.size());
    // The rows of the list are read when shown, so changed rows show as they
    // are now; records not yet listed join the rows of a filtered list.
    for (qsizetype done = 0; ok && done < ids.size(); done += kProgressEvery) {
        ok = addMembers(ids.mid(done, kProgressEvery));
        if (showProgress && done + kProgressEvery <= ids.size())
            progress->step(done + kProgressEvery);
    }
    ok = ok && countRows() && prepareOrder();
    if (showProgress)
        progress->finish();
    if (!ok)
        fail(error.isEmpty() ? readFailureText() : error);
    notifyChanged();
}

QList<qint32> RecordList::recordsReferringTo(ListingKind referred, const QList<qint32>& ids) const
{
    QList<qint32> referring;
    QString condition;
    const QString wanted = idList(ids);
    if (referred == ListingKind::Vendors && kind() == ListingKind::Items)
        condition = QStringLiteral("r.\"VendorID1\" IN (%1) OR r.\"VendorID2\" IN (%1)").arg(wanted);
    else if (referred == ListingKind::Vendors &&
             (kind() == ListingKind::PurchaseOrders || kind() == ListingKind::Stock))
        condition = QStringLiteral("r.\"VendorID\" IN (%1)").arg(wanted);
    else if (referred == ListingKind::Items && kind() == ListingKind::Stock)
        condition = QStringLiteral("r.\"ItemID\" IN (%1)").arg(wanted);
    else if (referred == ListingKind::Customers && kind() == ListingKind::Invoices)
        condition = QStringLiteral("r.\"CustomerID\" IN (%1)").arg(wanted);
    if (ids.isEmpty() || condition.isEmpty() || !m_tables)
        return referring;
    std::optional<QSqlQuery> query = runRead(
        QStringLiteral("SELECT r.\"ID\" FROM %1 r%2 WHERE %3").arg(SqlName(ListTable(kind())), membersJoin(), condition));
    if (!query)
        return referring;
    while (query->next())
        referring << query->value(0).toInt();
    if (!m_tables->database().readSucceeded(*query))
        referring.clear();
    return referring;
}

void RecordList::clear()
{
    notifyAboutToChange();
    dropPages();
    m_readError.clear();
    m_tables = nullptr;
    m_count = 0;
    m_filtered = false;
    m_positioned = false;
    notifyChanged();
}

RecordList::Order RecordList::order() const
{
    const ListOrderKey key = ListOrderFor(kind(), m_sortColumn);
    Order o;
    o.from = QStringLiteral(" FROM %1 r").arg(SqlName(ListTable(kind()))) + membersJoin() + key.joins;
    o.indexed = key.indexed;
    o.index = key.index;
    // A key already ordered by orders nothing more, and neither does anything
    // after the record's ID, which no two rows share; either would only hide
    // the order from the index.
    const QString rowId = QStringLiteral("r.\"ID\"");
    auto orderBy = [&o, &rowId](const QString& part, bool descending) {
        if (o.keys.contains(rowId) || o.keys.contains(part))
            return;
        o.keys << part;
        o.descending << descending;
    };
    for (const QString& part : key.parts)
        orderBy(part, false);
    if (m_filtered) {
        // A filtered list's rows keep the order the filter read them in.
        orderBy(QStringLiteral("m.\"pos\""), false);
    } else {
        const ListTieBreak tie = ListReadOrder(kind(), m_lifo);
        for (const QString& part : tie.parts)
            orderBy(part, tie.descending);
    }
    return o;
}

QString RecordList::membersJoin() const
{
    return m_filtered
               ? QStringLiteral(" JOIN %1 m ON m.\"id\" = r.\"ID\"").arg(SqlName(scratchName("members", kind())))
               : QString();
}

const ListRow* RecordList::rowAt(qsizetype position) const
{
    // A list whose rows failed to read shows them empty until it is read again.
    if (position < 0 || position >= m_count || !m_tables || !m_readError.isEmpty())
        return nullptr;
    const qsizetype number = position / kPageSize;
    auto it = m_pages.find(number);
    if (it == m_pages.end()) {
        Page page;
        if (!readPage(number, page, {})) {
            m_readError = readFailureText();
            for (Observer* observer : std::as_const(m_observers))
                observer->rowsUnreadable();
            return nullptr;
        }
        if (m_pages.size() >= kPagesKept) {
            const auto oldest = std::min_element(m_pages.cbegin(), m_pages.cend(), [](const auto& a, const auto& b) {
                return a.second.used < b.second.used;
            });
            m_pages.erase(oldest);
        }
        it = m_pages.emplace(number, std::move(page)).first;
    }
    it->second.used = ++m_clock;
    const qsizetype index = position - number * kPageSize;
    return index < qsizetype(it->second.rows.size()) ? &it->second.rows[std::size_t(index)] : nullptr;
}

bool RecordList::readPage(qsizetype number, Page& into, const std::function<void(qsizetype)>& perRow) const
{
    const qsizetype first = number * kPageSize;
    const qsizetype size = std::min(kPageSize, m_count - first);
    if (size <= 0)
        return true;
    into.rows.assign(std::size_t(size), ListRow{});
    std::optional<QSqlQuery> query;
    bool reversed = false;
    const Order o = order();
    if (m_positioned) {
        query = runRead(QStringLiteral("SELECT r.*, o.\"pos\" AS qm_pos FROM %1 o JOIN %2 r ON r.\"ID\" = o.\"id\" "
                                       "WHERE o.\"pos\" > ? AND o.\"pos\" <= ? ORDER BY o.\"pos\"")
                            .arg(SqlName(scratchName("order", kind())), SqlName(ListTable(kind()))),
                        {first, first + size});
    } else {
        const QString select = QStringLiteral("SELECT r.*") + o.keyColumns() + o.from;
        const auto before = m_pages.find(number - 1);
        if (before != m_pages.end() && !before->second.lastKeys.isEmpty()) {
            // Read on after the page before: the index seeks straight to it.
            const QVariantList& last = before->second.lastKeys;
            const Beyond after = beyond(o.keys, o.descending, last);
            QString condition = after.condition;
            QVariantList values = after.values;
            // A plain bound on the first key is what the engine seeks by; the
            // full condition then only sorts out the rows equal on it.
            if (o.keys.size() > 1 && !o.descending.constFirst() && !last.constFirst().isNull()) {
                condition = QStringLiteral("%1 >= ? AND %2").arg(o.keys.constFirst(), condition);
                values.prepend(last.constFirst());
            }
            values << size;
            query = runRead(select + QStringLiteral(" WHERE ") + condition + o.orderBy(false) + QStringLiteral(" LIMIT ?"),
                            values);
        } else {
            // Counted from the nearer end, so that the last rows come as quickly
            // as the first.
            const qsizetype after = m_count - first - size;
            reversed = after < first;
            query = runRead(select + o.orderBy(reversed) + QStringLiteral(" LIMIT ? OFFSET ?"),
                            {size, reversed ? after : first});
        }
    }
    if (!query)
        return false;
    QSqlQuery& q = *query;
    qsizetype read = 0;
    const bool ok = readRows(*m_tables, q, RowContent::Texts, [&](ListRow&& row) {
        qsizetype index = read;
        if (m_positioned)
            index = q.value(QStringLiteral("qm_pos")).toLongLong() - 1 - first;
        else if (reversed)
            index = size - 1 - read;
        const bool last = reversed ? read == 0 : read == size - 1;
        if (!m_positioned && last) {
            into.lastKeys.clear();
            for (qsizetype k = 0; k < o.keys.size(); ++k)
                into.lastKeys << q.value(QStringLiteral("qm_k%1").arg(k));
        }
        if (index >= 0 && index < size)
            into.rows[std::size_t(index)] = std::move(row);
        ++read;
        if (perRow)
            perRow(read);
        return read < size;
    });
    return ok;
}

std::optional<QSqlQuery> RecordList::runRead(const QString& sql, const QVariantList& values) const
{
    ProjectDatabase& db = m_tables->database();
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        db.noteReadFailure(query.lastError());
        return std::nullopt;
    }
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        db.noteReadFailure(query.lastError());
        return std::nullopt;
    }
    return query;
}

bool RecordList::runWrite(const QString& sql)
{
    ProjectDatabase& db = m_tables->database();
    QSqlQuery query(db.connection());
    if (query.exec(sql))
        return true;
    // The scratch tables are filled from the project's tables: a failure is a
    // failed read of those.
    db.noteReadFailure(query.lastError());
    return false;
}

bool RecordList::countRows()
{
    const QString table = SqlName(ListTable(kind()));
    std::optional<QSqlQuery> query =
        runRead(m_filtered ? QStringLiteral("SELECT COUNT(*) FROM %1 r%2").arg(table, membersJoin())
                           : QStringLiteral("SELECT COUNT(*) FROM %1").arg(table));
    if (!query)
        return false;
    const bool counted = query->next();
    m_count = counted ? query->value(0).toLongLong() : 0;
    return m_tables->database().readSucceeded(*query) && counted;
}

bool RecordList::prepareOrder()
{
    const Order o = order();
    m_positioned = !o.indexed || !(o.index.isEmpty() || m_tables->database().indexExists(o.index));
    if (!m_positioned)
        return true;
    const QString table = scratchName("order", kind());
    for (const QString& statement : SqlScratchPositionsTable(table)) {
        if (!runWrite(statement))
            return false;
    }
    return runWrite(QStringLiteral("INSERT INTO %1 (\"id\") SELECT r.\"ID\"").arg(SqlName(table)) + o.from +
                    o.orderBy(false));
}

bool RecordList::addMembers(const QList<qint32>& ids)
{
    QList<qint32> wanted;
    for (const qint32 id : ids) {
        if (id > 0)
            wanted << id;
    }
    if (!m_filtered || wanted.isEmpty())
        return true;
    const QString members = SqlName(scratchName("members", kind()));
    return runWrite(QStringLiteral("INSERT INTO %1 (\"id\") SELECT r.\"ID\" FROM %2 r WHERE r.\"ID\" IN (%3) AND "
                                   "r.\"ID\" NOT IN (SELECT \"id\" FROM %1) ORDER BY r.\"ID\"")
                        .arg(members, SqlName(ListTable(kind())), idList(wanted)));
}

std::optional<qint32> RecordList::rankOf(qint32 recordId) const
{
    if (!m_tables || m_count == 0 || !m_readError.isEmpty())
        return std::nullopt;
    if (m_positioned) {
        std::optional<QSqlQuery> query =
            runRead(QStringLiteral("SELECT \"pos\" FROM %1 WHERE \"id\" = ?").arg(SqlName(scratchName("order", kind()))),
                    {recordId});
        if (!query)
            return std::nullopt;
        const bool found = query->next();
        const qint32 rank = found ? query->value(0).toInt() - 1 : -1;
        if (!m_tables->database().readSucceeded(*query) || !found)
            return std::nullopt;
        return rank;
    }
    // The rows before the record's: those beyond it with the order turned round.
    const Order o = order();
    std::optional<QSqlQuery> keys =
        runRead(QStringLiteral("SELECT r.\"ID\"") + o.keyColumns() + o.from + QStringLiteral(" WHERE r.\"ID\" = ?"),
                {recordId});
    if (!keys)
        return std::nullopt;
    QVariantList values;
    if (keys->next()) {
        for (qsizetype k = 0; k < o.keys.size(); ++k)
            values << keys->value(k + 1);
    }
    if (!m_tables->database().readSucceeded(*keys) || values.isEmpty())
        return std::nullopt;
    QList<bool> turned;
    for (const bool descending : o.descending)
        turned << !descending;
    const Beyond before = beyond(o.keys, turned, values);
    std::optional<QSqlQuery> count =
        runRead(QStringLiteral("SELECT COUNT(*)") + o.from + QStringLiteral(" WHERE ") + before.condition, before.values);
    if (!count)
        return std::nullopt;
    const bool counted = count->next();
    const qint32 rank = counted ? count->value(0).toInt() : -1;
    if (!m_tables->database().readSucceeded(*count) || !counted)
        return std::nullopt;
    return rank;
}

void RecordList::dropPages() const
{
    m_pages.clear();
}

void RecordList::fail(const QString& error)
{
    dropPages();
    m_count = 0;
    m_positioned = false;
    m_readError = error;
}

QString RecordList::readFailureText() const
{
    return m_tables ? ReadFailureText(m_tables->database().lastReadFailure())
                    : StatusMessage(Status::OperationFailed);
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
