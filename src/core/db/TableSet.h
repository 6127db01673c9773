#pragma once

#include "FieldTypes.h"
#include "core/common/RecordIds.h"

#include <QHash>
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

class ProjectDatabase;

// Progress of a long read: (rows done, rows in all).
using ReadProgress = std::function<void(qsizetype done, qsizetype total)>;

// Base of the record access classes: one object per table reads and writes its
// records and keeps the "current dynaset", the rows a list shows (the whole
// table, a condition, or a stored query, in a sort order), with a cursor on it.
// Reads by ID are key lookups that leave the current dynaset and its cursor
// alone, so a record can be read or edited while a list is open on the table.
class CTableSet
{
public:
    CTableSet(ProjectDatabase& db, const char* table);
    virtual ~CTableSet();
    CTableSet(const CTableSet&) = delete;
    CTableSet& operator=(const CTableSet&) = delete;

    // Takes effect at the next Reopen.
    virtual void SetSort(const QString& sort);
    // Ignored while a one-shot filter is waiting for its Reopen.
    virtual void SetFilter(const QString& filter, int oneShot = 0);
    // Opens the table with a filter (empty: every row); the result is Reopen's.
    virtual int Open(const QString& filter = QString());
    // Puts the cursor of the current dynaset on a record.
    virtual bool FindByID(qint32 id);
    // Whether a record with this ID exists.
    virtual bool LocateByID(qint32 id);
    virtual bool RecordDelete(qint32 id);
    // Rebuilds the current dynaset from filter and sort. 1 for the whole table or
    // a stored query; 0 when the filter is a condition (the rows are there all
    // the same) or could not be run (then lastError says why and no rows show).
    virtual int Reopen();
    virtual qint32 RecordCount();

    // The cursor over the current dynaset.
    bool MoveFirst();
    bool MoveNext();
    bool IsEOF();
    // The ID of the current row, NoSelection at the end.
    qint32 CurrentID();

    // Queries over the whole table that leave the current dynaset alone. The
    // condition is in the application's query dialect with "?" for each bound
    // value, e.g. "[ItemID] = ?"; an empty order means ID order.
    // A read that fails answers empty or 0, sets lastError and notes the failure
    // with the database (see ProjectDatabase::noteReadFailure), so no
    // transaction commits on the strength of it.
    QList<qint32> IDsWhere(const QString& condition, const QVariantList& values = {},
                           const QString& orderBy = QString());
    // The lowest matching ID, NoSelection when no row matches; the scan stops at
    // the first match instead of reading every one.
    qint32 FirstIDWhere(const QString& condition, const QVariantList& values = {});
    qint32 CountWhere(const QString& condition, const QVariantList& values = {});
    // Deletes every matching row in one statement; the number deleted, or -1 on failure.
    qint32 DeleteWhere(const QString& condition, const QVariantList& values = {});

    bool isOpen() const { return m_open; }
    QString filter() const { return m_filter; }
    QString sort() const { return m_sort; }
    int oneShot() const { return m_oneShot; }
    // "[Table]", as the table is named in query text.
    QString table() const;
    QString tableName() const { return m_tableName; }
    QString lastError() const { return m_lastError; }
    ProjectDatabase& database() const { return m_db; }
    // The engine statement that selects the current dynaset's record IDs in its
    // order, for copying them elsewhere; empty when the dynaset is not valid.
    QString DynasetIdsSql() const;

protected:
    // What the current dynaset selects, as SQLite text pieces.
    struct Dynaset
    {
        bool valid = false;
        QString from;    // "FROM <source>"
        QString where;   // condition without WHERE, or empty
        QString orderBy; // sort without ORDER BY, or empty
    };

    // A statement for `sql`, prepared once and reused.
    QSqlQuery* statement(const QString& sql);
    // That statement executed with the values bound in order.
    std::optional<QSqlQuery> run(const QString& sql, const QVariantList& values);
    // Runs a statement of the current dynaset: SELECT <columns> FROM ... with an
    // extra condition (bound values in order), sorted, optionally only the first row.
    std::optional<QSqlQuery> selectFromDynaset(const QString& columns, const QString& extraCondition,
                                               const QVariantList& values, bool firstOnly);
    // A statement over the whole table: SELECT <columns> FROM the table WHERE the
    // condition ORDER BY the order (ID when empty), optionally only the first
    // row, executed with the values.
    std::optional<QSqlQuery> selectWhere(const QString& columns, const QString& condition,
                                         const QVariantList& values, const QString& orderBy,
                                         bool firstOnly = false);
    // One column of the record with this ID (-1: the current row); null when absent.
    QVariant fieldOf(qint32 id, const char* column);
    // Reads the first column of the first row and ends the statement. Nothing,
    // with the failure noted, when the engine failed; an invalid value when
    // there is no row.
    std::optional<QVariant> firstValue(QSqlQuery& query);
    // Ends a statement whose rows were read: false, with the failure noted, when
    // the engine stopped with an error instead of after the last row.
    bool endRead(QSqlQuery& query);
    // -1 stands for the current row.
    qint32 resolveId(qint32 id);
    bool fail(const QString& message);
    QString quotedTable() const;
    // Puts the cursor on the first row of the dynaset matching a condition.
    bool findFirst(const QString& condition, const QVariantList& values);
    // The sum of Quanity over the dynaset's rows of one item; the cursor goes back
    // to the first row.
    qint32 quantityByItem(qint32 itemID);
    // A record was added or removed: keep the cursor's key list in step.
    void noteAdded(qint32 id);
    void noteDeleted(qint32 id);

private:
    bool buildDynaset();
    bool ensureKeys();
    // Application-dialect text of a clause, translated on its own.
    std::optional<QString> translateClause(const QString& prefix, const QString& clause);

    ProjectDatabase& m_db;
    QString m_tableName;
    QString m_filter;
    QString m_sort;
    int m_oneShot = 0;
    bool m_open = false;
    Dynaset m_dynaset;
    QString m_lastError;

    // The cursor: the current record's ID and, once the key list has been read,
    // its position in it.
    static constexpr qint32 kFirstRow = -2147483647;
    qint32 m_currentId = kFirstRow;
    qsizetype m_position = -1;
    bool m_keysValid = false;
    QList<qint32> m_keys;

    QHash<QString, QSqlQuery> m_statements;
};
