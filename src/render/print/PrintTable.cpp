#include "PrintTable.h"

#include <algorithm>
#include <limits>

PrintTable::PrintTable(int rows, int columns)
    : m_columns(std::max(columns, 0)), m_rowCount(std::max(rows, 0)), m_heldRows(m_rowCount)
{
    m_cells.resize(qsizetype(m_rowCount) * columnCount());
}

int PrintTable::appendRow()
{
    // Rows come after the sourced ones only by being sourced too.
    if (m_source)
        return -1;
    m_cells.resize(m_cells.size() + columnCount());
    ++m_heldRows;
    return m_rowCount++;
}

void PrintTable::appendSourcedRows(qsizetype rows, CellSource text)
{
    if (m_source || rows <= 0 || !text)
        return;
    m_source = std::move(text);
    m_rowCount = int(std::min<qsizetype>(m_heldRows + rows, std::numeric_limits<int>::max()));
}

void PrintTable::setColumn(int column, double widthInches, CellAlignment alignment)
{
    if (column < 0 || column >= columnCount())
        return;
    m_columns[column] = Column{std::max(widthInches, 0.0), alignment};
}

double PrintTable::columnWidth(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns[column].widthInches : 0.0;
}

CellAlignment PrintTable::columnAlignment(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns[column].alignment : CellAlignment::Left;
}

bool PrintTable::contains(int row, int column) const
{
    return row >= 0 && row < m_heldRows && column >= 0 && column < columnCount();
}

void PrintTable::setCellText(int row, int column, const QString& text)
{
    if (contains(row, column))
        cell(row, column).text = text;
}

void PrintTable::setCellColor(int row, int column, QColor color)
{
    if (!contains(row, column))
        return;
    Cell& target = cell(row, column);
    target.color = color.rgb();
    target.colorSet = true;
}

void PrintTable::setCellFont(int row, int column, const QFont& font)
{
    if (!contains(row, column))
        return;
    qsizetype index = m_fonts.indexOf(font);
    if (index < 0) {
        if (m_fonts.size() > std::numeric_limits<qint16>::max())
            return;
        m_fonts.append(font);
        index = m_fonts.size() - 1;
    }
    cell(row, column).font = qint16(index);
}

QString PrintTable::cellText(int row, int column) const
{
    if (sourced(row))
        return row < m_rowCount && column >= 0 && column < columnCount() ? m_source(row - m_heldRows, column)
                                                                        : QString();
    return contains(row, column) ? cell(row, column).text : QString();
}

std::optional<QColor> PrintTable::cellColor(int row, int column) const
{
    if (!contains(row, column) || !cell(row, column).colorSet)
        return std::nullopt;
    return QColor(cell(row, column).color);
}

std::optional<QFont> PrintTable::cellFont(int row, int column) const
{
    if (!contains(row, column) || cell(row, column).font < 0)
        return std::nullopt;
    return m_fonts[cell(row, column).font];
}

void PrintTable::setHeaderRows(int rows)
{
    m_headerRows = std::max(rows, 0);
}
