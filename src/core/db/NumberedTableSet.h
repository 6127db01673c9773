#pragma once

#include "TypedTableSet.h"

// Purchase orders and invoices carry a number shown to the user, assigned by the
// application: the next one follows the number of the newest record.
template <typename Rec, typename Row> class CNumberedTableSet : public CTypedTableSet<Rec, Row>
{
public:
    using CTypedTableSet<Rec, Row>::CTypedTableSet;

    static constexpr qint32 kFirstNumber = 5000;

    // The number of the record with the highest ID plus 1; 5000 for an empty table.
    qint32 NextNumber()
    {
        QSqlQuery* query = this->statement(
            QStringLiteral("SELECT \"Number\" FROM %1 ORDER BY \"ID\" DESC LIMIT 1").arg(this->quotedTable()));
        if (!query)
            return kFirstNumber;
        if (!query->exec()) {
            this->database().noteReadFailure(query->lastError());
            return kFirstNumber;
        }
        const QVariant newest = this->firstValue(*query).value_or(QVariant());
        return newest.isValid() ? newest.toInt() + 1 : kFirstNumber;
    }

    // The ID of the first record of the current dynaset with this number, or -1.
    qint32 IDByNumber(qint32 number)
    {
        return this->findFirst(QStringLiteral("\"Number\" = ?"), {number}) ? this->CurrentID() : -1;
    }

    bool NumberExists(qint32 number) { return IDByNumber(number) != -1; }

    // The record's number, or -1.
    qint32 NumberOf(qint32 id)
    {
        const QVariant number = this->fieldOf(id, "Number");
        return number.isNull() ? -1 : number.toInt();
    }
};
