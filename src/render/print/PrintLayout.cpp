#include "PrintLayout.h"

#include "TwipsTransform.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int toTwips(double inches)
{
    return int(std::lround(inches * kTwipsPerInch));
}

// A length as the Print Margins dialog takes it: inches, two decimals.
QString inchesText(int twips)
{
    return QString::number(twips / kTwipsPerInch, 'f', 2) + QLatin1Char('"');
}

bool hasResolution(const QPaintDevice& device)
{
    return device.logicalDpiX() > 0 && device.logicalDpiY() > 0;
}

QFont namedFont(const QString& face, double points, QFont::Weight weight)
{
    QFont font(face);
    font.setPointSizeF(points);
    font.setWeight(weight);
    return font;
}

} // namespace

PrintLayout::PrintLayout() = default;

void PrintLayout::Reset()
{
    m_commands.clear();
    m_background = Qt::white;
    m_frameInset = 0;
    m_pageCount = 1;
    m_currentPage = 1;
    m_pageStarts.clear();
}

int PrintLayout::AttachWindow(const QPaintDevice* window)
{
    if (!window)
        return PrintStatus::NoWindow;
    m_window = window;
    if (hasResolution(*window) && window->logicalDpiY() != m_measureDpi) {
        m_measureDpi = window->logicalDpiY();
        // Pages measured at another resolution no longer hold.
        m_pageStarts.clear();
    }
    return PrintStatus::Ok;
}

int PrintLayout::SetPageSize(double widthInches, double heightInches)
{
    const double width = widthInches * kTwipsPerInch;
    const double height = heightInches * kTwipsPerInch;
    if (!(width > 0 && height > 0 && width <= kMaxTwips && height <= kMaxTwips))
        return PrintStatus::OutOfRange;
    m_pageWidth = toTwips(widthInches);
    m_pageHeight = toTwips(heightInches);
    m_pageStarts.clear();
    return PrintStatus::Ok;
}

int PrintLayout::SetMargins(double leftInches, double topInches, double rightInches, double bottomInches)
{
    m_marginLeft = toTwips(leftInches);
    m_marginTop = toTwips(topInches);
    m_marginRight = toTwips(rightInches);
    m_marginBottom = toTwips(bottomInches);
    m_pageStarts.clear();
    return PrintStatus::Ok;
}

int PrintLayout::SetZoom(int percent)
{
    if (percent <= 0 || qint64(m_pageHeight) * percent / 100 > kMaxTwips)
        return PrintStatus::OutOfRange;
    m_zoom = percent;
    return PrintStatus::Ok;
}

void PrintLayout::SetBackground(QColor color, double frameInsetInches)
{
    m_background = color;
    m_frameInset = toTwips(frameInsetInches);
}

int PrintLayout::AddFont(const QFont& font)
{
    if (const int status = windowStatus(); status != PrintStatus::Ok)
        return status;
    QFont added = font;
    if (added.pointSizeF() <= 0 && added.pixelSize() > 0)
        added.setPointSizeF(added.pixelSize() * 72.0 / m_window->logicalDpiY());
    if (added.family().isEmpty() || added.pointSizeF() <= 0)
        return PrintStatus::FontFailed;
    PrintCommand command;
    command.kind = PrintCommandKind::Font;
    command.font = added;
    append(std::move(command));
    return PrintStatus::Ok;
}

int PrintLayout::AddFont(const QString& face, double points)
{
    if (const int status = windowStatus(); status != PrintStatus::Ok)
        return status;
    if (face.isEmpty() || !(points > 0))
        return PrintStatus::FontFailed;
    QFont font(face);
    font.setPointSizeF(points);
    return AddFont(font);
}

void PrintLayout::AddColor(QColor color)
{
    PrintCommand command;
    command.kind = PrintCommandKind::Color;
    command.color = color;
    append(std::move(command));
}

void PrintLayout::AddText(const QString& text)
{
    PrintCommand command;
    command.kind = PrintCommandKind::Text;
    command.text = text;
    append(std::move(command));
}

void PrintLayout::AddParagraphFlag(quint8 flag)
{
    PrintCommand command;
    command.kind = PrintCommandKind::ParagraphFlag;
    command.flag = flag;
    append(std::move(command));
}

void PrintLayout::AddPageBreak()
{
    // The line in progress ends before the page does.
    AddText(QStringLiteral("\n"));
    PrintCommand command;
    command.kind = PrintCommandKind::PageBreak;
    append(std::move(command));
}

void PrintLayout::AddRule(QPoint from, QPoint to)
{
    PrintCommand command;
    command.kind = PrintCommandKind::Rule;
    command.rule = QLine(from, to);
    append(std::move(command));
}

void PrintLayout::AddTable(PrintTable table)
{
    PrintCommand command;
    command.kind = PrintCommandKind::Table;
    command.table = std::make_shared<const PrintTable>(std::move(table));
    append(std::move(command));
}

int PrintLayout::SetX(int x)
{
    if (x < 0 || x > m_pageWidth)
        return PrintStatus::OutOfRange;
    PrintCommand command;
    command.kind = PrintCommandKind::HorizontalPosition;
    command.position = x;
    append(std::move(command));
    return PrintStatus::Ok;
}

int PrintLayout::SetY(int y)
{
    if (y > 0 || y < -m_pageHeight)
        return PrintStatus::OutOfRange;
    AddText(QStringLiteral("\n"));
    PrintCommand command;
    command.kind = PrintCommandKind::VerticalPosition;
    command.position = y;
    append(std::move(command));
    return PrintStatus::Ok;
}

void PrintLayout::SetTabStops(const QList<int>& stops)
{
    m_tabStops.clear();
    for (const int stop : stops) {
        if (stop <= 0)
            break;
        m_tabStops.append(stop);
    }
    m_pageStarts.clear();
}

bool PrintLayout::HasRoom() const
{
    return printableWidth() >= kMinRoomTwips && printableHeight() >= kMinRoomTwips;
}

QString PrintLayout::NoRoomMessage(const QString& paperName) const
{
    const bool narrow = printableWidth() < kMinRoomTwips;
    const bool low = printableHeight() < kMinRoomTwips;
    if (!narrow && !low)
        return QString();
    QStringList margins;
    if (narrow)
        margins << QStringLiteral("left ") + inchesText(m_marginLeft)
                << QStringLiteral("right ") + inchesText(m_marginRight);
    if (low)
        margins << QStringLiteral("top ") + inchesText(m_marginTop)
                << QStringLiteral("bottom ") + inchesText(m_marginBottom);
    QString size;
    if (narrow && low)
        size = inchesText(m_pageWidth) + QStringLiteral(" by ") + inchesText(m_pageHeight);
    else if (narrow)
        size = inchesText(m_pageWidth) + QStringLiteral(" wide");
    else
        size = inchesText(m_pageHeight) + QStringLiteral(" high");
    const QString paper =
        paperName.isEmpty() ? QStringLiteral("this paper") : paperName + QStringLiteral(" paper");
    return QStringLiteral(
               "The margins (%1) leave no room to print on %2 (%3). Change them with File > Print Margins.")
        .arg(margins.join(QStringLiteral(", ")), paper, size);
}

int PrintLayout::Layout(const QPaintDevice* device)
{
    if (!m_window)
        return PrintStatus::NoWindow;
    const QPaintDevice& measuring = device ? *device : *m_window;
    if (!hasResolution(measuring))
        return PrintStatus::NoDevice;
    if (!HasRoom()) {
        m_pageStarts.clear();
        m_pageCount = 0;
        m_currentPage = 0;
        return PrintStatus::NoRoom;
    }
    m_measureDpi = measuring.logicalDpiY();
    const PageWalk walk(m_commands, page(), m_tabStops, m_measureDpi);
    m_pageStarts.assign(1, walk.startState(defaultBodyFont()));
    m_pageCount = 1;
    m_walkedToEnd = false;
    const int current = std::max(m_currentPage, 1);
    walkTo(current + 1);
    m_currentPage = std::min(current, m_pageCount);
    return PrintStatus::Ok;
}

bool PrintLayout::HasPage(int page) const
{
    walkTo(page);
    return page >= 1 && page <= m_pageCount;
}

int PrintLayout::PageCount() const
{
    walkTo(std::numeric_limits<int>::max());
    return m_pageCount;
}

void PrintLayout::walkTo(int pages) const
{
    // Without a layout of the present content there is nothing to walk on from.
    if (m_pageStarts.empty() || m_walkedToEnd || int(m_pageStarts.size()) >= pages)
        return;
    PageWalk walk(m_commands, page(), m_tabStops, m_measureDpi);
    // The last page known is walked again, from its start, to find the next.
    const int known = int(m_pageStarts.size());
    walk.layout(m_pageStarts.back(), pages - known + 1);
    const std::vector<PageWalk::State>& found = walk.pageStarts();
    m_pageStarts.insert(m_pageStarts.end(), found.begin() + 1, found.end());
    m_pageCount = int(m_pageStarts.size());
    m_walkedToEnd = walk.reachedEnd();
}

int PrintLayout::DrawPage(QPainter& painter, Target target, QPointF printerOffset) const
{
    if (!m_window)
        return PrintStatus::NoWindow;
    if (!painter.isActive() || !painter.device() || !hasResolution(*painter.device()))
        return PrintStatus::NoDevice;
    if (m_pageCount == 0 || !HasRoom())
        return PrintStatus::NoRoom;

    const bool screen = target == Target::Screen;
    const double scale = screen ? m_zoom / 100.0 : 1.0;
    QTransform toDevice = TwipsTransform(*painter.device()) * QTransform::fromScale(scale, scale);
    if (!screen)
        toDevice *= QTransform::fromTranslate(-printerOffset.x(), -printerOffset.y());

    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setBrush(Qt::NoBrush);
    if (screen) {
        const QRectF sheet(0, -m_pageHeight, m_pageWidth, m_pageHeight);
        painter.fillRect(toDevice.mapRect(sheet), m_background);
        painter.setPen(QPen(Qt::black, 0));
        const QRectF frame = sheet.adjusted(m_frameInset, m_frameInset, -m_frameInset, -m_frameInset);
        if (m_frameInset > 0 && frame.isValid())
            painter.drawRect(toDevice.mapRect(frame));
        painter.drawRect(toDevice.mapRect(sheet));
    }

    PageWalk walk(m_commands, page(), m_tabStops, m_measureDpi);
    const int index = m_currentPage - 1;
    // Without a layout of the present content the walk starts from the beginning
    // and passes over the earlier pages without drawing them.
    const PageWalk::State start =
        index < int(m_pageStarts.size()) ? m_pageStarts[index] : walk.startState(defaultBodyFont());
    walk.draw(start, PageWalk::Output{&painter, toDevice, scale, index});
    painter.restore();
    return PrintStatus::Ok;
}

int PrintLayout::SetCurrentPage(int page)
{
    walkTo(page);
    m_currentPage = m_pageCount > 0 ? std::clamp(page, 1, m_pageCount) : 0;
    return m_currentPage;
}

QFont PrintLayout::defaultTitleFont()
{
    return namedFont(QStringLiteral("Times New Roman"), 16, QFont::Bold);
}

QFont PrintLayout::defaultHeadingFont()
{
    return namedFont(QStringLiteral("Arial"), 10, QFont::Bold);
}

QFont PrintLayout::defaultBodyFont()
{
    return namedFont(QStringLiteral("Times New Roman"), 10, QFont::Normal);
}

int PrintLayout::windowStatus() const
{
    if (!m_window)
        return PrintStatus::NoWindow;
    return hasResolution(*m_window) ? PrintStatus::Ok : PrintStatus::NoDevice;
}

void PrintLayout::append(PrintCommand command)
{
    m_commands.append(std::move(command));
    m_pageStarts.clear();
}

int PrintLayout::printableWidth() const
{
    return m_pageWidth - m_marginLeft - m_marginRight;
}

int PrintLayout::printableHeight() const
{
    return m_pageHeight - m_marginTop - m_marginBottom;
}

PageWalk::Page PrintLayout::page() const
{
    return PageWalk::Page{m_pageWidth, m_pageHeight,  m_marginLeft,
                          m_marginTop, m_marginRight, m_marginBottom};
}
