#include "Schema.h"

#include "Dialect.h"
#include "ProjectDatabase.h"

#include <QHash>

#include <limits>

namespace {

// Fields through which the engine finds the rows of one item, order, invoice and
// so on, so no operation scans a whole table for them.
const QHash<QString, QList<QStringList>>& IndexedFields()
{
    static const QHash<QString, QList<QStringList>> indexes = {
        // Items by cost: the item list sorted by its Cost column.
        {QStringLiteral("Items"),
         {{QStringLiteral("VendorID1")}, {QStringLiteral("VendorID2")}, {QStringLiteral("Cost")}}},
        {QStringLiteral("Order"),
         {{QStringLiteral("ItemID")}, {QStringLiteral("VendorID")}, {QStringLiteral("POID")},
          {QStringLiteral("BackOrderID")}, {QStringLiteral("Date")}}},
        // Per-item lots in date order: what FIFO and LIFO consumption walks.
        // Lots by cost: the stock list sorted by its Cost column, a screenful
        // at a time.
        {QStringLiteral("Stock"),
         {{QStringLiteral("ItemID"), QStringLiteral("Date")}, {QStringLiteral("VendorID")},
          {QStringLiteral("OrderID")}, {QStringLiteral("POID")}, {QStringLiteral("Date")},
          {QStringLiteral("Cost"), QStringLiteral("Date")}}},
        {QStringLiteral("Sales"), {{QStringLiteral("ItemID")}, {QStringLiteral("SIID")}, {QStringLiteral("Date")}}},
        {QStringLiteral("Received"),
         {{QStringLiteral("ItemID")}, {QStringLiteral("VendorID")}, {QStringLiteral("OrderID")},
          {QStringLiteral("StockID")}, {QStringLiteral("POID")}, {QStringLiteral("ReceiveDate")}}},
        {QStringLiteral("PO"), {{QStringLiteral("VendorID")}, {QStringLiteral("Number")}, {QStringLiteral("Date")}}},
        {QStringLiteral("SI"),
         {{QStringLiteral("CustomerID")}, {QStringLiteral("Number")}, {QStringLiteral("Date")}}},
        {QStringLiteral("AR"), {{QStringLiteral("CustomerID")}, {QStringLiteral("SIID")}}},
    };
    return indexes;
}

bool CreateIndex(ProjectDatabase& db, const QString& table, const QStringList& columns)
{
    QStringList quoted;
    for (const QString& column : columns)
        quoted.append(SqlName(column));
    const QString name = QStringLiteral("ix_%1_%2").arg(table, columns.join(QLatin1Char('_')));
    return db.execNative(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                             .arg(SqlName(name), SqlName(table), quoted.join(QStringLiteral(", "))));
}

} // namespace

namespace Schema {

QString ColumnType(const FieldDef& field)
{
    switch (field.kind) {
    case FieldKind::Long:
        return QStringLiteral("INTEGER");
    case FieldKind::Integer:
        return QStringLiteral("SMALLINT");
    case FieldKind::Single:
        return QStringLiteral("REAL");
    case FieldKind::Double:
        return QStringLiteral("DOUBLE");
    case FieldKind::Currency:
        return QStringLiteral("CURRENCY");
    case FieldKind::DateTime:
        return QStringLiteral("DATETIME");
    case FieldKind::Boolean:
        return QStringLiteral("BOOLEAN");
    case FieldKind::Text:
        return QStringLiteral("VARCHAR(%1)").arg(field.size);
    }
    return QString();
}

bool CreateTable(ProjectDatabase& db, const QString& table, const QList<FieldDef>& fields)
{
    QStringList columns;
    for (const FieldDef& field : fields) {
        const QString name = QString::fromLatin1(field.name);
        if (name == QLatin1String("ID")) {
            columns.append(QStringLiteral("\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT"));
        } else if (field.kind == FieldKind::Text) {
            columns.append(QStringLiteral("%1 %2 COLLATE NOCASE CHECK (length(%1) <= %3)")
                               .arg(SqlName(name), ColumnType(field))
                               .arg(field.size));
        } else if (field.kind == FieldKind::Long || field.kind == FieldKind::Integer) {
            // Whole numbers keep to the width the records hold them in.
            const bool wide = field.kind == FieldKind::Long;
            columns.append(QStringLiteral("%1 %2 CHECK (%1 BETWEEN %3 AND %4)")
                               .arg(SqlName(name), ColumnType(field))
                               .arg(wide ? std::numeric_limits<qint32>::min() : std::numeric_limits<qint16>::min())
                               .arg(wide ? std::numeric_limits<qint32>::max() : std::numeric_limits<qint16>::max()));
        } else {
            columns.append(SqlName(name) + QLatin1Char(' ') + ColumnType(field));
        }
    }
    return db.execNative(
               QStringLiteral("CREATE TABLE %1 (%2)").arg(SqlName(table), columns.join(QStringLiteral(", ")))) &&
           EnsureIndexes(db, table);
}

bool EnsureIndexes(ProjectDatabase& db, const QString& table)
{
    for (const QStringList& index : IndexedFields().value(table)) {
        bool present = true;
        for (const QString& column : index)
            present = present && db.columnExists(table, column);
        if (present && !CreateIndex(db, table, index))
            return false;
    }
    return true;
}

bool AddLongColumn(ProjectDatabase& db, const QString& table, const QString& column)
{
    if (!db.execNative(
            QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 INTEGER").arg(SqlName(table), SqlName(column))))
        return false;
    for (const QStringList& index : IndexedFields().value(table)) {
        if (index.contains(column) && !CreateIndex(db, table, index))
            return false;
    }
    return true;
}

} // namespace Schema
