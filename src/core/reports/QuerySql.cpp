#include "QuerySql.h"

#include "core/common/DateTime.h"
#include "core/common/NumberText.h"
#include "core/db/Dialect.h"
#include "core/db/ProjectDatabase.h"

#include <QDate>
#include <QRegularExpression>

namespace {

// An amount as query text: digits, "." and only the decimals it needs.
QString plainAmount(Money amount)
{
    const qint64 count = amount.tenThousandths();
    const quint64 magnitude = count < 0 ? 0 - static_cast<quint64>(count) : static_cast<quint64>(count);
    const quint64 scale = static_cast<quint64>(Money::kScale);
    QString text = QString::number(magnitude / scale);
    if (const quint64 fraction = magnitude % scale; fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return count < 0 ? QLatin1Char('-') + text : text;
}

// A value written the way the query text holds it, shown again in the user's
// format: "5/15/1997" as the locale's short date, "1234.5" with the locale's
// decimal sign. Anything else is shown as it stands.
QString displayValue(QueryFieldType type, const QString& stored, const QLocale& locale)
{
    if (type == QueryFieldType::Date) {
        static const QRegularExpression mdy(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{1,4})$"));
        const QRegularExpressionMatch m = mdy.match(stored);
        const QDate date = m.hasMatch()
                               ? QDate(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt())
                               : QDate();
        return date.isValid() ? DateTime::fromDate(date).formatShortDate(locale) : stored;
    }
    if (type == QueryFieldType::Currency) {
        static const QRegularExpression plain(QStringLiteral("^-?\\d+(\\.\\d+)?$"));
        if (!plain.match(stored).hasMatch())
            return stored;
        QString shown = stored;
        shown.replace(QLatin1Char('.'), locale.decimalPoint());
        if (shown.startsWith(QLatin1Char('-')))
            shown.replace(0, 1, locale.negativeSign());
        return shown;
    }
    return stored;
}

// The end of a literal opened by `quote` at `from` (just past its closing quote);
// inside '...' a doubled quote is part of the text. -1 when it is not closed.
qsizetype endOfLiteral(const QString& text, qsizetype from, QChar quote)
{
    for (qsizetype j = from + 1; j < text.size(); ++j) {
        if (text.at(j) != quote)
            continue;
        if (quote == QLatin1Char('\'') && j + 1 < text.size() && text.at(j + 1) == quote) {
            ++j;
            continue;
        }
        return j + 1;
    }
    return -1;
}

bool isQuote(QChar c)
{
    return c == QLatin1Char('\'') || c == QLatin1Char('#');
}

int operatorFromText(const QString& text, qsizetype at)
{
    const QChar c = text.at(at);
    const bool equalsNext = at + 1 < text.size() && text.at(at + 1) == QLatin1Char('=');
    if (c == QLatin1Char('!'))
        return 5;
    if (c == QLatin1Char('<'))
        return equalsNext ? 3 : 1;
    if (c == QLatin1Char('>'))
        return equalsNext ? 4 : 2;
    return 0;
}

// Reads up to three criteria from the text after "WHERE ".
void parseCriteria(ListingKind listing, const QString& w, QuerySentence& s, const QLocale& locale)
{
    const QList<QueryField>& fields = QueryFieldsOf(listing);
    const QChar blank = QLatin1Char(' ');
    qsizetype i = 0;
    for (int row = 0; row < kQueryCriterionCount; ++row) {
        qsizetype b = w.indexOf(blank, i);
        if (b < 0)
            return;
        const int field = QueryFieldIndex(listing, w.mid(i, b - i));
        if (field < 0)
            return;
        QueryCriterion& c = s.criteria[static_cast<size_t>(row)];
        c.field = field;
        i = b + 1;
        if (i >= w.size())
            return;
        c.op = operatorFromText(w, i);
        b = w.indexOf(blank, i);
        if (b < 0 || b + 1 >= w.size())
            return;
        i = b + 1;

        QString value;
        qsizetype next = -1;
        if (isQuote(w.at(i))) {
            const qsizetype end = endOfLiteral(w, i, w.at(i));
            if (end >= 0) {
                value = w.mid(i + 1, end - i - 2);
                if (w.at(i) == QLatin1Char('\''))
                    value.replace(QLatin1String("''"), QLatin1String("'"));
                next = end;
            }
        }
        if (next < 0) {
            // A bare value (or a literal left open) runs to the next blank.
            b = w.indexOf(blank, i);
            next = b < 0 ? w.size() : b;
            value = w.mid(i, next - i);
            if (value.isEmpty())
                return;
            if (isQuote(value.front()))
                value.remove(0, 1);
            if (!value.isEmpty() && isQuote(value.back()))
                value.chop(1);
        }
        c.value = displayValue(fields.at(field).type, value, locale);

        if (next >= w.size() || w.at(next) != blank)
            return;
        i = next + 1;
        if (i >= w.size() || row + 1 >= kQueryCriterionCount)
            return;
        s.connectors[static_cast<size_t>(row)] =
            w.at(i) == QLatin1Char('A') ? QueryConnector::And : QueryConnector::Or;
        b = w.indexOf(blank, i);
        if (b < 0)
            return;
        i = b + 1;
    }
}

void parseOrderBy(ListingKind listing, const QString& line, QuerySentence& s)
{
    const QLatin1String orderBy("ORDER BY ");
    if (!line.startsWith(orderBy))
        return;
    const QString rest = line.mid(orderBy.size());
    const qsizetype b = rest.indexOf(QLatin1Char(' '));
    const int field = QueryFieldIndex(listing, b < 0 ? rest : rest.left(b));
    if (field < 0)
        return;
    s.orderBy = field;
    const QString after = b < 0 ? QString() : rest.mid(b + 1);
    s.descending = !after.isEmpty() && !after.startsWith(QLatin1Char('A'));
}

} // namespace

int QueryTopCount(const QString& countText)
{
    return LeadingWholeNumber(countText);
}

bool CriterionApplies(const QueryCriterion& criterion)
{
    return !QueryOperatorSql(criterion.op).isEmpty() && !criterion.value.isEmpty();
}

std::optional<QString> NormalizeQueryValue(QueryFieldType type, const QString& value, const QLocale& locale)
{
    static const QRegularExpression whole(QStringLiteral("^[+-]?\\d+$"));
    static const QRegularExpression real(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    const QString trimmed = value.trimmed();
    switch (type) {
    case QueryFieldType::Text:
        // The stored text keeps one clause a line; a line break inside a value
        // would split its clause. The engine reads a statement only up to a NUL
        // character, so a value holding one would cut the query short.
        if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) ||
            value.contains(QChar(u'\0')))
            return std::nullopt;
        return value;
    case QueryFieldType::Currency: {
        const std::optional<Money> amount = ParseCurrency(value, locale);
        if (!amount || !amount->isValid())
            return std::nullopt;
        return plainAmount(*amount);
    }
    case QueryFieldType::Date: {
        const DateTime date = DateTime::parseDate(value, locale);
        if (!date.isValid())
            return std::nullopt;
        const QDate day = date.date();
        return QStringLiteral("%1/%2/%3").arg(day.month()).arg(day.day()).arg(day.year());
    }
    case QueryFieldType::Integer:
    case QueryFieldType::Long:
        if (!whole.match(trimmed).hasMatch())
            return std::nullopt;
        return trimmed;
    case QueryFieldType::Single:
    case QueryFieldType::Double:
        if (!real.match(trimmed).hasMatch())
            return std::nullopt;
        return trimmed;
    case QueryFieldType::Boolean:
        if (trimmed.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) != 0 &&
            trimmed.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) != 0)
            return std::nullopt;
        return trimmed;
    }
    return std::nullopt;
}

std::optional<QString> BuildQuerySql(ListingKind listing, const QuerySentence& sentence,
                                     const QLocale& locale)
{
    const QList<QueryField>& fields = QueryFieldsOf(listing);
    const auto known = [&fields](int index) { return index >= 0 && index < fields.size(); };
    const QString from =
        QStringLiteral("FROM ") + SqlIdentifier(ListingTableName(listing)) + QLatin1Char(' ');

    QString sql;
    if (!sentence.top) {
        sql = QStringLiteral("SELECT * ") + from;
    } else {
        sql = QStringLiteral("SELECT TOP ") + QString::number(QueryTopCount(sentence.count)) +
              (sentence.percent ? QStringLiteral(" PERCENT * ") : QStringLiteral(" * ")) + from;
    }

    for (int row = 0; row < kQueryCriterionCount; ++row) {
        const QueryCriterion& c = sentence.criteria[static_cast<size_t>(row)];
        if (!CriterionApplies(c))
            continue;
        if (!known(c.field))
            return std::nullopt;
        const QueryField& field = fields.at(c.field);
        const std::optional<QString> value = NormalizeQueryValue(field.type, c.value, locale);
        if (!value)
            return std::nullopt;
        if (row == 0)
            sql += QStringLiteral("WHERE ");
        else
            sql += sentence.connectors[static_cast<size_t>(row - 1)] == QueryConnector::And
                       ? QStringLiteral(" AND ")
                       : QStringLiteral(" OR ");
        sql += field.name + QueryOperatorSql(c.op);
        if (field.type == QueryFieldType::Text)
            sql += SqlTextLiteral(*value);
        else if (field.type == QueryFieldType::Date)
            sql += QLatin1Char('#') + *value + QLatin1Char('#');
        else
            sql += *value;
    }

    if (sentence.top) {
        if (!known(sentence.orderBy))
            return std::nullopt;
        sql += QStringLiteral(" ORDER BY ") + fields.at(sentence.orderBy).name +
               (sentence.descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
    }
    return sql;
}

QuerySentence ParseQuerySql(ListingKind listing, const QString& storedSql, const QLocale& locale)
{
    QuerySentence s;
    QStringList lines = storedSql.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    // The statement's final ";" ends its last line.
    if (!lines.isEmpty() && lines.constLast().endsWith(QLatin1Char(';')))
        lines.last().chop(1);

    const QChar blank = QLatin1Char(' ');
    const QLatin1String select("SELECT ");
    if (lines.isEmpty() || !lines.at(0).startsWith(select))
        return s;
    const QString head = lines.at(0).mid(select.size());
    if (head.startsWith(QLatin1Char('T'))) {
        s.top = true;
        const qsizetype countStart = head.indexOf(blank);
        if (countStart < 0)
            return s;
        const qsizetype countEnd = head.indexOf(blank, countStart + 1);
        s.count = head.mid(countStart + 1, countEnd < 0 ? -1 : countEnd - countStart - 1);
        s.percent = countEnd < 0 || !head.mid(countEnd + 1).startsWith(QLatin1Char('*'));
    } else if (!head.startsWith(QLatin1Char('*'))) {
        return s;
    }

    // Line 2 is the FROM clause.
    if (lines.size() < 3)
        return s;
    const QLatin1String where("WHERE ");
    qsizetype orderLine = 2;
    if (lines.at(2).startsWith(where)) {
        parseCriteria(listing, lines.at(2).mid(where.size()), s, locale);
        orderLine = 3;
    }
    if (orderLine < lines.size())
        parseOrderBy(listing, lines.at(orderLine), s);
    return s;
}

bool QueryBelongsToListing(const QString& sql, ListingKind listing)
{
    const QString table = ListingTableName(listing);
    return sql.contains(QStringLiteral("FROM ") + SqlIdentifier(table)) ||
           sql.contains(QStringLiteral("FROM ") + table);
}

QStringList QueriesOfListing(const ProjectDatabase& db, ListingKind listing)
{
    QStringList names;
    for (const QString& name : db.QueryDefNames()) {
        const std::optional<QString> sql = db.QueryDefSql(name);
        if (sql && QueryBelongsToListing(*sql, listing))
            names.append(name);
    }
    return names;
}
