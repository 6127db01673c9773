#pragma once

#include "FieldTypes.h"

#include <QList>
#include <QString>

class ProjectDatabase;

// The columns of a record structure, in table order.
template <typename Rec> QList<FieldDef> FieldsOf()
{
    QList<FieldDef> out;
    Rec probe;
    Rec::fields(probe, [&out](const char* name, auto& member, int size = 0) {
        using T = std::remove_cvref_t<decltype(member)>;
        out.append(FieldDef{name, FieldKindOf<T>::value, size});
    });
    return out;
}

namespace Schema {

// The declared SQL type of a column.
QString ColumnType(const FieldDef& field);

// Creates a table with its columns in order, `ID` an auto-increment key that never
// hands out the ID of a deleted record, text columns compared without regard to
// letter case and refusing values longer than their size, and the indexes on the
// fields that refer to other records.
bool CreateTable(ProjectDatabase& db, const QString& table, const QList<FieldDef>& fields);

// Creates the table's indexes that a project made by an earlier release lacks.
bool EnsureIndexes(ProjectDatabase& db, const QString& table);

// Adds a whole-number column to an existing table (and its index, when the column
// refers to other records).
bool AddLongColumn(ProjectDatabase& db, const QString& table, const QString& column);

} // namespace Schema
