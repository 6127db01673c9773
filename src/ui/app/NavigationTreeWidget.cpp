#include "NavigationTreeWidget.h"

#include "core/views/NodeDeletion.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSignalBlocker>

namespace {

constexpr int kIconSize = 20;
constexpr int kFolderRole = Qt::UserRole + 1;
constexpr int kChildRole = Qt::UserRole + 2;

// A 20 x 20 picture per node type; the selected one of each pair is drawn
// brighter.
QPixmap drawNode(NavigationNodeType type, bool selected)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    switch (type) {
    case NavigationNodeType::Folder: {
        painter.setBrush(selected ? QColor(255, 230, 120) : QColor(220, 180, 60));
        QPainterPath folder;
        folder.moveTo(2, 5);
        folder.lineTo(8, 5);
        folder.lineTo(10, 7);
        folder.lineTo(18, 7);
        folder.lineTo(18, 16);
        folder.lineTo(2, 16);
        folder.closeSubpath();
        painter.drawPath(folder);
        break;
    }
    case NavigationNodeType::Query:
        painter.setBrush(selected ? QColor(170, 220, 255) : QColor(90, 150, 220));
        painter.drawEllipse(QRectF(3, 3, 10, 10));
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLine(QPointF(12, 12), QPointF(17, 17));
        break;
    case NavigationNodeType::Report:
        painter.setBrush(selected ? Qt::white : QColor(235, 235, 235));
        painter.drawRect(QRectF(4, 2, 12, 16));
        for (int y = 6; y <= 14; y += 3)
            painter.drawLine(QPointF(6, y), QPointF(14, y));
        break;
    case NavigationNodeType::QuickReport:
        painter.setBrush(selected ? QColor(160, 240, 160) : QColor(60, 170, 60));
        painter.drawRect(QRectF(4, 2, 12, 16));
        painter.setBrush(QColor(255, 220, 0));
        painter.drawPolygon(QPolygonF({QPointF(11, 4), QPointF(7, 11), QPointF(10, 11), QPointF(8, 16),
                                       QPointF(13, 9), QPointF(10, 9)}));
        break;
    }
    return pixmap;
}

} // namespace

NavigationTreeWidget::NavigationTreeWidget(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("navigationTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(kIconSize, kIconSize));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { onCurrentItemChanged(current); });
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (!m_filling && item->parent() == nullptr)
            m_tree.setExpanded(m_tree.node(refOf(item))->kind, true);
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (!m_filling && item->parent() == nullptr)
            m_tree.setExpanded(m_tree.node(refOf(item))->kind, false);
    });
    fill();
}

QIcon NavigationTreeWidget::nodeIcon(NavigationNodeType type)
{
    QIcon icon;
    icon.addPixmap(drawNode(type, false), QIcon::Normal);
    icon.addPixmap(drawNode(type, true), QIcon::Selected);
    return icon;
}

void NavigationTreeWidget::Rebuild(const ProjectDatabase* database, const QString& reportPath)
{
    m_tree.Rebuild(database, reportPath);
    fill();
    if (m_tree.selected().isValid())
        Q_EMIT paneRequested(m_tree.selectedPane());
}

void NavigationTreeWidget::fill()
{
    m_filling = true;
    const QSignalBlocker blocker(this);
    clear();
    const auto& folders = m_tree.folders();
    for (int f = 0; f < kListingKindCount; ++f) {
        const NavigationTree::Folder& folder = folders[static_cast<size_t>(f)];
        auto* folderItem = new QTreeWidgetItem(this, QStringList{folder.node.caption});
        folderItem->setIcon(0, nodeIcon(NavigationNodeType::Folder));
        folderItem->setData(0, kFolderRole, f);
        folderItem->setData(0, kChildRole, -1);
        for (int c = 0; c < folder.children.size(); ++c) {
            const NavigationNode& node = folder.children.at(c);
            auto* item = new QTreeWidgetItem(folderItem, QStringList{node.caption});
            item->setIcon(0, nodeIcon(node.type));
            item->setData(0, kFolderRole, f);
            item->setData(0, kChildRole, c);
        }
        folderItem->setExpanded(folder.expanded);
    }
    if (QTreeWidgetItem* current = itemAt(m_tree.selected()))
        setCurrentItem(current);
    m_filling = false;
}

QTreeWidgetItem* NavigationTreeWidget::itemAt(NavigationRef ref) const
{
    if (!ref.isValid() || ref.folder >= topLevelItemCount())
        return nullptr;
    QTreeWidgetItem* folder = topLevelItem(ref.folder);
    if (ref.child < 0)
        return folder;
    return ref.child < folder->childCount() ? folder->child(ref.child) : nullptr;
}

NavigationRef NavigationTreeWidget::refOf(const QTreeWidgetItem* item)
{
    if (!item)
        return NavigationRef();
    return NavigationRef{item->data(0, kFolderRole).toInt(), item->data(0, kChildRole).toInt()};
}

void NavigationTreeWidget::SelectFolder(ListingKind kind)
{
    QTreeWidgetItem* item = itemAt(m_tree.folderRef(kind));
    if (!item)
        return;
    if (currentItem() == item) {
        // Selecting the selected folder again still shows its list.
        onCurrentItemChanged(item);
    } else {
        setCurrentItem(item);
    }
    scrollToItem(item);
}

bool NavigationTreeWidget::selectCaption(const QString& caption)
{
    QTreeWidgetItem* item = itemAt(m_tree.findByCaption(caption));
    if (!item)
        return false;
    setCurrentItem(item);
    return true;
}

void NavigationTreeWidget::onCurrentItemChanged(QTreeWidgetItem* current)
{
    if (m_filling || !current)
        return;
    m_tree.select(refOf(current));
    Q_EMIT paneRequested(m_tree.selectedPane());
}

void NavigationTreeWidget::clearChoice()
{
    const QSignalBlocker blocker(this);
    setCurrentItem(nullptr);
    clearSelection();
    m_tree.select(NavigationRef());
}

void NavigationTreeWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier &&
        SelectedNodeDeletable(m_tree)) {
        Q_EMIT deleteRequested();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void NavigationTreeWidget::contextMenuEvent(QContextMenuEvent* event)
{
    QTreeWidgetItem* item = QTreeWidget::itemAt(event->pos());
    if (item == nullptr)
        return;
    setCurrentItem(item);
    if (!SelectedNodeDeletable(m_tree))
        return;
    QMenu menu(this);
    QAction* remove = menu.addAction(QStringLiteral("&Delete"));
    remove->setObjectName(QStringLiteral("deleteNodeAction"));
    if (menu.exec(event->globalPos()) == remove)
        Q_EMIT deleteRequested();
}
