#include "render/reports/CustomReportPrintout.h"

#include "render/print/PrintLayout.h"
#include "render/print/PrintStatus.h"
#include "render/print/TwipsTransform.h"
#include "render/reports/ReportFonts.h"

#include "core/common/DateTime.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

// Between a line of text and the rules, headers or frame around it.
constexpr double kGap = 45;
// Between one column's text and the next.
constexpr double kColumnGap = 180;
// A column's rule stands this far left of its text.
constexpr double kRuleOffset = 90;
// The title block's rules stand this far from the title.
constexpr double kTitleGap = 180;
// A statistic's value stands three inches right of its name.
constexpr double kValueOffset = 4320;
// Indent of the lines under a heading (ship-to address, order lines).
constexpr double kIndent = 360;
constexpr double kTwipsPerPoint = 20;
// The widest text of a column is measured exactly among this many candidates,
// picked by adding up character advances.
constexpr int kExactCandidates = 24;

// Fractions of the print area's width where the purchase order's six columns start.
constexpr std::array<double, 6> kPOColumnStarts = {0.0, 0.30, 0.50, 0.60, 0.75, 0.78};
constexpr std::array<int, 6> kPOColumnAlignments = {AlignLeft,  AlignLeft, AlignRight,
                                                    AlignRight, AlignLeft, AlignRight};
// The purchase-order record names five columns; the taxable flag has no header.
constexpr std::array<int, 5> kPOHeaderColumns = {0, 1, 2, 3, 5};

// Estimates text widths by adding up the advances of its characters, which
// ignores kerning: good for finding the widest texts, not for placing them.
class AdvanceSum
{
public:
    explicit AdvanceSum(const QFontMetricsF& metrics) : m_metrics(metrics) { m_latin.fill(-1); }

    double operator()(const QString& text)
    {
        double sum = 0;
        for (const QChar c : text) {
            const ushort code = c.unicode();
            if (code >= m_latin.size())
                return m_metrics.horizontalAdvance(text);
            double& advance = m_latin[code];
            if (advance < 0)
                advance = m_metrics.horizontalAdvance(c);
            sum += advance;
        }
        return sum;
    }

private:
    const QFontMetricsF& m_metrics;
    std::array<double, 256> m_latin{};
};

QStringList CompanyLines(const CompanyInfo& company)
{
    QStringList lines;
    for (const QString& address : {company.address1, company.address2, company.address3}) {
        if (!address.isEmpty())
            lines.append(address);
    }
    const std::array<std::pair<const char*, QString>, 4> contacts = {{{"Telephone: ", company.phone},
                                                                      {"Fax: ", company.fax},
                                                                      {"e-mail: ", company.email},
                                                                      {"web: ", company.web}}};
    for (const auto& [label, value] : contacts) {
        if (!value.isEmpty())
            lines.append(QLatin1String(label) + value);
    }
    return lines;
}

} // namespace

ReportPrintout::ReportPrintout(Source source) : m_source(std::move(source)) {}

int ReportPrintout::layOut(QSizeF paperInches, const QPaintDevice& device)
{
    m_pages.clear();
    m_columns.clear();
    if (device.logicalDpiX() <= 0 || device.logicalDpiY() <= 0)
        return PrintStatus::NoDevice;
    m_pageWidth = paperInches.width() * kTwipsPerInch;
    m_pageHeight = paperInches.height() * kTwipsPerInch;
    const ListReportMargins& margins = m_source.margins;
    m_margins = {std::trunc(margins.left * kTwipsPerInch), std::trunc(margins.top * kTwipsPerInch),
                 std::trunc(margins.right * kTwipsPerInch), std::trunc(margins.bottom * kTwipsPerInch)};
    if (!noRoomMessage(QString()).isEmpty())
        return PrintStatus::NoRoom;
    m_toTwips = kTwipsPerInch / device.logicalDpiY();
    m_toTwipsX = kTwipsPerInch / device.logicalDpiX();
    for (int slot = 0; slot < ReportFontCount; ++slot) {
        m_fonts[size_t(slot)] = ToQFont(m_source.definition.fonts[size_t(slot)]);
        m_metrics[size_t(slot)].emplace(m_fonts[size_t(slot)], &device);
    }
    run();
    return PrintStatus::Ok;
}

QString ReportPrintout::noRoomMessage(const QString& paperName) const
{
    PrintLayout layout;
    layout.SetPageSize(m_pageWidth / kTwipsPerInch, m_pageHeight / kTwipsPerInch);
    const ListReportMargins& margins = m_source.margins;
    layout.SetMargins(margins.left, margins.top, margins.right, margins.bottom);
    return layout.NoRoomMessage(paperName);
}

QList<double> ReportPrintout::columnAnchors() const
{
    QList<double> anchors;
    for (const Column& column : m_columns)
        anchors.append(column.anchor);
    return anchors;
}

double ReportPrintout::width(int font, const QString& text) const
{
    return m_metrics[size_t(font)]->horizontalAdvance(text) * m_toTwipsX;
}

QString ReportPrintout::cell(int row, int column) const
{
    if (m_source.mode == Mode::PurchaseOrder) {
        const QStringList& line = m_source.purchaseOrder.lines.at(row);
        return column < line.size() ? line.at(column) : QString();
    }
    const QList<ReportCell>& cells = m_source.content.rows.at(row).cells;
    return column < cells.size() ? cells.at(column).text : QString();
}

int ReportPrintout::rowCount() const
{
    return int(m_source.mode == Mode::PurchaseOrder ? m_source.purchaseOrder.lines.size()
                                                    : m_source.content.rows.size());
}

double ReportPrintout::widestCell(int column) const
{
    const QFontMetricsF& metrics = *m_metrics[BodySlot];
    AdvanceSum estimate(metrics);
    // The rows whose texts add up widest, measured exactly.
    std::vector<std::pair<double, int>> candidates;
    candidates.reserve(kExactCandidates + 1);
    const auto narrower = [](const auto& a, const auto& b) { return a.first > b.first; };
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row) {
        const double guess = estimate(cell(row, column));
        if (int(candidates.size()) == kExactCandidates && guess <= candidates.front().first)
            continue;
        candidates.emplace_back(guess, row);
        std::push_heap(candidates.begin(), candidates.end(), narrower);
        if (int(candidates.size()) > kExactCandidates) {
            std::pop_heap(candidates.begin(), candidates.end(), narrower);
            candidates.pop_back();
        }
    }
    double widest = 0;
    for (const auto& [guess, row] : candidates)
        widest = std::max(widest, metrics.horizontalAdvance(cell(row, column)));
    return widest * m_toTwipsX;
}

void ReportPrintout::add(Item item, size_t page)
{
    m_pages[page].push_back(std::move(item));
}

void ReportPrintout::text(double x, double y, int font, const QString& text, int alignment)
{
    if (text.isEmpty())
        return;
    if (alignment == AlignRight)
        x -= width(font, text);
    else if (alignment == AlignCenter)
        x -= width(font, text) / 2;
    add(Text{QPointF(x, y), font, text}, m_pages.size() - 1);
}

void ReportPrintout::rule(double x1, double y1, double x2, double y2)
{
    add(QLineF(x1, y1, x2, y2), m_pages.size() - 1);
}

void ReportPrintout::doubleRules(int count, double y)
{
    for (int i = 0; i < count; ++i)
        rule(m_margins.left, y + i, rightEdge(), y + i);
}

void ReportPrintout::newPage()
{
    m_pages.emplace_back();
    m_y = m_margins.top;
}

double ReportPrintout::nextLine(int font)
{
    if (m_y + height(font) > bottomLimit())
        newPage();
    m_y += height(font);
    return m_y;
}

void ReportPrintout::run()
{
    m_pages.assign(1, {});
    m_y = m_margins.top;
    const CReportDefinition& definition = m_source.definition;
    const QString error = m_source.mode == Mode::CustomReport    ? m_source.content.error
                          : m_source.mode == Mode::PurchaseOrder ? m_source.purchaseOrder.error
                                                                 : m_source.history.error;
    if (!error.isEmpty()) {
        text(m_margins.left, m_y + ascent(BodySlot), BodySlot, error);
        return;
    }
    if (definition.companyInformation)
        companyHeader();
    switch (m_source.mode) {
    case Mode::CustomReport:
        titleBlock();
        if (definition.showList)
            customList();
        break;
    case Mode::PurchaseOrder:
        purchaseOrderHeader();
        purchaseOrderList();
        break;
    case Mode::History:
        history();
        break;
    }
    if (m_source.mode == Mode::CustomReport)
        statisticsBlock(definition.statisticsTitle, m_source.content.statistics);
    else if (m_source.mode == Mode::PurchaseOrder)
        statisticsBlock(definition.statisticsTitle, m_source.purchaseOrder.totalLines);
    // Numbered once the count of pages is known.
    if (definition.pageNumbers)
        pageNumbers();
}

void ReportPrintout::companyHeader()
{
    const CompanyInfo& company = m_source.company;
    if (!company.company.isEmpty()) {
        m_y += height(CompanyNameSlot);
        text(m_margins.left, m_y, CompanyNameSlot, company.company);
    }
    for (const QString& line : CompanyLines(company)) {
        m_y += height(CompanyInfoSlot);
        text(m_margins.left, m_y, CompanyInfoSlot, line);
    }
    m_y += kCompanyGap;
}

void ReportPrintout::titleBlock()
{
    const CReportDefinition& definition = m_source.definition;
    doubleRules(2, m_y);
    m_y += kTitleGap;
    // The title's cell top, without its internal leading, sits under the rules.
    const double internalLeading =
        std::max(0.0, height(TitleSlot) - m_fonts[TitleSlot].pointSizeF() * kTwipsPerPoint);
    m_y += ascent(TitleSlot) - internalLeading;
    const double middle = (m_margins.left + rightEdge()) / 2;
    const int alignment = definition.titleAlignment;
    const double titleX = alignment == AlignLeft    ? m_margins.left
                          : alignment == AlignRight ? rightEdge()
                                                    : middle;
    text(titleX, m_y, TitleSlot, definition.title, alignment);
    const QString date = DateTime::fromDate(m_source.today).formatShortDate(m_source.locale);
    if (alignment == AlignRight)
        text(m_margins.left, m_y, BodySlot, date);
    else
        text(rightEdge(), m_y, BodySlot, date, AlignRight);
    m_y += kGap + descent(TitleSlot);
    doubleRules(2, m_y);
    m_y += 1;
}

void ReportPrintout::purchaseOrderHeader()
{
    const PurchaseOrderPrintout& po = m_source.purchaseOrder;
    doubleRules(2, m_y);
    m_y += kTitleGap + ascent(TitleSlot);
    text((m_margins.left + rightEdge()) / 2, m_y, TitleSlot, po.title, AlignCenter);
    m_y += kGap + descent(TitleSlot);
    doubleRules(2, m_y);
    m_y += 1 + kTitleGap;

    // Where the goods go: the company's own address.
    m_y += height(ColumnHeadersSlot);
    text(m_margins.left, m_y, ColumnHeadersSlot, QStringLiteral("Ship Order To:"));
    QStringList shipTo = CompanyLines(m_source.company);
    if (!m_source.company.company.isEmpty())
        shipTo.prepend(m_source.company.company);
    for (const QString& line : shipTo) {
        m_y += height(BodySlot);
        text(m_margins.left + kIndent, m_y, BodySlot, line);
    }
    m_y += kTitleGap;

    m_y += height(BodySlot);
    text(m_margins.left, m_y, BodySlot, po.dateLine);
    text((m_margins.left + rightEdge()) / 2, m_y, BodySlot, po.numberLine, AlignCenter);
    text(rightEdge(), m_y, BodySlot, po.vendorNumberLine, AlignRight);
    m_y += height(BodySlot);
    text(m_margins.left, m_y, BodySlot, po.requiredDateLine);
    m_y += height(BodySlot);
    text(m_margins.left, m_y, BodySlot, po.noteLine);
    m_y += kTitleGap;
}

void ReportPrintout::layOutColumns()
{
    const CReportDefinition& definition = m_source.definition;
    const QList<ReportColumn>& columns = m_source.content.columns;
    double x = m_margins.left + (definition.verticalLines || definition.horizontalLines ? kRuleOffset : 0);
    for (int index = 0; index < columns.size(); ++index) {
        const ReportColumn& column = columns.at(index);
        const double w = std::max(width(ColumnHeadersSlot, column.header), widestCell(index));
        // A column that would pass the right edge is left out, and so is every
        // column after it.
        if (x + w > rightEdge())
            break;
        const double anchor = column.alignment == AlignRight    ? x + w
                              : column.alignment == AlignCenter ? x + w / 2
                                                                : x;
        m_columns.push_back(Column{anchor, x - kRuleOffset, column.alignment});
        x += w + kColumnGap;
    }
}

void ReportPrintout::listHeaders(const QStringList& headers)
{
    m_tableTop = m_y;
    m_y += height(ColumnHeadersSlot);
    for (size_t column = 0; column < m_columns.size() && column < size_t(headers.size()); ++column)
        text(m_columns[column].anchor, m_y, ColumnHeadersSlot, headers.at(qsizetype(column)),
             m_columns[column].alignment);
    m_y += kGap;
    for (int i = 0; i < 6; ++i)
        rule(m_margins.left, m_y + i, rightEdge(), m_y + i);
    m_y += 5 + kGap;

    // Every row takes the height of the taller of the headers' and the body's
    // fonts and a little leading.
    m_pitch = std::max(height(ColumnHeadersSlot), height(BodySlot)) + kGap;
    m_y += m_pitch - kGap;

    const bool ruled = m_source.definition.horizontalLines != 0;
    const int rows = rowCount();
    int first = 0;
    double runTop = m_y;
    for (int row = 0; row < rows; ++row) {
        // The row that crosses the bottom inset stays on its page and closes it.
        if (m_y > bottomLimit()) {
            add(Rows{first, row + 1, runTop, ruled}, m_pages.size() - 1);
            closeTable(m_y + kGap, false);
            if (row + 1 == rows) {
                m_y += kGap;
                return;
            }
            newPage();
            m_tableTop = m_y;
            m_y += m_pitch;
            first = row + 1;
            runTop = m_y;
        } else if (row + 1 < rows) {
            m_y += m_pitch;
        }
    }
    if (rows > 0)
        add(Rows{first, rows, runTop, ruled}, m_pages.size() - 1);
    closeTable(m_y + kGap, rows == 0);
    m_y += kGap;
}

void ReportPrintout::closeTable(double bottom, bool empty)
{
    if (empty)
        return;
    const CReportDefinition& definition = m_source.definition;
    if (definition.verticalLines) {
        for (size_t column = 1; column < m_columns.size(); ++column) {
            const double x = m_columns[column].rule;
            rule(x, m_tableTop, x, bottom);
            rule(x + 1, m_tableTop, x + 1, bottom);
        }
    }
    if (definition.verticalLines || definition.horizontalLines) {
        const QRectF frame(QPointF(m_margins.left, m_tableTop), QPointF(rightEdge(), bottom));
        add(frame, m_pages.size() - 1);
        add(frame.adjusted(1, 1, -1, -1), m_pages.size() - 1);
    }
}

void ReportPrintout::customList()
{
    layOutColumns();
    QStringList headers;
    for (const ReportColumn& column : m_source.content.columns)
        headers.append(column.header);
    listHeaders(headers);
}

void ReportPrintout::purchaseOrderList()
{
    const double left = m_margins.left;
    const double w = rightEdge() - left;
    for (size_t column = 0; column < kPOColumnStarts.size(); ++column) {
        const double start = left + kPOColumnStarts[column] * w;
        const double end =
            column + 1 < kPOColumnStarts.size() ? left + kPOColumnStarts[column + 1] * w : rightEdge();
        const int alignment = kPOColumnAlignments[column];
        m_columns.push_back(
            Column{alignment == AlignRight ? end - kColumnGap : start, start - kRuleOffset, alignment});
    }
    QStringList headers(int(kPOColumnStarts.size()));
    const QList<ReportColumn>& named = m_source.definition.columns;
    for (size_t i = 0; i < kPOHeaderColumns.size() && i < size_t(named.size()); ++i)
        headers[kPOHeaderColumns[i]] = named.at(qsizetype(i)).header;
    listHeaders(headers);
}

void ReportPrintout::statisticsBlock(const QString& title, const QList<ReportStatisticLine>& lines)
{
    if (lines.isEmpty())
        return;
    const double line = height(BodySlot);
    if (m_y + height(StatisticsTitleSlot) > bottomLimit())
        newPage();
    else
        m_y += 2 * line;
    m_y += height(StatisticsTitleSlot);
    const int alignment = m_source.definition.statisticsTitleAlignment;
    const double x = alignment == AlignCenter  ? (m_margins.left + rightEdge()) / 2
                     : alignment == AlignRight ? rightEdge()
                                               : m_margins.left;
    text(x, m_y, StatisticsTitleSlot, title, alignment);
    m_y += 2 * kGap;
    for (const ReportStatisticLine& statistic : lines) {
        const double y = nextLine(BodySlot);
        text(m_margins.left, y, BodySlot, statistic.name);
        text(m_margins.left + kValueOffset, y, BodySlot, statistic.value);
    }
}

void ReportPrintout::history()
{
    const QList<PurchaseOrderHistoryEntry>& entries = m_source.history.purchaseOrders;
    for (qsizetype index = 0; index < entries.size(); ++index) {
        const PurchaseOrderHistoryEntry& entry = entries.at(index);
        if (index > 0)
            m_y += height(BodySlot);
        for (const QString& line : entry.header)
            text(m_margins.left, nextLine(ColumnHeadersSlot), ColumnHeadersSlot, line);
        for (const PurchaseOrderHistoryOrder& order : entry.orders) {
            text(m_margins.left + kIndent, nextLine(BodySlot), BodySlot, order.text);
            for (const QString& receipt : order.receipts)
                text(m_margins.left + 2 * kIndent, nextLine(BodySlot), BodySlot, receipt);
        }
    }
}

void ReportPrintout::pageNumbers()
{
    // Halfway down the bottom margin, where a printer reaches.
    const double y = m_pageHeight - m_margins.bottom / 2;
    const int total = pageCount();
    for (int page = 1; page <= total; ++page) {
        const QString number = QStringLiteral("Page %1/%2").arg(page).arg(total);
        add(Text{QPointF(rightEdge() - width(BodySlot, number), y), BodySlot, number}, size_t(page - 1));
    }
}

int ReportPrintout::drawPage(QPainter& painter, int page, PrintLayout::Target target,
                             QPointF printerOffset) const
{
    if (!painter.isActive() || !painter.device())
        return PrintStatus::NoDevice;
    if (page < 1 || page > pageCount())
        return PrintStatus::OutOfRange;
    QTransform toDevice = TwipsTransform(*painter.device());
    if (target == PrintLayout::Target::Printer)
        toDevice *= QTransform::fromTranslate(-printerOffset.x(), -printerOffset.y());
    // Positions run down the page; the twips mapping has y growing upward.
    const auto at = [&toDevice](double x, double y) { return toDevice.map(QPointF(x, -y)); };

    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setBrush(Qt::NoBrush);
    if (target == PrintLayout::Target::Screen) {
        const QRectF sheet(at(0, 0), at(m_pageWidth, m_pageHeight));
        painter.fillRect(sheet, Qt::white);
        painter.setPen(QPen(Qt::black, 0));
        painter.drawRect(sheet);
    }
    painter.setPen(QPen(Qt::black, 0));
    int font = -1;
    // Text is drawn in the painter's own coordinates: under the flipped twips
    // mapping glyphs would stand upside down.
    const auto draw = [&](int slot, double x, double y, const QString& text) {
        if (slot != font) {
            painter.setFont(m_fonts[size_t(slot)]);
            font = slot;
        }
        painter.drawText(at(x, y), text);
    };
    for (const Item& item : m_pages[size_t(page - 1)]) {
        if (const Text* t = std::get_if<Text>(&item)) {
            draw(t->font, t->baseline.x(), t->baseline.y(), t->text);
        } else if (const QLineF* line = std::get_if<QLineF>(&item)) {
            painter.drawLine(at(line->x1(), line->y1()), at(line->x2(), line->y2()));
        } else if (const QRectF* rect = std::get_if<QRectF>(&item)) {
            painter.drawRect(
                QRectF(at(rect->left(), rect->top()), at(rect->right(), rect->bottom())).normalized());
        } else if (const Rows* rows = std::get_if<Rows>(&item)) {
            // Under a row the rule runs through the middle of the gap to the next.
            const double ruleOffset = descent(BodySlot) + kGap / 2;
            for (int row = rows->first; row < rows->end; ++row) {
                const double y = rows->top + (row - rows->first) * m_pitch;
                for (size_t column = 0; column < m_columns.size(); ++column) {
                    const QString text = cell(row, int(column));
                    if (text.isEmpty())
                        continue;
                    const Column& c = m_columns[column];
                    double x = c.anchor;
                    if (c.alignment == AlignRight)
                        x -= width(BodySlot, text);
                    else if (c.alignment == AlignCenter)
                        x -= width(BodySlot, text) / 2;
                    draw(BodySlot, x, y, text);
                }
                if (rows->ruled && row + 1 < rows->end) {
                    const double ruleY = std::round(y + ruleOffset);
                    painter.drawLine(at(m_margins.left, ruleY), at(rightEdge(), ruleY));
                    painter.drawLine(at(m_margins.left, ruleY + 1), at(rightEdge(), ruleY + 1));
                }
            }
        }
    }
    painter.restore();
    return PrintStatus::Ok;
}

namespace {

PrintJob MakeJob(QString title, ReportPrintout::Source source)
{
    const ListReportMargins margins = source.margins;
    return PrintJob{std::move(title), margins, [source = std::move(source)]() -> std::unique_ptr<Printout> {
                        return std::make_unique<ReportPrintout>(source);
                    }};
}

} // namespace

PrintJob CustomReportJob(ReportContent content, const CompanyInfo& company, const ListReportMargins& margins,
                         QDate today)
{
    ReportPrintout::Source source;
    source.mode = ReportPrintout::Mode::CustomReport;
    source.definition = content.definition;
    source.content = std::move(content);
    source.company = company;
    source.margins = margins;
    source.today = today;
    const QString title =
        source.definition.title.isEmpty() ? source.definition.name : source.definition.title;
    return MakeJob(title, std::move(source));
}

PrintJob PurchaseOrderJob(PurchaseOrderPrintout purchaseOrder, const CReportDefinition& record,
                          const CompanyInfo& company, const ListReportMargins& margins)
{
    ReportPrintout::Source source;
    source.mode = ReportPrintout::Mode::PurchaseOrder;
    source.definition = record;
    const QString title = purchaseOrder.title;
    source.purchaseOrder = std::move(purchaseOrder);
    source.company = company;
    source.margins = margins;
    return MakeJob(title, std::move(source));
}

PrintJob PurchaseOrderHistoryJob(PurchaseOrderHistory history, const CReportDefinition& record,
                                 const CompanyInfo& company, const ListReportMargins& margins)
{
    ReportPrintout::Source source;
    source.mode = ReportPrintout::Mode::History;
    source.definition = record;
    source.history = std::move(history);
    source.company = company;
    source.margins = margins;
    return MakeJob(QStringLiteral("Purchase Order History"), std::move(source));
}
