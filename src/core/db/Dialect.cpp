#include "Dialect.h"

#include "core/common/DateTime.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>
#include <QTime>

#include <optional>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Scanner

enum class TokenKind { Space, Word, Number, Text, QuotedText, Bracket, Date, Punct };

struct Token
{
    TokenKind kind;
    qsizetype start;
    qsizetype length;
    bool terminated = true; // false for a literal that runs to the end of the text
};

bool isWordStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isWordPart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Index just past the closing quote, doubled quotes being part of the text;
// -1 when the text ends first.
qsizetype endOfQuoted(const QString& s, qsizetype from, QChar quote)
{
    for (qsizetype j = from; j < s.size(); ++j) {
        if (s.at(j) != quote)
            continue;
        if (j + 1 < s.size() && s.at(j + 1) == quote) {
            ++j;
            continue;
        }
        return j + 1;
    }
    return -1;
}

std::vector<Token> scan(const QString& s)
{
    std::vector<Token> tokens;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s.at(i);
        qsizetype j = i + 1;
        TokenKind kind = TokenKind::Punct;
        bool terminated = true;
        if (c.isSpace()) {
            kind = TokenKind::Space;
            while (j < n && s.at(j).isSpace())
                ++j;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            kind = c == QLatin1Char('\'') ? TokenKind::Text : TokenKind::QuotedText;
            j = endOfQuoted(s, i + 1, c);
        } else if (c == QLatin1Char('[') || c == QLatin1Char('#')) {
            kind = c == QLatin1Char('[') ? TokenKind::Bracket : TokenKind::Date;
            j = s.indexOf(c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('#'), i + 1);
            if (j >= 0)
                ++j;
        } else if (isWordStart(c)) {
            kind = TokenKind::Word;
            while (j < n && isWordPart(s.at(j)))
                ++j;
        } else if (c.isDigit()) {
            kind = TokenKind::Number;
            while (j < n && (isWordPart(s.at(j)) || s.at(j) == QLatin1Char('.')))
                ++j;
        }
        if (j < 0) {
            j = n;
            terminated = false;
        }
        tokens.push_back(Token{kind, i, j - i, terminated});
        i = j;
    }
    return tokens;
}

bool isWord(const QString& s, const Token& t, QLatin1String word)
{
    return t.kind == TokenKind::Word && QStringView(s).mid(t.start, t.length).compare(word, Qt::CaseInsensitive) == 0;
}

bool isPunct(const QString& s, const Token& t, QChar c)
{
    return t.kind == TokenKind::Punct && s.at(t.start) == c;
}

// Index of the next token that is not whitespace, or tokens.size().
size_t nextSolid(const std::vector<Token>& tokens, size_t from)
{
    while (from < tokens.size() && tokens[from].kind == TokenKind::Space)
        ++from;
    return from;
}

// Removes trailing whitespace and one final ';' (with whitespace before it).
void dropFinalSemicolon(const QString& s, std::vector<Token>& tokens)
{
    while (!tokens.empty() && tokens.back().kind == TokenKind::Space)
        tokens.pop_back();
    if (!tokens.empty() && isPunct(s, tokens.back(), QLatin1Char(';'))) {
        tokens.pop_back();
        while (!tokens.empty() && tokens.back().kind == TokenKind::Space)
            tokens.pop_back();
    }
}

// Index of a top-level ORDER BY (outside parentheses), or -1.
qsizetype findTopLevelOrderBy(const QString& s, const std::vector<Token>& tokens)
{
    int depth = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (isPunct(s, tokens[i], QLatin1Char('(')))
            ++depth;
        else if (isPunct(s, tokens[i], QLatin1Char(')')) && depth > 0)
            --depth;
        else if (depth == 0 && isWord(s, tokens[i], QLatin1String("ORDER"))) {
            const size_t by = nextSolid(tokens, i + 1);
            if (by < tokens.size() && isWord(s, tokens[by], QLatin1String("BY")))
                return static_cast<qsizetype>(i);
        }
    }
    return -1;
}

// Whether the statement's first SELECT outside parentheses takes only its TOP n
// (or TOP n PERCENT) rows.
bool selectsTopRows(const QString& s, const std::vector<Token>& tokens)
{
    int depth = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (isPunct(s, tokens[i], QLatin1Char('('))) {
            ++depth;
        } else if (isPunct(s, tokens[i], QLatin1Char(')')) && depth > 0) {
            --depth;
        } else if (depth == 0 && isWord(s, tokens[i], QLatin1String("SELECT"))) {
            size_t k = nextSolid(tokens, i + 1);
            if (k < tokens.size() && (isWord(s, tokens[k], QLatin1String("DISTINCT")) ||
                                      isWord(s, tokens[k], QLatin1String("ALL"))))
                k = nextSolid(tokens, k + 1);
            if (k >= tokens.size() || !isWord(s, tokens[k], QLatin1String("TOP")))
                return false;
            // Without a number TOP is a column name.
            const size_t number = nextSolid(tokens, k + 1);
            return number < tokens.size() && tokens[number].kind == TokenKind::Number;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// Date literals

// m/d/y with an optional time of day, 24-hour or with AM/PM.
std::optional<DateTime> parseDateLiteral(QStringView body)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^\\s*(\\d{1,2})[/-](\\d{1,2})[/-](\\d{1,4})"
        "(?:\\s+(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*([AaPp][Mm])?)?\\s*$"));
    const QRegularExpressionMatch m = pattern.match(body);
    if (!m.hasMatch())
        return std::nullopt;
    int year = m.capturedView(3).toInt();
    if (m.capturedView(3).size() <= 2)
        year += year < 30 ? 2000 : 1900;
    const QDate date(year, m.capturedView(1).toInt(), m.capturedView(2).toInt());
    if (!date.isValid())
        return std::nullopt;
    if (!m.hasCaptured(4))
        return DateTime::fromDate(date);

    int hour = m.capturedView(4).toInt();
    if (m.hasCaptured(7)) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        const bool pm = m.capturedView(7).front().toUpper() == QLatin1Char('P');
        hour = hour % 12 + (pm ? 12 : 0);
    }
    const QTime time(hour, m.capturedView(5).toInt(), m.hasCaptured(6) ? m.capturedView(6).toInt() : 0);
    if (!time.isValid())
        return std::nullopt;
    return DateTime::fromQDateTime(QDateTime(date, time));
}

QString dayNumberText(double days)
{
    const QString text = QString::number(days, 'f', QLocale::FloatingPointShortest);
    // A bare minus after another one would start a comment ("x --3").
    return days < 0 ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}

// ---------------------------------------------------------------------------
// Translation

enum class ItemKind { Space, Word, Number, Punct, Literal, Group };

// A piece of translated output; words and punctuation keep their source text so
// that TOP and parentheses can still be recognised.
struct Item
{
    ItemKind kind;
    QString text;
};

bool itemIs(const Item& item, QLatin1String word)
{
    return item.kind == ItemKind::Word && item.text.compare(word, Qt::CaseInsensitive) == 0;
}

size_t nextSolidItem(const std::vector<Item>& items, size_t from)
{
    while (from < items.size() && items[from].kind == ItemKind::Space)
        ++from;
    return from;
}

QString joinItems(const std::vector<Item>& items, size_t from, size_t to)
{
    QString out;
    for (size_t i = from; i < to && i < items.size(); ++i)
        out += items[i].text;
    return out;
}

QString unquote(QStringView quoted, QChar quote)
{
    QString inner = quoted.mid(1, quoted.size() - 2).toString();
    inner.replace(QString(2, quote), QString(quote));
    return inner;
}

bool toItems(const QString& s, const std::vector<Token>& tokens, std::vector<Item>& items, QString& error)
{
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        const QStringView raw = QStringView(s).mid(t.start, t.length);
        if (!t.terminated) {
            error = QStringLiteral("Unterminated %1 starting at: %2")
                        .arg(t.kind == TokenKind::Bracket ? QStringLiteral("name")
                                 : t.kind == TokenKind::Date ? QStringLiteral("date")
                                                             : QStringLiteral("text"),
                             raw.left(20).toString());
            return false;
        }
        switch (t.kind) {
        case TokenKind::Space:
            items.push_back({ItemKind::Space, raw.toString()});
            break;
        case TokenKind::Number:
            items.push_back({ItemKind::Number, raw.toString()});
            break;
        case TokenKind::Punct:
            if (raw == QLatin1String(";")) {
                error = QStringLiteral("Only one statement can be run at a time.");
                return false;
            }
            items.push_back({ItemKind::Punct, raw.toString()});
            break;
        case TokenKind::Text:
            items.push_back({ItemKind::Literal, raw.toString()});
            break;
        case TokenKind::QuotedText:
            // SQLite reads "x" as a name; here it is text.
            items.push_back({ItemKind::Literal, SqlTextLiteral(unquote(raw, QLatin1Char('"')))});
            break;
        case TokenKind::Bracket: {
            items.push_back({ItemKind::Literal, SqlName(raw.mid(1, raw.size() - 2).toString())});
            break;
        }
        case TokenKind::Date: {
            const std::optional<DateTime> date = parseDateLiteral(raw.mid(1, raw.size() - 2));
            if (!date) {
                error = QStringLiteral("Not a valid date: %1").arg(raw.toString());
                return false;
            }
            // Keep the number apart from a word or number written right against it.
            const auto glued = [](TokenKind k) { return k == TokenKind::Word || k == TokenKind::Number; };
            if (i > 0 && glued(tokens[i - 1].kind))
                items.push_back({ItemKind::Space, QStringLiteral(" ")});
            items.push_back({ItemKind::Number, dayNumberText(date->days())});
            if (i + 1 < tokens.size() && glued(tokens[i + 1].kind))
                items.push_back({ItemKind::Space, QStringLiteral(" ")});
            break;
        }
        case TokenKind::Word: {
            // t.True is a column, not the constant.
            const bool afterDot = !items.empty() && items.back().kind == ItemKind::Punct &&
                                  items.back().text == QLatin1String(".");
            if (!afterDot && isWord(s, t, QLatin1String("TRUE")))
                items.push_back({ItemKind::Number, QStringLiteral("1")});
            else if (!afterDot && isWord(s, t, QLatin1String("FALSE")))
                items.push_back({ItemKind::Number, QStringLiteral("0")});
            else
                items.push_back({ItemKind::Word, raw.toString()});
            break;
        }
        }
    }
    return true;
}

// TOP n [PERCENT] right after a SELECT (and DISTINCT/ALL), if there is one.
struct TopClause
{
    size_t select = 0;
    size_t first = 0; // the TOP item
    size_t last = 0;  // the number or PERCENT item
    QString count;
    bool percent = false;
};

std::optional<TopClause> findTop(const std::vector<Item>& level, size_t select)
{
    size_t k = nextSolidItem(level, select + 1);
    if (k < level.size() && (itemIs(level[k], QLatin1String("DISTINCT")) || itemIs(level[k], QLatin1String("ALL"))))
        k = nextSolidItem(level, k + 1);
    if (k >= level.size() || !itemIs(level[k], QLatin1String("TOP")))
        return std::nullopt;
    const size_t number = nextSolidItem(level, k + 1);
    // Without a number TOP is taken as a column name.
    if (number >= level.size() || level[number].kind != ItemKind::Number)
        return std::nullopt;
    TopClause top{select, k, number, level[number].text, false};
    const size_t percent = nextSolidItem(level, number + 1);
    if (percent < level.size() && itemIs(level[percent], QLatin1String("PERCENT"))) {
        top.percent = true;
        top.last = percent;
    }
    return top;
}

// The LIMIT for a TOP clause, or an empty string with an error.
QString limitFor(const TopClause& top, const std::vector<Item>& level, size_t end, QString& error)
{
    static const QRegularExpression whole(QStringLiteral("^\\d+$"));
    static const QRegularExpression decimal(QStringLiteral("^(\\d+)(?:\\.(\\d{1,6}))?$"));
    if (!top.percent) {
        if (!whole.match(top.count).hasMatch()) {
            error = QStringLiteral("TOP needs a whole number of rows: %1").arg(top.count);
            return QString();
        }
        return QStringLiteral("LIMIT ") + top.count;
    }
    const QRegularExpressionMatch m = decimal.match(top.count);
    if (!m.hasMatch()) {
        error = QStringLiteral("TOP PERCENT needs a number: %1").arg(top.count);
        return QString();
    }
    // ceil(rows * p / 100) in whole numbers: a fractional percentage p = a / 10^k
    // becomes (rows * a + d - 1) / d with d = 100 * 10^k.
    const QString fraction = m.captured(2);
    QString scaled = m.captured(1) + fraction;
    while (scaled.size() > 1 && scaled.front() == QLatin1Char('0'))
        scaled.remove(0, 1);
    qint64 divisor = 100;
    for (qsizetype i = 0; i < fraction.size(); ++i)
        divisor *= 10;

    // Count the rows of the statement itself, so that DISTINCT and GROUP BY are
    // counted as the caller sees them; ORDER BY does not change the count.
    size_t countEnd = end;
    for (size_t i = top.select; i < end; ++i) {
        if (itemIs(level[i], QLatin1String("ORDER"))) {
            const size_t by = nextSolidItem(level, i + 1);
            if (by < end && itemIs(level[by], QLatin1String("BY"))) {
                countEnd = i;
                break;
            }
        }
    }
    const QString counted = joinItems(level, top.select, countEnd).trimmed();
    return QStringLiteral("LIMIT (SELECT (COUNT(*) * %1 + %2) / %3 FROM (%4))")
        .arg(scaled)
        .arg(divisor - 1)
        .arg(divisor)
        .arg(counted);
}

// The longest statement a translation may produce. A TOP PERCENT repeats its
// statement inside its LIMIT, so nested ones double the text at every level:
// a few kilobytes of query could otherwise grow without bound.
constexpr qsizetype kMaxTranslatedLength = 1'000'000;

bool withinLength(const QString& out, QString& error)
{
    if (out.size() <= kMaxTranslatedLength)
        return true;
    error = QStringLiteral("The query is too long once its TOP PERCENT clauses are written out.");
    return false;
}

// Renders one parenthesis level: TOP becomes a LIMIT at the end of the level's
// statement, which is where SQLite wants it (after ORDER BY).
bool renderLevel(std::vector<Item> level, QString& out, QString& error)
{
    std::vector<size_t> selects;
    bool compound = false;
    for (size_t i = 0; i < level.size(); ++i) {
        if (itemIs(level[i], QLatin1String("SELECT")))
            selects.push_back(i);
        else if (itemIs(level[i], QLatin1String("UNION")) || itemIs(level[i], QLatin1String("INTERSECT")) ||
                 itemIs(level[i], QLatin1String("EXCEPT")))
            compound = true;
    }
    std::optional<TopClause> top;
    for (const size_t select : selects) {
        if (std::optional<TopClause> found = findTop(level, select)) {
            if (compound || selects.size() > 1) {
                error = QStringLiteral("TOP cannot be used in a query joined with UNION, INTERSECT or EXCEPT.");
                return false;
            }
            top = found;
        }
    }
    if (!top) {
        out += joinItems(level, 0, level.size());
        return withinLength(out, error);
    }

    size_t removeEnd = nextSolidItem(level, top->last + 1);
    level.erase(level.begin() + static_cast<qsizetype>(top->first), level.begin() + static_cast<qsizetype>(removeEnd));
    size_t end = level.size();
    while (end > 0 && level[end - 1].kind == ItemKind::Space)
        --end;
    const QString limit = limitFor(*top, level, end, error);
    if (limit.isEmpty())
        return false;
    out += joinItems(level, 0, end) + QLatin1Char(' ') + limit + joinItems(level, end, level.size());
    return withinLength(out, error);
}

// Collects one parenthesis level starting at pos (nested levels become single
// Group items) and renders it. Stops before the ')' that closes a nested level.
bool renderFrom(const std::vector<Item>& items, size_t& pos, bool nested, QString& out, QString& error)
{
    std::vector<Item> level;
    while (pos < items.size()) {
        const Item& item = items[pos];
        if (item.kind == ItemKind::Punct && item.text == QLatin1String("(")) {
            ++pos;
            QString group = QStringLiteral("(");
            if (!renderFrom(items, pos, true, group, error))
                return false;
            if (pos < items.size()) {
                group += items[pos].text;
                ++pos;
            }
            level.push_back({ItemKind::Group, group});
            continue;
        }
        if (nested && item.kind == ItemKind::Punct && item.text == QLatin1String(")"))
            break;
        level.push_back(item);
        ++pos;
    }
    return renderLevel(std::move(level), out, error);
}

} // namespace

TranslatedSql TranslateQuery(const QString& text)
{
    std::vector<Token> tokens = scan(text);
    dropFinalSemicolon(text, tokens);

    TranslatedSql result;
    std::vector<Item> items;
    if (!toItems(text, tokens, items, result.error))
        return result;
    size_t pos = 0;
    QString sql;
    if (!renderFrom(items, pos, false, sql, result.error))
        return result;
    result.ok = true;
    result.sql = sql;
    return result;
}

QString SqlTextLiteral(const QString& value)
{
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString SqlIdentifier(const QString& name)
{
    QString clean = name;
    clean.remove(QLatin1Char(']'));
    return QLatin1Char('[') + clean + QLatin1Char(']');
}

QString SqlName(const QString& name)
{
    QString doubled = name;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString NormalizeStoredQuery(const QString& text)
{
    std::vector<Token> tokens = scan(text);
    dropFinalSemicolon(text, tokens);

    QStringList clauses;
    QString clause;
    int depth = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (isPunct(text, t, QLatin1Char('(')))
            ++depth;
        else if (isPunct(text, t, QLatin1Char(')')) && depth > 0)
            --depth;
        else if (depth == 0 && t.kind == TokenKind::Word) {
            bool starts = isWord(text, t, QLatin1String("SELECT")) || isWord(text, t, QLatin1String("FROM")) ||
                          isWord(text, t, QLatin1String("WHERE")) || isWord(text, t, QLatin1String("HAVING"));
            if (isWord(text, t, QLatin1String("GROUP")) || isWord(text, t, QLatin1String("ORDER"))) {
                const size_t by = nextSolid(tokens, i + 1);
                starts = by < tokens.size() && isWord(text, tokens[by], QLatin1String("BY"));
            }
            if (starts) {
                clause = clause.trimmed();
                if (!clause.isEmpty())
                    clauses.append(clause);
                clause.clear();
            }
        }
        if (t.kind == TokenKind::Space)
            clause += QLatin1Char(' ');
        else
            clause += QStringView(text).mid(t.start, t.length);
    }
    clause = clause.trimmed();
    if (!clause.isEmpty())
        clauses.append(clause);
    if (clauses.isEmpty())
        return QString();
    return clauses.join(QLatin1String("\r\n")) + QLatin1String(";\r\n");
}

QString ApplySortToStoredQuery(const QString& storedSql, const QString& sort)
{
    if (sort.trimmed().isEmpty())
        return storedSql;
    const std::vector<Token> tokens = scan(storedSql);
    if (selectsTopRows(storedSql, tokens)) {
        // The query's own ORDER BY decides which rows TOP takes, so it stays; the
        // sort orders only the rows taken, outside.
        std::vector<Token> statement = tokens;
        dropFinalSemicolon(storedSql, statement);
        const QString query = storedSql.left(statement.back().start + statement.back().length);
        return QLatin1String("SELECT *\r\nFROM (") + query + QLatin1String(") AS q\r\nORDER BY ") + sort +
               QLatin1String(";\r\n");
    }
    const qsizetype order = findTopLevelOrderBy(storedSql, tokens);
    if (order < 0) {
        QString base = storedSql;
        if (base.endsWith(QLatin1String(";\r\n"))) {
            base.chop(3);
        } else {
            // Text that was not normalised: drop whatever ends it the same way.
            while (!base.isEmpty() && base.back().isSpace())
                base.chop(1);
            if (base.endsWith(QLatin1Char(';')))
                base.chop(1);
        }
        return base + QLatin1String(" ORDER BY ") + sort + QLatin1String(" \n");
    }

    // The clause runs to the next line break outside literals.
    qsizetype lineEnd = storedSql.size();
    for (size_t i = static_cast<size_t>(order); i < tokens.size(); ++i) {
        if (tokens[i].kind != TokenKind::Space)
            continue;
        const QStringView space = QStringView(storedSql).mid(tokens[i].start, tokens[i].length);
        const qsizetype cr = space.indexOf(QLatin1Char('\r'));
        const qsizetype lf = space.indexOf(QLatin1Char('\n'));
        if (cr >= 0 || lf >= 0) {
            lineEnd = tokens[i].start + (cr >= 0 && (lf < 0 || cr < lf) ? cr : lf);
            break;
        }
    }
    return storedSql.left(tokens[static_cast<size_t>(order)].start) + QLatin1String("ORDER BY ") + sort +
           QLatin1Char(' ') + storedSql.mid(lineEnd);
}

QString SqlRoundedWhole(const QString& expression)
{
    return QStringLiteral("CAST(ROUND(") + expression + QStringLiteral(") AS INTEGER)");
}

QString SqlFolded(const QString& expression)
{
    return expression + QStringLiteral(" COLLATE ") + QLatin1String(kFoldedCollation);
}

QString SqlOrderTerm(const QString& expression, bool descending)
{
    // SQLite's own placing of NULLs, said out loud for engines that place them otherwise.
    return expression + (descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" ASC NULLS FIRST"));
}

QStringList SqlScratchPositionsTable(const QString& name)
{
    // An INTEGER PRIMARY KEY takes the next number on every insert.
    return {QStringLiteral("DROP TABLE IF EXISTS ") + SqlName(name),
            QStringLiteral("CREATE TEMP TABLE %1 (\"pos\" INTEGER PRIMARY KEY, \"id\" INTEGER NOT NULL)")
                .arg(SqlName(name))};
}
