#pragma once

#include <QStyledItemDelegate>

class ListColors;
class QFontMetrics;

// Draws the cells of a record list: the row's condition colour (its inverse on
// a selected row), the text 2 pixels in from the cell's edges, cut short with
// "..." where it would run into the next column.
class RecordListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    RecordListDelegate(const ListColors& colors, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The text as it fits in `width` pixels of a cell: whole when it fits in the
    // width less 4 pixels, otherwise as many of its first characters as fit
    // there together with "...".
    static QString elidedCellText(const QString& text, const QFontMetrics& metrics, int width);

    // The colour the row's text is drawn in, given its condition and whether it
    // is selected; invalid for the palette's own text colours.
    QColor conditionColor(int condition, bool selected) const;

private:
    const ListColors& m_colors;
};
