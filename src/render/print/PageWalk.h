#pragma once

#include "PrintCommand.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QList>
#include <QTransform>

#include <array>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

// One pass over the layout commands in twips. Laying out and drawing share it:
// layout walks everything, counting pages and remembering where each begins;
// drawing resumes at one page's beginning and paints only that page. Text is
// measured at one resolution for both, so a page always holds what layout put
// on it, whatever device it is drawn on.
class PageWalk
{
public:
    struct Page
    {
        int width = 0;
        int height = 0;
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
    };

    // Everything needed to go on from a point of the walk.
    struct State
    {
        // Where to go on: the command, and within it the text's character or the table's row.
        int command = 0;
        int offset = 0;
        // True when the walk stopped inside that command for a new page.
        bool midCommand = false;
        int page = 0;
        double x = 0;
        // The top of the current line.
        double y = 0;
        double lineHeight = 0;
        bool lineHasContent = false;
        QFont font;
        QColor color = Qt::black;
        quint8 paragraph = 0;
    };

    // Where drawing goes; positions map from twips to the painter's coordinates.
    struct Output
    {
        QPainter* painter = nullptr;
        QTransform toDevice;
        double scale = 1.0;
        int page = 0;
    };

    // The advance of each ASCII character in one font, in pixels.
    using AsciiAdvances = std::array<double, 128>;

    PageWalk(const QList<PrintCommand>& commands, const Page& page, const QList<int>& tabStops,
             int dotsPerInch);

    State startState(const QFont& font) const;

    // Walks on from `start`, the beginning of a page, recording where each page
    // begins: pageStarts() holds `start` and one state per later page. The walk
    // stops once it holds `pageLimit` of them, or at the end of the commands.
    void layout(const State& start, int pageLimit = std::numeric_limits<int>::max());
    const std::vector<State>& pageStarts() const { return m_pageStarts; }
    // Whether the last layout walked to the end of the commands.
    bool reachedEnd() const { return !m_stopped; }

    // Walks from the given page's start until that page ends, painting it.
    void draw(const State& pageStart, const Output& output);

private:
    struct Cell
    {
        QStringList lines;
        QFont font;
        QColor color;
        QFontMetricsF metrics;
        double lineHeight = 0;
    };
    struct Row
    {
        std::vector<Cell> cells;
        double height = 0;
    };
    struct ColumnSpan
    {
        double left = 0;
        double right = 0;
        CellAlignment alignment = CellAlignment::Left;
    };

    void run(const State& start);
    void setText(const QString& text, int from);
    bool setRun(const QString& text, int from, int end);
    void place(const QString& piece, int offset, const QFontMetricsF& metrics);
    void tab();
    void endLine();
    void newPage(int command, int offset, bool midCommand);

    void setTable(const PrintTable& table, int startRow, bool continuation);
    std::vector<ColumnSpan> columnSpans(const PrintTable& table) const;
    Row measureRow(const PrintTable& table, int row, const std::vector<ColumnSpan>& spans);
    void setRow(const Row& row, const std::vector<ColumnSpan>& spans);
    void continueTable(const PrintTable& table, int row, const std::vector<ColumnSpan>& spans);
    QStringList wrapCell(const QString& text, const QFontMetricsF& metrics, double width,
                         const AsciiAdvances* advances = nullptr) const;

    void emitText(QPointF baseline, const QString& text, const QFont& font, const QColor& color);
    void emitLine(const QLineF& line, const QColor& color);

    QFontMetricsF metrics(const QFont& font);
    const AsciiAdvances& asciiAdvances(const QFont& font, const QFontMetricsF& fontMetrics);
    // The width of an ASCII text of one line as its characters' advances add up,
    // without shaping it; nothing for any other text.
    static std::optional<double> asciiWidth(const AsciiAdvances& advances, const QString& text);
    double twips(double pixels) const { return pixels * m_twipsPerPixel; }
    double pixels(double twips) const { return twips / m_twipsPerPixel; }
    bool atLineStart() const { return m_state.x <= m_page.left; }
    double rightEdge() const { return m_page.width - m_page.right; }
    double spaceBelow() const { return m_state.y + m_page.height - m_page.bottom; }
    bool atPageTop() const { return m_state.y >= -m_page.top; }

    const QList<PrintCommand>& m_commands;
    const Page m_page;
    const QList<int>& m_tabStops;
    double m_twipsPerPixel = 1.0;
    // Metrics need a device; this one only lends its resolution.
    QImage m_measuringDevice;
    std::vector<std::pair<QFont, QFontMetricsF>> m_metrics;
    // The advance of each ASCII character, per font, for the width estimate of short cells.
    std::vector<std::pair<QFont, AsciiAdvances>> m_asciiAdvances;

    State m_state;
    int m_command = 0;
    bool m_stopped = false;
    bool m_layingOut = false;
    std::size_t m_pageLimit = 0;
    std::vector<State> m_pageStarts;
    Output m_output;
};
