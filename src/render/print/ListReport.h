#pragma once

#include "core/common/Money.h"
#include "core/views/ListDefinitions.h"

#include <QDate>
#include <QFont>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

class PrintLayout;
class UserSettings;

// One shown column of a list as the screen has it.
struct ListReportColumn
{
    QString title;
    // On-screen width in pixels; only its share of all the columns' widths counts.
    int width = 0;
    ColumnJustification justification = ColumnJustification::Left;
};

// What a printed list holds: its shown columns in display order and every row's
// cell texts in the same order, as the list shows them. The rows are either
// held, or read as they are printed from a source of `rowCount` rows, so that
// a list of any length prints without holding its rows.
struct ListReportContent
{
    QList<ListReportColumn> columns;
    QList<QStringList> rows;
    qsizetype rowCount = 0;
    std::function<QString(qsizetype row, int column)> cell;

    qsizetype size() const { return cell ? rowCount : rows.size(); }
    QString text(qsizetype row, int column) const
    {
        return cell ? cell(row, column) : rows.value(row).value(column);
    }
};

// The three fonts of a printed list: its title, its column headings and the
// rest. The print layout engine's own fonts unless the project says otherwise.
struct ListReportFonts
{
    QFont title;
    QFont heading;
    QFont body;

    static ListReportFonts defaults();
};

// Print margins in inches, read from the user's settings.
struct ListReportMargins
{
    static constexpr double kDefaultInches = 1.0;

    double left = kDefaultInches;
    double top = kDefaultInches;
    double right = kDefaultInches;
    double bottom = kDefaultInches;

    // A value that is not a number of inches of at least 0 reads as one inch.
    static ListReportMargins load(const UserSettings& settings);
};

// The "Quick Listing Report": a list printed as a title, the day's date and a
// table of its columns and rows, built as commands of the print layout engine.
class ListReport
{
public:
    static QString title();
    static QString dateLine(QDate today, const QLocale& locale = UserLocale());

    // Each column's width in inches: its share of `printableInches` is its share
    // of the columns' on-screen widths (equal shares when they add up to nothing).
    static QList<double> columnWidths(const QList<ListReportColumn>& columns, double printableInches);

    // Replaces the layout's content by the report and sets its margins; the page
    // size stays as the caller set it. The layout needs its window attached for
    // the fonts; a font it refuses leaves the text in the font before.
    static void build(PrintLayout& layout, const ListReportContent& content, const ListReportMargins& margins,
                      QDate today, const QLocale& locale = UserLocale(),
                      const ListReportFonts& fonts = ListReportFonts::defaults());
};
