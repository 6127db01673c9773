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

namespace {

// The blanks between a picker entry's visible text and its ID.
constexpr qsizetype kPickerIdGap = 50;

// Appends printf's "%06ld" of the ID: at least six characters, the sign, if any,
// counting toward them. Written out by hand because pickers format an ID for
// every record of a table.
void AppendRecordId(QString& text, qint32 id)
{
    char digits[10];
    int count = 0;
    // The magnitude in unsigned arithmetic, so that the lowest qint32 has one too.
    quint32 magnitude = id < 0 ? 0u - static_cast<quint32>(id) : static_cast<quint32>(id);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int zeros = 6 - count;
    if (id < 0) {
        text += QLatin1Char('-');
        --zeros;
    }
    for (; zeros > 0; --zeros)
        text += QLatin1Char('0');
    while (count > 0)
        text += QLatin1Char(digits[--count]);
}

} // namespace

QString FormatRecordId(qint32 id)
{
    QString text;
    text.reserve(11);
    AppendRecordId(text, id);
    return text;
}

QString PickerEntryText(const QString& visible, qint32 id)
{
    QString entry;
    entry.reserve(visible.size() + kPickerIdGap + 11);
    entry += visible;
    entry.resize(visible.size() + kPickerIdGap, QLatin1Char(' '));
    AppendRecordId(entry, id);
    return entry;
}

QString NumberedPickerEntryText(qint32 number, qint32 id)
{
    // Written in one piece: pickers make one for every purchase order or invoice.
    QString entry;
    entry.reserve(11 + kPickerIdGap + 11);
    AppendRecordId(entry, number);
    entry.resize(entry.size() + kPickerIdGap, QLatin1Char(' '));
    AppendRecordId(entry, id);
    return entry;
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
