#include "PageWalk.h"

#include "TwipsTransform.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

// How much narrower than its column a short cell's estimated width must be to
// be taken as fitting without measuring it.
constexpr double kSureFit = 1.15;

// Cell text keeps clear of the column's edges by this much.
constexpr double kCellPadding = 45.0;
// A table row is its font's height plus this share of it as leading.
constexpr double kRowLeading = 0.18;
constexpr double kRuleWidth = 10.0;
constexpr double kTwipsPerPoint = 20.0;

const QChar kBlank = QLatin1Char(' ');

// How many leading characters of `text` the advances add up to no more than
// `room`: all of them when they do; -1 when a character before that point is
// not ASCII.
int GuessFittingLength(const PageWalk::AsciiAdvances& advances, const QString& text, double room)
{
    double width = 0;
    for (int i = 0; i < text.size(); ++i) {
        const char16_t code = text.at(i).unicode();
        if (code < 32 || code >= 127)
            return -1;
        width += advances[std::size_t(code)];
        if (width > room)
            return i;
    }
    return int(text.size());
}

// The number of leading characters of `text` no wider than `room` pixels.
// `advances`, where given, are the font's ASCII advances: they point the search
// near its answer, so that a line is shaped about twice rather than a dozen
// times. Kerning and shaping decide; the advances only guess.
int fittingLength(const QFontMetricsF& metrics, const QString& text, double room,
                  const PageWalk::AsciiAdvances* advances = nullptr)
{
    // A hair of tolerance: a piece measured to fit must fit again when re-measured.
    room += 1e-6;
    const int size = int(text.size());
    // Measuring with a length still shapes the whole text: each prefix is measured
    // on its own, so a long paragraph costs about what one line of it does.
    auto fits = [&](int length) { return length == 0 || metrics.horizontalAdvance(text.left(length)) <= room; };
    int fitting = 0;   // known to fit
    int tooWide = -1;  // known not to fit; -1 until one is found
    if (const int guess = advances ? GuessFittingLength(*advances, text, room) : -1; guess >= 0) {
        // Gallop from the guess, up while prefixes fit, down while they do not.
        if (fits(guess)) {
            fitting = guess;
            for (int step = 1; fitting < size; step *= 2) {
                const int next = std::min(fitting + step, size);
                if (!fits(next)) {
                    tooWide = next;
                    break;
                }
                fitting = next;
            }
        } else {
            tooWide = guess;
            for (int step = 1; tooWide > 0; step *= 2) {
                const int next = std::max(tooWide - step, 0);
                if (fits(next)) {
                    fitting = next;
                    break;
                }
                tooWide = next;
            }
        }
    } else {
        // Probe growing prefixes.
        for (int probe = 32;; probe *= 2) {
            if (probe >= size) {
                if (fits(size))
                    fitting = size;
                else
                    tooWide = size;
                break;
            }
            if (!fits(probe)) {
                tooWide = probe;
                break;
            }
            fitting = probe;
        }
    }
    if (tooWide < 0)
        return size;
    while (tooWide - fitting > 1) {
        const int middle = (fitting + tooWide) / 2;
        if (fits(middle))
            fitting = middle;
        else
            tooWide = middle;
    }
    // Never split a surrogate pair.
    if (fitting > 0 && text.at(fitting - 1).isHighSurrogate())
        --fitting;
    return fitting;
}

QString withoutLeadingBlanks(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == kBlank)
        ++start;
    return text.mid(start);
}

QString withoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == kBlank)
        --end;
    return text.left(end);
}

bool endsRun(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\t') || c == QLatin1Char('\r');
}

} // namespace

PageWalk::PageWalk(const QList<PrintCommand>& commands, const Page& page, const QList<int>& tabStops,
                   int dotsPerInch)
    : m_commands(commands), m_page(page), m_tabStops(tabStops),
      m_measuringDevice(1, 1, QImage::Format_ARGB32_Premultiplied)
{
    const int dotsPerMeter = qRound(std::max(dotsPerInch, 1) / 0.0254);
    m_measuringDevice.setDotsPerMeterX(dotsPerMeter);
    m_measuringDevice.setDotsPerMeterY(dotsPerMeter);
    // Font metrics are computed at the vertical resolution, widths included.
    m_twipsPerPixel = kTwipsPerInch / m_measuringDevice.logicalDpiY();
}

PageWalk::State PageWalk::startState(const QFont& font) const
{
    State state;
    state.x = m_page.left;
    state.y = -m_page.top;
    state.font = font;
    return state;
}

void PageWalk::layout(const State& start, int pageLimit)
{
    m_layingOut = true;
    m_output = Output();
    m_pageLimit = std::size_t(std::max(pageLimit, 1));
    m_pageStarts.assign(1, start);
    run(start);
}

void PageWalk::draw(const State& pageStart, const Output& output)
{
    m_layingOut = false;
    m_output = output;
    run(pageStart);
}

void PageWalk::run(const State& start)
{
    m_state = start;
    m_stopped = false;
    for (int index = start.command; index < m_commands.size() && !m_stopped; ++index) {
        m_command = index;
        const bool resumed = index == start.command;
        const int from = resumed ? start.offset : 0;
        const PrintCommand& command = m_commands.at(index);
        switch (command.kind) {
        case PrintCommandKind::Font:
            m_state.font = command.font;
            break;
        case PrintCommandKind::Color:
            m_state.color = command.color;
            break;
        case PrintCommandKind::Text:
            setText(command.text, from);
            break;
        case PrintCommandKind::ParagraphFlag:
            m_state.paragraph = command.flag;
            break;
        case PrintCommandKind::PageBreak:
            m_state.x = m_page.left;
            newPage(index + 1, 0, false);
            break;
        case PrintCommandKind::Rule:
            emitLine(QLineF(command.rule), m_state.color);
            break;
        case PrintCommandKind::Table:
            if (command.table)
                setTable(*command.table, from, resumed && start.midCommand);
            break;
        case PrintCommandKind::VerticalPosition:
            m_state.y = command.position;
            break;
        case PrintCommandKind::HorizontalPosition:
            m_state.x = command.position;
            break;
        }
    }
}

void PageWalk::setText(const QString& text, int from)
{
    int position = from;
    const int size = int(text.size());
    while (position < size && !m_stopped) {
        const QChar c = text.at(position);
        if (c == QLatin1Char('\n'))
            endLine();
        else if (c == QLatin1Char('\t'))
            tab();
        if (endsRun(c)) {
            ++position;
            continue;
        }
        int end = position;
        while (end < size && !endsRun(text.at(end)))
            ++end;
        // A word that cannot be set even at the start of a line drops the rest of the text.
        if (!setRun(text, position, end))
            return;
        position = end;
    }
}

bool PageWalk::setRun(const QString& text, int from, int end)
{
    const QFontMetricsF fontMetrics = metrics(m_state.font);
    int position = from;
    auto skipBlanks = [&] {
        while (position < end && text.at(position) == kBlank)
            ++position;
    };
    while (position < end && !m_stopped) {
        const QString run = text.mid(position, end - position);
        const int fits = fittingLength(fontMetrics, run, pixels(rightEdge() - m_state.x));
        if (fits == run.size()) {
            place(run, position, fontMetrics);
            return true;
        }
        const qsizetype blank = run.lastIndexOf(kBlank, fits);
        if (blank > 0) {
            place(run.left(blank), position, fontMetrics);
            endLine();
            position += int(blank);
            skipBlanks();
        } else if (blank == 0) {
            skipBlanks();
            if (!atLineStart())
                endLine();
        } else if (atLineStart()) {
            return false;
        } else {
            endLine();
        }
    }
    return true;
}

void PageWalk::place(const QString& piece, int offset, const QFontMetricsF& fontMetrics)
{
    const double height = twips(fontMetrics.lineSpacing());
    // Breaking at the top of a page gains nothing: the line is set there anyway.
    if (!m_state.lineHasContent && !atPageTop() && spaceBelow() < height) {
        newPage(m_command, offset, true);
        if (m_stopped)
            return;
    }
    const double width = twips(fontMetrics.horizontalAdvance(piece));
    double x = m_state.x;
    // Title paragraphs centre each line between the margins.
    if (m_state.paragraph != 0 && atLineStart())
        x = m_page.left + std::max(0.0, (rightEdge() - m_page.left - width) / 2);
    emitText(QPointF(x, m_state.y - twips(fontMetrics.ascent())), piece, m_state.font, m_state.color);
    m_state.x = x + width;
    m_state.lineHeight = std::max(m_state.lineHeight, height);
    m_state.lineHasContent = true;
}

void PageWalk::tab()
{
    for (const int stop : m_tabStops) {
        if (stop >= m_state.x) {
            m_state.x = stop;
            return;
        }
    }
    // Past the last stop a tab is a blank.
    m_state.x += twips(metrics(m_state.font).horizontalAdvance(kBlank));
}

void PageWalk::endLine()
{
    const double height =
        m_state.lineHasContent ? m_state.lineHeight : twips(metrics(m_state.font).lineSpacing());
    m_state.y -= height;
    m_state.x = m_page.left;
    m_state.lineHeight = 0;
    m_state.lineHasContent = false;
}

void PageWalk::newPage(int command, int offset, bool midCommand)
{
    ++m_state.page;
    m_state.y = -m_page.top;
    m_state.lineHeight = 0;
    m_state.lineHasContent = false;
    if (m_layingOut) {
        State start = m_state;
        start.command = command;
        start.offset = offset;
        start.midCommand = midCommand;
        m_pageStarts.push_back(start);
        m_stopped = m_pageStarts.size() >= m_pageLimit;
    } else if (m_state.page > m_output.page) {
        m_stopped = true;
    }
}

void PageWalk::setTable(const PrintTable& table, int startRow, bool continuation)
{
    if (!continuation && m_state.lineHasContent)
        endLine();
    const std::vector<ColumnSpan> spans = columnSpans(table);
    const int rows = table.rowCount();
    const int headers = std::min(table.headerRows(), rows);
    int row = startRow;
    if (continuation && row < rows) {
        continueTable(table, row, spans);
        ++row;
    }
    for (; row < rows && !m_stopped; ++row) {
        const Row measured = measureRow(table, row, spans);
        double needed = measured.height;
        // Heading rows stay on the page of the first row they head.
        if (row < headers) {
            for (int next = row + 1; next <= headers && next < rows; ++next)
                needed += measureRow(table, next, spans).height;
        }
        if (!atPageTop() && spaceBelow() < needed) {
            newPage(m_command, row, true);
            if (!m_stopped)
                continueTable(table, row, spans);
            continue;
        }
        setRow(measured, spans);
    }
    m_state.x = m_page.left;
    m_state.lineHeight = 0;
    m_state.lineHasContent = false;
}

void PageWalk::continueTable(const PrintTable& table, int row, const std::vector<ColumnSpan>& spans)
{
    const int headers = std::min(table.headerRows(), table.rowCount());
    if (row >= headers) {
        for (int heading = 0; heading < headers; ++heading)
            setRow(measureRow(table, heading, spans), spans);
    }
    // The first row of a page is set whatever its height.
    setRow(measureRow(table, row, spans), spans);
}

std::vector<PageWalk::ColumnSpan> PageWalk::columnSpans(const PrintTable& table) const
{
    std::vector<ColumnSpan> spans;
    spans.reserve(table.columnCount());
    double x = m_state.x;
    for (int column = 0; column < table.columnCount(); ++column) {
        const double width = std::round(table.columnWidth(column) * kTwipsPerInch);
        // Columns stay within the right margin; one that starts beyond it is empty.
        const double right = std::min(x + width, rightEdge());
        spans.push_back(ColumnSpan{x, std::max(right, x), table.columnAlignment(column)});
        x += width;
    }
    return spans;
}

PageWalk::Row PageWalk::measureRow(const PrintTable& table, int row, const std::vector<ColumnSpan>& spans)
{
    Row measured;
    measured.cells.reserve(spans.size());
    const double printableHeight = m_page.height - m_page.top - m_page.bottom;
    double emptyRowHeight = 0;
    for (int column = 0; column < int(spans.size()); ++column) {
        const QFont font = table.cellFont(row, column).value_or(m_state.font);
        const QFontMetricsF fontMetrics = metrics(font);
        const double em =
            font.pointSizeF() > 0 ? font.pointSizeF() * kTwipsPerPoint : twips(fontMetrics.height());
        // Never shorter than the face's own height, so lines of a cell cannot overlap.
        const double lineHeight = std::max(em * (1 + kRowLeading), twips(fontMetrics.height()));
        Cell cell{{}, font, table.cellColor(row, column).value_or(m_state.color), fontMetrics, lineHeight};
        const ColumnSpan& span = spans[column];
        const double textWidth = span.right - span.left - 2 * kCellPadding;
        if (span.right > span.left) {
            const QString text = table.cellText(row, column);
            const double room = pixels(textWidth);
            // Most cells are one short line: characters that add up to well inside
            // the column fit whatever kerning does, and need no shaping.
            const AsciiAdvances& advances = asciiAdvances(font, fontMetrics);
            const std::optional<double> estimate = asciiWidth(advances, text);
            if (estimate && *estimate * kSureFit <= room)
                cell.lines = QStringList{text};
            else
                cell.lines = wrapCell(text, fontMetrics, room, &advances);
            // A cell taller than a page keeps what one page holds.
            const int maxLines = std::max(1, int(printableHeight / lineHeight));
            if (cell.lines.size() > maxLines)
                cell.lines.resize(maxLines);
        }
        measured.height = std::max(measured.height, cell.lines.size() * lineHeight);
        emptyRowHeight = std::max(emptyRowHeight, lineHeight);
        measured.cells.push_back(std::move(cell));
    }
    // A row without text still takes one line.
    if (measured.height <= 0) {
        const QFontMetricsF fontMetrics = metrics(m_state.font);
        measured.height = emptyRowHeight > 0 ? emptyRowHeight : twips(fontMetrics.lineSpacing());
    }
    return measured;
}

void PageWalk::setRow(const Row& row, const std::vector<ColumnSpan>& spans)
{
    const bool drawing = !m_layingOut && m_state.page == m_output.page;
    for (int column = 0; drawing && column < int(spans.size()); ++column) {
        const Cell& cell = row.cells[column];
        const ColumnSpan& span = spans[column];
        const double ascent = twips(cell.metrics.ascent());
        const double above = (cell.lineHeight - twips(cell.metrics.ascent() + cell.metrics.descent())) / 2;
        for (int line = 0; line < cell.lines.size(); ++line) {
            const QString& text = cell.lines.at(line);
            const double width = twips(cell.metrics.horizontalAdvance(text));
            double x = span.left + kCellPadding;
            if (span.alignment == CellAlignment::Right)
                x = span.right - kCellPadding - width;
            else if (span.alignment == CellAlignment::Center)
                x = (span.left + span.right - width) / 2;
            const double baseline = m_state.y - line * cell.lineHeight - above - ascent;
            emitText(QPointF(x, baseline), text, cell.font, cell.color);
        }
    }
    m_state.y -= row.height;
}

QStringList PageWalk::wrapCell(const QString& text, const QFontMetricsF& fontMetrics, double width,
                               const AsciiAdvances* advances) const
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    const QString ellipsis = QStringLiteral("...");
    QString paragraphs = text;
    paragraphs.replace(QLatin1Char('\t'), kBlank);
    paragraphs.remove(QLatin1Char('\r'));
    for (const QString& paragraph : paragraphs.split(QLatin1Char('\n'))) {
        QString rest = paragraph;
        if (rest.isEmpty())
            lines.append(QString());
        while (!rest.isEmpty()) {
            const int fits = fittingLength(fontMetrics, rest, width, advances);
            if (fits == rest.size()) {
                lines.append(rest);
                break;
            }
            const qsizetype blank = rest.lastIndexOf(kBlank, fits);
            if (blank > 0) {
                lines.append(withoutTrailingBlanks(rest.left(blank)));
                rest = withoutLeadingBlanks(rest.mid(blank));
            } else if (blank == 0) {
                rest = withoutLeadingBlanks(rest);
            } else {
                // A word wider than its column is cut and marked as cut.
                const qsizetype wordEnd = rest.indexOf(kBlank);
                const QString word = wordEnd < 0 ? rest : rest.left(wordEnd);
                const int kept =
                    fittingLength(fontMetrics, word, width - fontMetrics.horizontalAdvance(ellipsis), advances);
                lines.append(word.left(kept) + ellipsis);
                rest = wordEnd < 0 ? QString() : withoutLeadingBlanks(rest.mid(wordEnd));
            }
        }
    }
    return lines;
}

void PageWalk::emitText(QPointF baseline, const QString& text, const QFont& font, const QColor& color)
{
    if (m_layingOut || m_state.page != m_output.page || !m_output.painter || text.isEmpty())
        return;
    QFont scaled = font;
    if (m_output.scale != 1.0 && font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * m_output.scale);
    m_output.painter->setFont(scaled);
    m_output.painter->setPen(color);
    // Text goes through the painter's own coordinates: under the flipped twips
    // mapping glyphs would be drawn upside down.
    m_output.painter->drawText(m_output.toDevice.map(baseline), text);
}

void PageWalk::emitLine(const QLineF& line, const QColor& color)
{
    if (m_layingOut || m_state.page != m_output.page || !m_output.painter)
        return;
    QPen pen(color);
    pen.setWidthF(kRuleWidth * std::abs(m_output.toDevice.m11()));
    m_output.painter->setPen(pen);
    m_output.painter->drawLine(m_output.toDevice.map(line));
}

const PageWalk::AsciiAdvances& PageWalk::asciiAdvances(const QFont& font, const QFontMetricsF& fontMetrics)
{
    auto known = std::find_if(m_asciiAdvances.begin(), m_asciiAdvances.end(),
                              [&font](const auto& entry) { return entry.first == font; });
    if (known == m_asciiAdvances.end()) {
        AsciiAdvances advances{};
        for (int c = 32; c < 127; ++c)
            advances[size_t(c)] = fontMetrics.horizontalAdvance(QChar(c));
        known = m_asciiAdvances.insert(m_asciiAdvances.end(), {font, advances});
    }
    return known->second;
}

std::optional<double> PageWalk::asciiWidth(const AsciiAdvances& advances, const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    double width = 0;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code < 32 || code >= 127)
            return std::nullopt;
        width += advances[size_t(code)];
    }
    return width;
}

QFontMetricsF PageWalk::metrics(const QFont& font)
{
    for (const auto& [known, fontMetrics] : m_metrics) {
        if (known == font)
            return fontMetrics;
    }
    m_metrics.emplace_back(font, QFontMetricsF(font, &m_measuringDevice));
    return m_metrics.back().second;
}
