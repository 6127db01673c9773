#pragma once

#include "core/common/RecordIds.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class ProjectDatabase;

// What a node of the navigation tree stands for. Each type has an image pair
// (normal, selected) in the tree's image list.
enum class NavigationNodeType
{
    Folder,      // images 0, 1
    Query,       // images 2, 3
    Report,      // images 4, 5
    QuickReport, // images 6, 7
};

// One node below the six folders (or a folder itself).
struct NavigationNode
{
    NavigationNodeType type = NavigationNodeType::Folder;
    QString caption;
    ListingKind kind = ListingKind::Vendors; // the folder it sits under
    int quickReportCode = -1;                // quick reports only

    int image() const { return 2 * static_cast<int>(type); }
    int selectedImage() const { return image() + 1; }
};

// A quick report offered under a folder, with the code the quick report view
// is given.
struct QuickReportEntry
{
    QString caption;
    int code = 0;
};

// Where a node sits: a folder index, and a child index or -1 for the folder.
struct NavigationRef
{
    int folder = -1;
    int child = -1;

    bool isValid() const { return folder >= 0; }
    friend bool operator==(const NavigationRef&, const NavigationRef&) = default;
};

// What selecting a node asks the right-hand pane to show.
struct PaneChoice
{
    enum class Mode
    {
        List,
        CustomReport,
        QuickReport,
    };
    Mode mode = Mode::List;
    ListingKind kind = ListingKind::Vendors;
    QString reportName;       // a custom report's name
    int quickReportCode = -1; // a quick report's code
    bool fromQuery = false;   // a stored query's node: the list is read through it

    friend bool operator==(const PaneChoice&, const PaneChoice&) = default;
};

// The content of the navigation tree, without its widget: the six folders of a
// project in list-kind order, under each its stored queries, custom reports
// and quick reports; which folders are expanded, the selected node, and the
// filter the selection puts on a list.
class NavigationTree
{
public:
    struct Folder
    {
        NavigationNode node;
        QList<NavigationNode> children;
        bool expanded = false;
    };

    NavigationTree();

    static QString folderCaption(ListingKind kind);
    static QString folderTable(ListingKind kind);
    static QList<QuickReportEntry> quickReportsOf(ListingKind kind);
    // The report view of "Customer Activity" (code 2) is reached from elsewhere:
    // it has no node of its own.
    static int quickReportCode(const QString& caption);

    // Fills the folders from the project's stored queries (`database` may be null)
    // and the report definitions in `reportPath` (none when the file is absent),
    // keeping the expanded folders and re-selecting the node whose caption was
    // selected. False when no node of that caption is left: the folder of the old
    // selection is selected instead.
    bool Rebuild(const ProjectDatabase* database, const QString& reportPath);
    // The same from names already known (queries per table SQL, reports per
    // table), for a tree without a project.
    bool Rebuild(const std::function<QStringList(ListingKind)>& queries,
                 const std::function<QStringList(ListingKind)>& reports);

    const std::array<Folder, kListingKindCount>& folders() const { return m_folders; }
    const NavigationNode* node(NavigationRef ref) const;
    // Folders first, then their children in tree order; invalid when none.
    NavigationRef findByCaption(const QString& caption) const;
    NavigationRef folderRef(ListingKind kind) const { return NavigationRef{static_cast<int>(kind), -1}; }

    bool isExpanded(ListingKind kind) const { return m_folders[index(kind)].expanded; }
    void setExpanded(ListingKind kind, bool expanded) { m_folders[index(kind)].expanded = expanded; }

    NavigationRef selected() const { return m_selected; }
    void select(NavigationRef ref);
    // The kind of the folder of the selected node; Vendors without a selection.
    ListingKind SelectedFolderKind() const;

    // Display All Records At Root.
    bool showAll() const { return m_showAll; }
    void setShowAll(bool on) { m_showAll = on; }

    // The filter the selected node puts on its list: a stored query's name, a
    // condition no record meets while folders show no records, else nothing.
    QString SelectionFilter() const;
    // A line for the empty list of a folder that shows no records only because
    // Display All Records At Root is off; empty otherwise.
    QString EmptyListHint() const;
    // What the pane shows for the selected node.
    PaneChoice selectedPane() const;
    PaneChoice paneFor(NavigationRef ref) const;

private:
    static size_t index(ListingKind kind) { return static_cast<size_t>(kind); }

    std::array<Folder, kListingKindCount> m_folders;
    NavigationRef m_selected;
    bool m_showAll = false;
};

// How the application starts: on a project named on its command line, else on
// the most recently used one when its file is still there, else by asking.
struct StartupChoice
{
    enum class Action
    {
        OpenCommandLine,
        OpenRecent,
        AskForProject,
    };
    Action action = Action::AskForProject;
    QString path;

    friend bool operator==(const StartupChoice&, const StartupChoice&) = default;
};
StartupChoice ChooseStartupProject(const QStringList& arguments, const QString& recentFile,
                                   const std::function<bool(const QString&)>& fileExists);

// The recently used projects after `path` was opened: it moves to the top, no
// entry twice, at most `limit` entries.
QStringList WithRecentFile(QStringList recent, const QString& path, int limit = 4);
