#include "RecordIds.h"

QString StockOriginLabel(qint32 code)
{
    switch (code) {
    case StockInitial:
        return QStringLiteral("Initial");
    case StockCustomerReturn:
        return QStringLiteral("Customer Return");
    case StockOther:
        return QStringLiteral("Other");
    default:
        return QString();
    }
}

QString FormatRecordId(qint32 id)
{
    // printf's "%06ld": the sign, if any, counts toward the width.
    return QString::asprintf("%06ld", static_cast<long>(id));
}

QString PickerEntryText(const QString& visible, qint32 id)
{
    return visible + QString(50, QLatin1Char(' ')) + FormatRecordId(id);
}

QString CustomerEntryText(const QString& visible, qint32 id)
{
    return visible + QStringLiteral("#%1").arg(id);
}

qint32 EntryId(const QString& entry)
{
    const qsizetype space = entry.lastIndexOf(QLatin1Char(' '));
    const qsizetype hash = entry.lastIndexOf(QLatin1Char('#'));
    QStringView tail = QStringView(entry).mid(std::max(space, hash) + 1);
    bool ok = false;
    const qint32 id = tail.toInt(&ok);
    return ok ? id : NoSelection;
}
