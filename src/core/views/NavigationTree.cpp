#include "core/views/NavigationTree.h"

#include "core/db/ProjectDatabase.h"
#include "core/reports/QueryFields.h"
#include "core/reports/QuerySql.h"
#include "core/reports/ReportColumns.h"
#include "core/reports/ReportFile.h"

#include <optional>
#include <utility>

namespace {

// A filter on ID that no record meets: a folder shows an empty list until the
// user asks for all records or picks a query.
const QString kNoRecordsFilter = QStringLiteral("%1 = 999999").arg(QStringLiteral("ID"));

ListingKind kindAt(int folder)
{
    return static_cast<ListingKind>(folder);
}

} // namespace

NavigationTree::NavigationTree()
{
    for (int i = 0; i < kListingKindCount; ++i) {
        Folder& folder = m_folders[static_cast<size_t>(i)];
        folder.node.type = NavigationNodeType::Folder;
        folder.node.kind = kindAt(i);
        folder.node.caption = folderCaption(kindAt(i));
    }
}

QString NavigationTree::folderCaption(ListingKind kind)
{
    switch (kind) {
    case ListingKind::Vendors:
        return QStringLiteral("Vendor Information");
    case ListingKind::Items:
        return QStringLiteral("Item Information");
    case ListingKind::PurchaseOrders:
        return QStringLiteral("Purchase Orders");
    case ListingKind::Invoices:
        return QStringLiteral("Invoices");
    case ListingKind::Customers:
        return QStringLiteral("Customers");
    case ListingKind::Stock:
        return QStringLiteral("Stock Register");
    }
    return QString();
}

QString NavigationTree::folderTable(ListingKind kind)
{
    return ListingTableName(kind);
}

QList<QuickReportEntry> NavigationTree::quickReportsOf(ListingKind kind)
{
    switch (kind) {
    case ListingKind::Vendors:
    case ListingKind::Items:
        return {};
    case ListingKind::PurchaseOrders:
        return {{QStringLiteral("Outstanding Orders"), 7}};
    case ListingKind::Invoices:
        return {{QStringLiteral("Invoice"), 0},
                {QStringLiteral("Invoice Balances"), 6},
                {QStringLiteral("Sale Quantities by Item"), 9},
                {QStringLiteral("Detailed Sales List"), 8}};
    case ListingKind::Customers:
        return {{QStringLiteral("Payments by Customer"), 3},
                {QStringLiteral("Customer Balances"), 5},
                {QStringLiteral("Sales to Customer"), 4}};
    case ListingKind::Stock:
        return {{QStringLiteral("Inventory Summary"), 10}};
    }
    return {};
}

int NavigationTree::quickReportCode(const QString& caption)
{
    if (caption == QLatin1String("Customer Activity"))
        return 2;
    for (int i = 0; i < kListingKindCount; ++i) {
        for (const QuickReportEntry& entry : quickReportsOf(kindAt(i))) {
            if (entry.caption == caption)
                return entry.code;
        }
    }
    return -1;
}

bool NavigationTree::Rebuild(const ProjectDatabase* database, const QString& reportPath)
{
    // Every stored query and the report file are read once, then shared out
    // among the folders.
    QList<std::pair<QString, QString>> querySql;
    if (database) {
        for (const QString& name : database->QueryDefNames()) {
            if (const std::optional<QString> sql = database->QueryDefSql(name))
                querySql.append({name, *sql});
        }
    }
    const QList<CReportDefinition> reports =
        reportPath.isEmpty() ? QList<CReportDefinition>() : ReportFile(reportPath).read().records;
    return Rebuild(
        [&querySql](ListingKind kind) {
            QStringList names;
            for (const auto& [name, sql] : querySql) {
                if (QueryBelongsToListing(sql, kind))
                    names.append(name);
            }
            return names;
        },
        [&reports](ListingKind kind) {
            QStringList names;
            for (const CReportDefinition& report : reports) {
                if (report.table == ReportTableName(kind))
                    names.append(report.name);
            }
            return names;
        });
}

bool NavigationTree::Rebuild(const std::function<QStringList(ListingKind)>& queries,
                             const std::function<QStringList(ListingKind)>& reports)
{
    const NavigationNode* old = node(m_selected);
    const QString selectedCaption = old ? old->caption : QString();
    const int oldFolder = m_selected.folder;

    for (int i = 0; i < kListingKindCount; ++i) {
        const ListingKind kind = kindAt(i);
        QList<NavigationNode>& children = m_folders[static_cast<size_t>(i)].children;
        children.clear();
        for (const QString& name : queries(kind))
            children.append(NavigationNode{NavigationNodeType::Query, name, kind, -1});
        for (const QString& name : reports(kind))
            children.append(NavigationNode{NavigationNodeType::Report, name, kind, -1});
        for (const QuickReportEntry& entry : quickReportsOf(kind))
            children.append(NavigationNode{NavigationNodeType::QuickReport, entry.caption, kind, entry.code});
    }

    m_selected = NavigationRef();
    if (selectedCaption.isEmpty())
        return true;
    const NavigationRef again = findByCaption(selectedCaption);
    if (again.isValid()) {
        m_selected = again;
        return true;
    }
    // A deleted query or report leaves its folder selected.
    m_selected = NavigationRef{oldFolder, -1};
    return false;
}

const NavigationNode* NavigationTree::node(NavigationRef ref) const
{
    if (ref.folder < 0 || ref.folder >= kListingKindCount)
        return nullptr;
    const Folder& folder = m_folders[static_cast<size_t>(ref.folder)];
    if (ref.child < 0)
        return &folder.node;
    return ref.child < folder.children.size() ? &folder.children.at(ref.child) : nullptr;
}

NavigationRef NavigationTree::findByCaption(const QString& caption) const
{
    for (int i = 0; i < kListingKindCount; ++i) {
        if (m_folders[static_cast<size_t>(i)].node.caption == caption)
            return NavigationRef{i, -1};
    }
    for (int i = 0; i < kListingKindCount; ++i) {
        const QList<NavigationNode>& children = m_folders[static_cast<size_t>(i)].children;
        for (int c = 0; c < children.size(); ++c) {
            if (children.at(c).caption == caption)
                return NavigationRef{i, c};
        }
    }
    return NavigationRef();
}

void NavigationTree::select(NavigationRef ref)
{
    m_selected = node(ref) ? ref : NavigationRef();
}

ListingKind NavigationTree::SelectedFolderKind() const
{
    return m_selected.isValid() ? kindAt(m_selected.folder) : ListingKind::Vendors;
}

QString NavigationTree::SelectionFilter() const
{
    const NavigationNode* selectedNode = node(m_selected);
    if (selectedNode && selectedNode->type == NavigationNodeType::Query)
        return selectedNode->caption;
    return m_showAll ? QString() : kNoRecordsFilter;
}

QString NavigationTree::EmptyListHint() const
{
    const NavigationNode* selectedNode = node(m_selected);
    if (m_showAll || (selectedNode && selectedNode->type == NavigationNodeType::Query))
        return QString();
    return QStringLiteral("Records are not shown at the root of a folder.  Choose Settings > Display All "
                          "Records At Root to show them all, or pick a query in the folder.");
}

PaneChoice NavigationTree::selectedPane() const
{
    return paneFor(m_selected);
}

PaneChoice NavigationTree::paneFor(NavigationRef ref) const
{
    PaneChoice choice;
    const NavigationNode* chosen = node(ref);
    if (!chosen)
        return choice;
    choice.kind = chosen->kind;
    switch (chosen->type) {
    case NavigationNodeType::Report:
        choice.mode = PaneChoice::Mode::CustomReport;
        choice.reportName = chosen->caption;
        break;
    case NavigationNodeType::QuickReport:
        choice.mode = PaneChoice::Mode::QuickReport;
        choice.quickReportCode = chosen->quickReportCode;
        break;
    case NavigationNodeType::Query:
        choice.fromQuery = true;
        break;
    case NavigationNodeType::Folder:
        break;
    }
    return choice;
}

StartupChoice ChooseStartupProject(const QStringList& arguments, const QString& recentFile,
                                   const std::function<bool(const QString&)>& fileExists)
{
    if (!arguments.isEmpty() && !arguments.constFirst().isEmpty())
        return StartupChoice{StartupChoice::Action::OpenCommandLine, arguments.constFirst()};
    if (!recentFile.isEmpty() && fileExists(recentFile))
        return StartupChoice{StartupChoice::Action::OpenRecent, recentFile};
    return StartupChoice{StartupChoice::Action::AskForProject, QString()};
}

QStringList WithRecentFile(QStringList recent, const QString& path, int limit)
{
    if (path.isEmpty())
        return recent;
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > limit)
        recent.removeLast();
    return recent;
}
