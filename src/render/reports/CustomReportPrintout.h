#pragma once

#include "core/common/UserSettings.h"
#include "core/reports/PurchaseOrderReports.h"
#include "core/reports/ReportContent.h"
#include "core/reports/ReportDefinition.h"
#include "render/print/ListReport.h"
#include "render/print/PrintJob.h"
#include "render/print/Printout.h"

#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

// A report that draws itself: a custom report, the printout of a purchase order
// or the history of purchase orders. Everything is placed in twips from the top
// left corner of the paper, y negative down the page. Laying out runs the whole
// report once and keeps what each page holds (a report's rows as runs of row
// numbers, not as drawn text), so any page is drawn on its own.
class ReportPrintout final : public Printout
{
public:
    enum class Mode
    {
        CustomReport,
        PurchaseOrder,
        History,
    };

    // What the printout shows; only the part of its mode is read.
    struct Source
    {
        Mode mode = Mode::CustomReport;
        // Titles, fonts, flags and column alignments: the custom report's own
        // definition, or the purchase-order settings record for the other two.
        CReportDefinition definition;
        // The custom report's list and statistics, or its error text.
        ReportContent content;
        PurchaseOrderPrintout purchaseOrder;
        PurchaseOrderHistory history;
        CompanyInfo company;
        ListReportMargins margins;
        QDate today;
        QLocale locale = UserLocale();
    };

    explicit ReportPrintout(Source source);

    int layOut(QSizeF paperInches, const QPaintDevice& device) override;
    int pageCount() const override { return int(m_pages.size()); }
    int drawPage(QPainter& painter, int page, PrintLayout::Target target,
                 QPointF printerOffset = QPointF()) const override;
    QString noRoomMessage(const QString& paperName) const override;

    // Where each laid-out column's text is anchored, in twips from the paper's
    // left edge; columns that did not fit are left out from the first of them.
    QList<double> columnAnchors() const;

    // Extra room between the company header and what follows it.
    static constexpr double kCompanyGap = 180;

private:
    enum FontSlot
    {
        TitleSlot = TitleFont,
        StatisticsTitleSlot = StatisticsTitleFont,
        BodySlot = BodyFont,
        CompanyNameSlot = CompanyNameFont,
        CompanyInfoSlot = CompanyInfoFont,
        ColumnHeadersSlot = ColumnHeadersFont,
    };
    // A text whose left end is known.
    struct Text
    {
        QPointF baseline;
        int font = BodySlot;
        QString text;
    };
    // A run of the custom report's rows on one page.
    struct Rows
    {
        int first = 0;
        int end = 0;
        // The first row's baseline.
        double top = 0;
        // Double rules under every row of the run but its last.
        bool ruled = false;
    };
    using Item = std::variant<Text, QLineF, QRectF, Rows>;
    struct Column
    {
        double anchor = 0;
        double rule = 0;
        int alignment = AlignLeft;
    };

    // The drawing routine, run once.
    void run();
    void companyHeader();
    void titleBlock();
    void purchaseOrderHeader();
    void layOutColumns();
    void customList();
    void purchaseOrderList();
    void listHeaders(const QStringList& headers);
    // Draws the rules under the table on this page, and its frame unless `empty`.
    void closeTable(double bottom, bool empty);
    void statisticsBlock(const QString& title, const QList<ReportStatisticLine>& lines);
    void history();
    void pageNumbers();

    // A line of `font` below the present one, on a new page when it would
    // cross the bottom inset; answers its baseline.
    double nextLine(int font);
    void newPage();
    void text(double x, double y, int font, const QString& text, int alignment = AlignLeft);
    void add(Item item, size_t page);
    // The text of a cell of the list, in row and column order.
    QString cell(int row, int column) const;
    int rowCount() const;
    void rule(double x1, double y1, double x2, double y2);
    void doubleRules(int count, double y);

    double height(int font) const { return m_metrics[size_t(font)]->height() * m_toTwips; }
    double ascent(int font) const { return m_metrics[size_t(font)]->ascent() * m_toTwips; }
    double descent(int font) const { return m_metrics[size_t(font)]->descent() * m_toTwips; }
    double width(int font, const QString& text) const;
    // The widest cell of a column of the list in the body font.
    double widestCell(int column) const;
    double bottomLimit() const { return m_pageHeight - m_margins.bottom; }
    double rightEdge() const { return m_pageWidth - m_margins.right; }

    Source m_source;
    std::array<QFont, ReportFontCount> m_fonts;
    std::array<std::optional<QFontMetricsF>, ReportFontCount> m_metrics;
    // Device pixels to twips while laying out, down and across.
    double m_toTwips = 1;
    double m_toTwipsX = 1;
    // In twips.
    double m_pageWidth = 0;
    double m_pageHeight = 0;
    struct
    {
        double left = 0, top = 0, right = 0, bottom = 0;
    } m_margins;
    // How far down the page the routine has come (positive down).
    double m_y = 0;
    // The top of the table on the page being laid out, and its row pitch.
    double m_tableTop = 0;
    double m_pitch = 0;
    std::vector<std::vector<Item>> m_pages;
    std::vector<Column> m_columns;
};

// The custom report of `content` (its error text alone when it has one), dated
// `today`.
PrintJob CustomReportJob(ReportContent content, const CompanyInfo& company, const ListReportMargins& margins,
                         QDate today);

// The printout of one purchase order in the fonts of `record` (the purchase-order
// settings record of the report file).
PrintJob PurchaseOrderJob(PurchaseOrderPrintout purchaseOrder, const CReportDefinition& record,
                          const CompanyInfo& company, const ListReportMargins& margins);

// The history of purchase orders in the fonts of `record`.
PrintJob PurchaseOrderHistoryJob(PurchaseOrderHistory history, const CReportDefinition& record,
                                 const CompanyInfo& company, const ListReportMargins& margins);
