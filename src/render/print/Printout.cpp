#include "Printout.h"

#include "PrintStatus.h"

int LayoutPrintout::layOut(QSizeF paperInches, const QPaintDevice& device)
{
    // Paper the engine cannot address keeps the page size it had (US Letter).
    m_layout.SetPageSize(paperInches.width(), paperInches.height());
    if (const int status = m_layout.AttachWindow(&device); status != PrintStatus::Ok)
        return status;
    m_build(m_layout);
    return m_layout.Layout(&device);
}

int LayoutPrintout::drawPage(QPainter& painter, int page, PrintLayout::Target target, QPointF printerOffset) const
{
    m_layout.SetCurrentPage(page);
    return m_layout.DrawPage(painter, target, printerOffset);
}
