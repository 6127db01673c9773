#pragma once

#include <QHash>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>

#include <optional>

class ProjectDatabase;

// Looks up a few columns of the records another table refers to, each ID once,
// so a list of many rows resolves its names without a query per row.
class ReferenceCache
{
public:
    ReferenceCache(ProjectDatabase& db, const QString& table, const QStringList& columns);

    // The columns of the record with this ID; nullptr when there is none.
    const QVariantList* find(qint32 id);
    // The same as texts, made once per record rather than at every row that
    // shows them.
    const QStringList* findTexts(qint32 id);
    void clear() { m_cache.clear(); }

private:
    ProjectDatabase& m_db;
    QString m_sql;
    int m_columnCount;
    std::optional<QSqlQuery> m_query;
    struct Entry
    {
        QVariantList values;
        QStringList texts;
    };
    const Entry* lookup(qint32 id);

    QHash<qint32, std::optional<Entry>> m_cache;
};

// The vendor name and item name and number that order lines, stock lots and
// receipts show.
class VendorItemNames
{
public:
    explicit VendorItemNames(ProjectDatabase& db);

    void clear();
    template <typename Row> void fill(Row& row)
    {
        if (const QStringList* vendor = m_vendors.findTexts(row.VendorID))
            row.VendorName = vendor->at(0);
        if (const QStringList* item = m_items.findTexts(row.ItemID)) {
            row.ItemName = item->at(0);
            row.ItemNumber = item->at(1);
        }
    }

private:
    ReferenceCache m_vendors;
    ReferenceCache m_items;
};
