#include "OrderSet.h"

#include <QSqlQuery>

COrderSet::COrderSet(ProjectDatabase& db, CVendorsSet* vendors, CItemsSet* items)
    : CTypedTableSet(db), m_vendors(vendors), m_items(items),
      m_names(db)
{
}

DateTime COrderSet::GetDate(qint32 id)
{
    DateTime date = DateTime::null();
    FieldValue::fromVariant(fieldOf(id, "Date"), date);
    return date;
}

qint32 COrderSet::SumQuantityByItem(qint32 itemID)
{
    return quantityByItem(itemID);
}

bool COrderSet::FindBackorderOf(qint32 orderID, qint32& id)
{
    if (!findFirst(QStringLiteral("\"BackOrderID\" = ? AND \"BackOrder\" <> 0"), {orderID}))
        return false;
    id = CurrentID();
    return true;
}

bool COrderSet::ForEachLineOf(qint32 poID, const std::function<void(qint32 orderID, const QString& itemName)>& line)
{
    // One statement for the lines and their item names, on the indexed POID.
    QSqlQuery query(database().connection());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT o.\"ID\", i.\"Name\" FROM \"Order\" o LEFT JOIN \"Items\" i "
                                 "ON i.\"ID\" = o.\"ItemID\" WHERE o.\"POID\" = ? ORDER BY o.\"ID\""));
    query.addBindValue(poID);
    if (query.exec()) {
        while (query.next())
            line(query.value(0).toInt(), query.value(1).toString());
    }
    return database().readSucceeded(query);
}

void COrderSet::beginResolve()
{
    m_names.clear();
}

void COrderSet::resolve(COrderRow& row)
{
    m_names.fill(row);
}
