#pragma once

#include "PageWalk.h"
#include "PrintCommand.h"
#include "PrintStatus.h"
#include "PrintTable.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QString>

#include <vector>

class QPaintDevice;
class QPainter;

// The print layout engine: list printouts and quick reports add fonts, colours,
// text, tables, rules and page breaks, the engine breaks them into numbered pages,
// and any one page is drawn onto any painter, so the screen, the printer and PDF
// files share one code path. Positions are twips (1440 an inch) from the page's
// top left corner, y negative down the page. Operations answer PrintStatus codes.
class PrintLayout
{
public:
    // Neither page side nor zoomed page height may pass this many twips.
    static constexpr int kMaxTwips = 32000;
    // The least room the margins must leave across and down the page: one line
    // of 10-point text with its leading, a sixth of an inch.
    static constexpr int kMinRoomTwips = 240;
    static constexpr quint8 kBodyParagraph = 0;
    static constexpr quint8 kTitleParagraph = 1;

    // On screen the page gets its background, frame and zoom; a printer gets neither.
    enum class Target
    {
        Screen,
        Printer,
    };

    PrintLayout();

    // Empties the content and the page walk; page size, margins, zoom and tab stops stay.
    void Reset();

    // The device text is measured against until Layout is given another; not owned.
    int AttachWindow(const QPaintDevice* window);
    int SetPageSize(double widthInches, double heightInches);
    int SetMargins(double leftInches, double topInches, double rightInches, double bottomInches);
    int SetZoom(int percent);
    void SetBackground(QColor color, double frameInsetInches);

    // A font sized in pixels is taken at the attached window's resolution.
    int AddFont(const QFont& font);
    int AddFont(const QString& face, double points);
    void AddColor(QColor color);
    void AddText(const QString& text);
    void AddParagraphFlag(quint8 flag);
    void AddPageBreak();
    void AddRule(QPoint from, QPoint to);
    void AddTable(PrintTable table);
    int SetX(int x);
    int SetY(int y);
    // Absolute x positions in twips; the list ends at the first one not above 0.
    void SetTabStops(const QList<int>& stops);

    // Whether the margins leave at least kMinRoomTwips across and down the page.
    bool HasRoom() const;
    // What to tell the user when they don't: the margins at fault, the page they
    // leave no room on (`paperName`, e.g. "Letter"; empty for an unnamed one) and
    // where to change them. Empty when there is room.
    QString NoRoomMessage(const QString& paperName) const;

    // Breaks the content into pages, measuring text at the resolution of `device`,
    // or of the attached window when none is given. Margins that leave no room
    // make no pages at all (NoRoom): a page without room would print nothing,
    // once for every line that could not be set.
    // The pages are walked as far as they are asked for: Layout walks the current
    // page and finds whether another follows; HasPage, SetCurrentPage and
    // PageCount walk on as far as they need, so the first page of a long
    // printout shows without measuring the rest.
    int Layout(const QPaintDevice* device = nullptr);
    // Whether page `page` (from 1) exists in the layout.
    bool HasPage(int page) const;
    // Draws the current page; NoRoom, drawing nothing, when there are no pages.
    // `printerOffset` is where the painter's origin lies from the paper's top
    // left corner, in device pixels, so that margins count from the paper's edge.
    int DrawPage(QPainter& painter, Target target = Target::Screen, QPointF printerOffset = QPointF()) const;

    // 0 after a layout refused for want of room. Walks the whole layout.
    int PageCount() const;
    int CurrentPage() const { return m_currentPage; }
    // Clamped to the pages there are; 0 when there are none.
    int SetCurrentPage(int page);

    int pageWidth() const { return m_pageWidth; }
    int pageHeight() const { return m_pageHeight; }
    int zoom() const { return m_zoom; }
    const QList<PrintCommand>& commands() const { return m_commands; }
    const QList<int>& tabStops() const { return m_tabStops; }

    // The fonts a printout uses when the user has chosen none.
    static QFont defaultTitleFont();
    static QFont defaultHeadingFont();
    static QFont defaultBodyFont();

private:
    int windowStatus() const;
    void append(PrintCommand command);
    int printableWidth() const;
    int printableHeight() const;
    PageWalk::Page page() const;
    // Walks the layout on until the starts of the first `pages` pages are known,
    // or to its end.
    void walkTo(int pages) const;

    int m_pageWidth = 12240;
    int m_pageHeight = 15840;
    int m_zoom = 100;
    QColor m_background = Qt::white;
    int m_frameInset = 0;
    int m_marginLeft = 0;
    int m_marginTop = 0;
    int m_marginRight = 0;
    int m_marginBottom = 0;
    const QPaintDevice* m_window = nullptr;
    QList<PrintCommand> m_commands;
    QList<int> m_tabStops;
    // The pages walked so far.
    mutable int m_pageCount = 1;
    int m_currentPage = 1;
    // The resolution of the last layout; drawing measures at the same one.
    int m_measureDpi = 96;
    // Where each page walked so far begins; empty when the content changed since Layout.
    mutable std::vector<PageWalk::State> m_pageStarts;
    mutable bool m_walkedToEnd = false;
};
