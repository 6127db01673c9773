#include "RecordIds.h"

#include <algorithm>

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
// The most characters a record ID takes: a sign and ten digits.
constexpr qsizetype kRecordIdMax = 11;

// Writes printf's "%06ld" of the ID at `out` and returns the end of it: at least
// six characters, the sign, if any, counting toward them. Written out by hand,
// straight into the text, because pickers format an ID for every record of a table.
char16_t* WriteRecordId(char16_t* out, qint32 id)
{
    char16_t digits[10];
    int count = 0;
    // The magnitude in unsigned arithmetic, so that the lowest qint32 has one too.
    quint32 magnitude = id < 0 ? 0u - static_cast<quint32>(id) : static_cast<quint32>(id);
    do {
        digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int zeros = 6 - count;
    if (id < 0) {
        *out++ = u'-';
        --zeros;
    }
    for (; zeros > 0; --zeros)
        *out++ = u'0';
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

// `visible` (when given), the blanks, then the ID of `id`; `number`, when
// given, is written as an ID in place of `visible`.
QString EntryText(QStringView visible, const qint32* number, qint32 id)
{
    const qsizetype head = number ? kRecordIdMax : visible.size();
    QString entry(head + kPickerIdGap + kRecordIdMax, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(entry.data());
    char16_t* const begin = out;
    if (number) {
        out = WriteRecordId(out, *number);
    } else {
        std::copy(visible.utf16(), visible.utf16() + visible.size(), out);
        out += visible.size();
    }
    out = std::fill_n(out, kPickerIdGap, u' ');
    out = WriteRecordId(out, id);
    entry.truncate(out - begin);
    return entry;
}

} // namespace

QString FormatRecordId(qint32 id)
{
    QString text(kRecordIdMax, Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(text.data());
    text.truncate(WriteRecordId(begin, id) - begin);
    return text;
}

QString PickerEntryText(QStringView visible, qint32 id)
{
    return EntryText(visible, nullptr, id);
}

QString NumberedPickerEntryText(qint32 number, qint32 id)
{
    // Written in one piece: pickers make one for every purchase order or invoice.
    return EntryText({}, &number, id);
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
