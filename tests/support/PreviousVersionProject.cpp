#include "PreviousVersionProject.h"

#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/db/Records.h"
#include "core/db/Schema.h"
#include "core/project/ProjectSettings.h"

#include <QDir>
#include <QSqlQuery>

namespace {

template <typename Rec> QList<FieldDef> FieldsWithout(const char* dropped)
{
    QList<FieldDef> fields = FieldsOf<Rec>();
    fields.removeIf([dropped](const FieldDef& field) { return qstrcmp(field.name, dropped) == 0; });
    return fields;
}

} // namespace

PreviousVersionProject::PreviousVersionProject(const QString& dir, const QString& name,
                                               const QStringList& omittedTables)
    : m_path(dir + QLatin1Char('/') + name + QStringLiteral(".qmp"))
{
    const QList<std::pair<QString, QList<FieldDef>>> tables = {
        {QStringLiteral("Vendors"), FieldsOf<CVendorsRec>()},
        {QStringLiteral("Items"), FieldsOf<CItemsRec>()},
        {QStringLiteral("Order"), FieldsWithout<COrderRec>("POID")},
        {QStringLiteral("Stock"), FieldsWithout<CStockRec>("POID")},
        {QStringLiteral("Sales"), FieldsWithout<CSalesRec>("SIID")},
        {QStringLiteral("Customers"), FieldsOf<CCustomersRec>()},
        {QStringLiteral("Received"), FieldsWithout<CReceivedRec>("POID")},
    };
    if (!QDir().mkpath(dir))
        return;
    CProjectSettings settings(dir, name);
    ProjectDatabase db;
    if (settings.status() != Status::Success || !db.create(m_path))
        return;
    m_valid = true;
    for (const auto& [table, fields] : tables) {
        if (!omittedTables.contains(table))
            m_valid = m_valid && Schema::CreateTable(db, table, fields);
    }
}

qint32 PreviousVersionProject::insert(const QString& table, const QVariantMap& values)
{
    ProjectDatabase db;
    if (!db.open(m_path))
        return 0;
    QStringList columns, marks;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        columns.append(QLatin1Char('"') + it.key() + QLatin1Char('"'));
        marks.append(QStringLiteral("?"));
    }
    QSqlQuery query(db.connection());
    query.prepare(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                      .arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    for (const QVariant& value : values)
        query.addBindValue(value);
    const qint32 id = query.exec() ? query.lastInsertId().toInt() : 0;
    query.finish();
    return id;
}

bool PreviousVersionProject::exec(const QString& sql)
{
    ProjectDatabase db;
    return db.open(m_path) && db.execNative(sql);
}
