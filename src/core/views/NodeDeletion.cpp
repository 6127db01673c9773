#include "core/views/NodeDeletion.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/reports/ReportFile.h"
#include "core/views/NavigationTree.h"

bool SelectedNodeDeletable(const NavigationTree& tree)
{
    const NavigationNode* node = tree.node(tree.selected());
    return node != nullptr && (node->type == NavigationNodeType::Query || node->type == NavigationNodeType::Report);
}

bool DeleteSelectedNode(const NavigationTree& tree, ProjectDatabase& database, const QString& reportPath,
                        Prompter& prompter, const Clock& clock)
{
    if (!SelectedNodeDeletable(tree))
        return false;
    const NavigationNode& node = *tree.node(tree.selected());
    const bool query = node.type == NavigationNodeType::Query;
    const QString what = query ? QStringLiteral("stored query") : QStringLiteral("custom report");
    if (!prompter.askYesNo(QStringLiteral("Delete the %1 \"%2\"?").arg(what, node.caption), AppTitle(),
                           Prompter::Icon::Question))
        return false;
    if (query) {
        if (database.DeleteQueryDef(node.caption))
            return true;
    } else {
        switch (ReportFile(reportPath).remove(node.caption, prompter, clock)) {
        case ReportFile::SaveStatus::Saved:
            return true;
        case ReportFile::SaveStatus::Cancelled:
            return false;
        case ReportFile::SaveStatus::NameTaken:
        case ReportFile::SaveStatus::Failed:
            break;
        }
    }
    warn(prompter, QStringLiteral("The %1 \"%2\" could not be deleted.").arg(what, node.caption));
    return false;
}
