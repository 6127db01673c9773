#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Where a cell's text sits in its column; the values are the stored alignment bytes.
enum class CellAlignment : quint8
{
    Left = 0,
    Center = 1,
    Right = 2,
};

// A grid of cells for the print layout engine: columns with a width in inches and
// an alignment, cells with a text and, when set, their own colour and font. Rows
// are never split across pages; the first heading rows can repeat on every page
// the table continues on.
class PrintTable
{
public:
    PrintTable(int rows, int columns);

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return int(m_columns.size()); }

    // Adds an empty row at the end and returns its index.
    int appendRow();

    void setColumn(int column, double widthInches, CellAlignment alignment = CellAlignment::Left);
    double columnWidth(int column) const;
    CellAlignment columnAlignment(int column) const;

    void setCellText(int row, int column, const QString& text);
    void setCellColor(int row, int column, QColor color);
    void setCellFont(int row, int column, const QFont& font);
    QString cellText(int row, int column) const;
    // Empty when the cell takes the colour or font in force where the table is set.
    std::optional<QColor> cellColor(int row, int column) const;
    std::optional<QFont> cellFont(int row, int column) const;

    // The first `rows` rows head the table and are set again at the top of each
    // page it continues on.
    void setHeaderRows(int rows);
    int headerRows() const { return m_headerRows; }

    // The texts of a table's body as its rows are set: `rows` more rows after
    // the ones the table has, whose cells `text` gives (row counted from the
    // first of them) in the font and colour in force. The table keeps none of
    // them, so a printout of any length holds only the row being set.
    using CellSource = std::function<QString(qsizetype row, int column)>;
    void appendSourcedRows(qsizetype rows, CellSource text);

private:
    struct Column
    {
        double widthInches = 1.0;
        CellAlignment alignment = CellAlignment::Left;
    };
    struct Cell
    {
        QString text;
        QRgb color = 0;
        // Index into m_fonts, or -1.
        qint16 font = -1;
        bool colorSet = false;
    };

    bool contains(int row, int column) const;
    bool sourced(int row) const { return m_source && row >= m_heldRows; }
    Cell& cell(int row, int column) { return m_cells[row * columnCount() + column]; }
    const Cell& cell(int row, int column) const { return m_cells[row * columnCount() + column]; }

    QList<Column> m_columns;
    QList<Cell> m_cells;
    // Cells share their fonts: a big table mostly uses one or two.
    QList<QFont> m_fonts;
    int m_rowCount = 0;
    int m_headerRows = 0;
    // Rows before this one are held in m_cells; the rest come from m_source.
    int m_heldRows = 0;
    CellSource m_source;
};
