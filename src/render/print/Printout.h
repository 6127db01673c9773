#pragma once

#include "PrintLayout.h"

#include <QPointF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QPaintDevice;

// A printout laid out for one paper: its pages, any one of which is drawn on
// any painter, so the screen, the printer and PDF files show the same pages.
// Lists and quick reports are laid out by the print layout engine; custom
// reports draw themselves.
class Printout
{
public:
    virtual ~Printout() = default;

    // Lays the printout out for paper of `paperInches`, measuring text at the
    // resolution of `device`: a PrintStatus code, and no pages unless Ok.
    virtual int layOut(QSizeF paperInches, const QPaintDevice& device) = 0;
    // All the pages, however far they must be laid out to count them.
    virtual int pageCount() const = 0;
    // Whether page `page` (from 1) exists, laying out no further than it must.
    virtual bool hasPage(int page) const { return page >= 1 && page <= pageCount(); }
    // Draws page `page` (from 1) without drawing the pages before it. On screen
    // the sheet gets its background; on a printer the painter's origin lies
    // `printerOffset` device pixels from the paper's top left corner.
    virtual int drawPage(QPainter& painter, int page, PrintLayout::Target target,
                         QPointF printerOffset = QPointF()) const = 0;
    // What to tell the user when the margins leave no room on paper named
    // `paperName`; empty when they leave room.
    virtual QString noRoomMessage(const QString& paperName) const = 0;
};

// A printout of the print layout engine: `build` fills the layout with its
// content once the paper is known.
class LayoutPrintout final : public Printout
{
public:
    explicit LayoutPrintout(std::function<void(PrintLayout&)> build) : m_build(std::move(build)) {}

    int layOut(QSizeF paperInches, const QPaintDevice& device) override;
    int pageCount() const override { return m_layout.PageCount(); }
    bool hasPage(int page) const override { return m_layout.HasPage(page); }
    int drawPage(QPainter& painter, int page, PrintLayout::Target target,
                 QPointF printerOffset = QPointF()) const override;
    QString noRoomMessage(const QString& paperName) const override
    {
        return m_layout.NoRoomMessage(paperName);
    }

    const PrintLayout& layout() const { return m_layout; }

private:
    std::function<void(PrintLayout&)> m_build;
    mutable PrintLayout m_layout;
};
