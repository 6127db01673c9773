#pragma once

#include "core/db/FieldTypes.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// A field a statistic can read on the current record of its listing.
struct StatisticField
{
    QString name;
    FieldKind kind = FieldKind::Long;
    // Read from the record's item (its current value) instead of the record:
    // order lines carry no cost and sales no tax rate of their own.
    bool fromItem = false;
};

// One kind of record a statistic is evaluated over.
struct StatisticListing
{
    qint32 code = 0;
    QString comboText; // as the "Listing:" list shows it
    QString viewName;  // as View Statistics shows it
    QString table;
    QString dateField; // empty: date criteria never apply
    // Every column of the table, then the fields read from the item.
    QList<StatisticField> fields;

    // The field of this name; null when the listing has none.
    const StatisticField* field(const QString& name) const;
    int fieldIndex(const QString& name) const;
    // The numeric fields a user may pick as operands, identifiers left out.
    QStringList operandFields() const;
};

// The five listings in the order the "Listing:" list offers them.
const QList<StatisticListing>& StatisticListings();
// Null for a code that names no listing.
const StatisticListing* StatisticListingByCode(qint32 code);
// The position of a listing in StatisticListings(); -1 for an unknown code.
int StatisticListingIndex(qint32 code);
