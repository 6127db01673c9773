#pragma once

#include "Dialect.h"
#include "ProjectDatabase.h"
#include "Schema.h"
#include "TableSet.h"

#include <QSqlError>
#include <QSqlRecord>

// The record operations of one table, typed by its record and list-row structures.
template <typename Rec, typename Row> class CTypedTableSet : public CTableSet
{
public:
    using Record = Rec;
    using ListRow = Row;

    explicit CTypedTableSet(ProjectDatabase& db) : CTableSet(db, Rec::kTable) {}

    static bool CreateTable(ProjectDatabase& db)
    {
        return Schema::CreateTable(db, QString::fromLatin1(Rec::kTable), FieldsOf<Rec>());
    }

    void InitRecord(Rec& rec) const { rec = Rec(); }

    // id -1 reads the current row of the current dynaset.
    bool RecordRead(Rec& rec, qint32 id = -1)
    {
        id = resolveId(id);
        QSqlQuery* query = statement(QStringLiteral("SELECT * FROM %1 WHERE \"ID\" = ?").arg(quotedTable()));
        if (!query)
            return false;
        query->bindValue(0, id);
        if (!query->exec()) {
            database().noteReadFailure(query->lastError());
            return fail(query->lastError().text());
        }
        if (!query->next()) {
            if (!endRead(*query))
                return false;
            return fail(QStringLiteral("Record %1 was not found.").arg(FormatRecordId(id)));
        }
        if (m_tableColumns.isEmpty())
            m_tableColumns = columnMap(query->record());
        readColumns(*query, rec, m_tableColumns);
        query->finish();
        return true;
    }

    bool RecordReadRow(Row& row, qint32 id = -1)
    {
        if (!RecordRead(row, id))
            return false;
        beginResolve();
        resolve(row);
        return true;
    }

    // Every row of the current dynaset, in its order, with the texts resolved.
    // Empty, with the failure noted, when the rows cannot all be read.
    QList<Row> RecordReadAll(const ReadProgress& progress = {})
    {
        QList<Row> rows;
        // Counting first costs one quick query and saves regrowing a large array.
        const qsizetype total = RecordCount();
        std::optional<QSqlQuery> query = selectFromDynaset(QStringLiteral("*"), QString(), {}, false);
        if (!query)
            return rows;
        rows.reserve(total);
        const QList<int> map = columnMap(query->record());
        beginResolve();
        while (query->next()) {
            Row row;
            readColumns(*query, row, map);
            resolve(row);
            rows.append(std::move(row));
            if (progress && rows.size() % 10 == 0)
                progress(rows.size(), total);
        }
        // Rows up to a damaged page are not the list.
        if (!endRead(*query))
            rows.clear();
        return rows;
    }

    // The rows of an executed statement that selects this table's columns (by
    // name; any others are left alone), in its order with the texts resolved,
    // each handed to `each` until it says false. False, with the failure
    // noted, when the engine stopped with an error.
    bool RecordReadRows(QSqlQuery& query, const std::function<bool(Row&)>& each)
    {
        const QList<int> map = columnMap(query.record());
        beginResolve();
        while (query.next()) {
            Row row;
            readColumns(query, row, map);
            resolve(row);
            if (!each(row))
                break;
        }
        return endRead(query);
    }

    // The records of the whole table that meet a condition (see IDsWhere), without
    // touching the current dynaset. Given columns, only those (and ID) are read and
    // the other members keep their initial values: on long results every column
    // read costs, whether it is used or not.
    QList<Rec> RecordsWhere(const QString& condition, const QVariantList& values = {},
                            const QString& orderBy = QString(), const QStringList& columns = {})
    {
        QList<Rec> records;
        QString selected = QStringLiteral("*");
        if (!columns.isEmpty()) {
            selected = QStringLiteral("\"ID\"");
            for (const QString& column : columns)
                selected += QLatin1Char(',') + SqlName(column);
        }
        std::optional<QSqlQuery> query = selectWhere(selected, condition, values, orderBy);
        if (!query)
            return records;
        const QList<int> map = columnMap(query->record());
        while (query->next()) {
            Rec rec;
            readColumns(*query, rec, map);
            records.append(std::move(rec));
        }
        if (!endRead(*query))
            records.clear();
        return records;
    }

    // Appends the record; its ID becomes the one the database gave it.
    bool RecordAdd(Rec& rec)
    {
        if (!isOpen())
            return fail(QStringLiteral("The table %1 is not open.").arg(tableName()));
        QStringList names, marks;
        QVariantList values;
        if (!collect(rec, names, values))
            return false;
        for (qsizetype i = 0; i < names.size(); ++i)
            marks.append(QStringLiteral("?"));
        QSqlQuery* query = statement(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                         .arg(quotedTable(), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        if (!query || !execWith(*query, values))
            return false;
        rec.ID = query->lastInsertId().toInt();
        noteAdded(rec.ID);
        return true;
    }

    // Overwrites the record whose ID the record carries.
    bool RecordModify(const Rec& rec)
    {
        if (!isOpen())
            return fail(QStringLiteral("The table %1 is not open.").arg(tableName()));
        QStringList names;
        QVariantList values;
        if (!collect(rec, names, values))
            return false;
        for (QString& name : names)
            name += QStringLiteral("=?");
        values.append(rec.ID);
        QSqlQuery* query = statement(QStringLiteral("UPDATE %1 SET %2 WHERE \"ID\"=?")
                                         .arg(quotedTable(), names.join(QLatin1Char(','))));
        if (!query || !execWith(*query, values))
            return false;
        if (query->numRowsAffected() < 1)
            return fail(QStringLiteral("Record %1 was not found.").arg(FormatRecordId(rec.ID)));
        return true;
    }

protected:
    // Called before a read that resolves display texts; a cache may start afresh.
    virtual void beginResolve() {}
    virtual void resolve(Row&) {}

private:
    // Positions of the record's columns in a result, by name.
    static QList<int> columnMap(const QSqlRecord& record)
    {
        QList<int> map;
        static const Rec probe;
        Rec::fields(probe, [&](const char* name, auto&, int = 0) {
            map.append(record.indexOf(QString::fromLatin1(name)));
        });
        return map;
    }

    static void readColumns(const QSqlQuery& query, Rec& rec, const QList<int>& map)
    {
        int i = 0;
        Rec::fields(rec, [&](const char*, auto& member, int = 0) {
            const int column = map.at(i++);
            if (column >= 0)
                FieldValue::fromVariant(query.value(column), member);
        });
    }

    // Every column but ID, checked against its size.
    bool collect(const Rec& rec, QStringList& names, QVariantList& values)
    {
        bool ok = true;
        Rec::fields(rec, [&](const char* name, const auto& member, int size = 0) {
            const QString column = QString::fromLatin1(name);
            if (column == QLatin1String("ID"))
                return;
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(member)>, QString>) {
                if (member.size() > size && ok) {
                    const QString refusal =
                        QStringLiteral("The %1 may hold at most %2 characters.").arg(column).arg(size);
                    database().noteRefusedValue(refusal);
                    ok = fail(refusal);
                }
            }
            names.append(SqlName(column));
            values.append(FieldValue::toVariant(member));
        });
        return ok;
    }

    bool execWith(QSqlQuery& query, const QVariantList& values)
    {
        for (qsizetype i = 0; i < values.size(); ++i)
            query.bindValue(static_cast<int>(i), values.at(i));
        if (!query.exec())
            return fail(query.lastError().text());
        return true;
    }

    QList<int> m_tableColumns; // column positions of SELECT * on the table itself
};
