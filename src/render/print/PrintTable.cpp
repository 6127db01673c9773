#include "PrintTable.h"

#include <algorithm>
#include <limits>

PrintTable::PrintTable(int rows, int columns) : m_columns(std::max(columns, 0)), m_rowCount(std::max(rows, 0))
{
    m_cells.resize(qsizetype(m_rowCount) * columnCount());
}

int PrintTable::appendRow()
{
    m_cells.resize(m_cells.size() + columnCount());
    return m_rowCount++;
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
    return row >= 0 && row < m_rowCount && column >= 0 && column < columnCount();
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
