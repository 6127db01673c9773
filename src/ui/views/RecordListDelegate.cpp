#include "RecordListDelegate.h"

#include "RecordListModel.h"
#include "core/views/ListColors.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace {

// Text starts this far in from the cell's edges.
constexpr int kMargin = 2;

} // namespace

RecordListDelegate::RecordListDelegate(const ListColors& colors, QObject* parent)
    : QStyledItemDelegate(parent), m_colors(colors)
{
}

QString RecordListDelegate::elidedCellText(const QString& text, const QFontMetrics& metrics, int width)
{
    const int room = width - 2 * kMargin;
    if (metrics.horizontalAdvance(text) <= room)
        return text;
    const QString dots = QStringLiteral("...");
    // The longest start of the text that fits with the dots: widths only grow
    // with length, so halving finds it in a few measurements.
    qsizetype fits = 0;
    qsizetype tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = fits + (tooLong - fits) / 2;
        if (metrics.horizontalAdvance(QStringView(text).left(middle) + dots) <= room)
            fits = middle;
        else
            tooLong = middle;
    }
    // Never split a character made of two UTF-16 units.
    if (fits > 0 && text.at(fits - 1).isHighSurrogate())
        --fits;
    return text.left(fits) + dots;
}

QColor RecordListDelegate::conditionColor(int condition, bool selected) const
{
    const auto rowCondition = static_cast<RowCondition>(condition);
    if (rowCondition == RowCondition::None)
        return QColor();
    const ListColor color = selected ? m_colors.color(rowCondition).inverse() : m_colors.color(rowCondition);
    return QColor(color.red, color.green, color.blue);
}

void RecordListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const bool selected = item.state.testFlag(QStyle::State_Selected);

    painter->save();
    painter->setClipRect(item.rect);
    painter->fillRect(item.rect, item.palette.brush(selected ? QPalette::Highlight : QPalette::Base));

    QColor text = conditionColor(index.data(RecordListModel::ConditionRole).toInt(), selected);
    if (!text.isValid())
        text = item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);

    if (item.rect.width() > 0) {
        const QFontMetrics metrics(item.font);
        const QRect room = item.rect.adjusted(kMargin, 0, -kMargin, 0);
        const Qt::Alignment alignment = (item.displayAlignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
        painter->setFont(item.font);
        painter->setPen(text);
        painter->drawText(room, static_cast<int>(alignment) | Qt::TextSingleLine,
                          elidedCellText(item.text, metrics, item.rect.width()));
    }

    if (item.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(item);
        focus.backgroundColor = item.palette.color(selected ? QPalette::Highlight : QPalette::Base);
        const QWidget* widget = item.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}
