#pragma once

#include "core/views/NavigationTree.h"

#include <QIcon>
#include <QTreeWidget>

#include <array>

class ProjectDatabase;

// The navigation tree on the left of the main window: the six folders with
// their queries, reports and quick reports. Its content and rules are the
// NavigationTree's; a change of selection is passed on as the pane to show.
class NavigationTreeWidget : public QTreeWidget
{
    Q_OBJECT

public:
    explicit NavigationTreeWidget(QWidget* parent = nullptr);

    NavigationTree& tree() { return m_tree; }
    const NavigationTree& tree() const { return m_tree; }

    // Reads the nodes again, keeping the expanded folders and the selected node,
    // then hands on the selection as a new selection would.
    void Rebuild(const ProjectDatabase* database, const QString& reportPath);
    // Selects and shows the folder of a kind.
    void SelectFolder(ListingKind kind);
    // Selects a node by its caption; false when there is none.
    bool selectCaption(const QString& caption);

    QTreeWidgetItem* itemAt(NavigationRef ref) const;
    // No node is chosen any more, without telling anyone: the next click on any
    // node, the one chosen before included, is a new choice.
    void clearChoice();

    // The image of a node type, normal or selected, 20 x 20.
    static QIcon nodeIcon(NavigationNodeType type);

Q_SIGNALS:
    void paneRequested(const PaneChoice& choice);
    // The user asked to delete the selected stored query or custom report
    // (Delete, or Delete on the node's pop-up).
    void deleteRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void fill();
    void onCurrentItemChanged(QTreeWidgetItem* current);
    static NavigationRef refOf(const QTreeWidgetItem* item);

    NavigationTree m_tree;
    bool m_filling = false;
};
