#include "ui/app/CommandRegistry.h"

#include "ui/app/ProgressWindow.h"
#include "ui/views/RecordListView.h"

#include "ui/common/DesktopServices.h"
#include "core/common/Prompter.h"
#include "core/project/Project.h"
#include "core/records/FilterSuspension.h"
#include "core/views/RecordLists.h"

namespace {

// Asks the command layer where a command leads without telling the user
// anything: used only where the command layer enables the command, so that its
// checks pass anyway.
class SilentPrompter final : public Prompter
{
public:
    void message(const QString&, const QString&, Icon) override {}
    bool askYesNo(const QString&, const QString&, Icon) override { return false; }
};

} // namespace

CommandRegistry::CommandRegistry(Project& project, RecordLists& lists, const DesktopServices& services,
                                 QWidget* window)
    : QObject(window), m_project(project), m_lists(lists), m_services(services), m_window(window)
{
}

CommandRegistry::~CommandRegistry() = default;

void CommandRegistry::addCommand(int command, std::function<void(bool)> run, std::function<bool()> enabled)
{
    m_plain.insert(command, Plain{std::move(run), std::move(enabled)});
}

void CommandRegistry::addRouted(int command, Routed routed)
{
    m_routed.insert(command, routed);
}

void CommandRegistry::addWindow(Action action, CommandWindow window)
{
    m_windows[action] = std::move(window);
    Q_EMIT availabilityChanged();
}

void CommandRegistry::addWindow(int command, CommandWindow window, WindowOptions options)
{
    m_own.insert(command, OwnWindow{std::move(window), options});
    Q_EMIT availabilityChanged();
}

bool CommandRegistry::isRegistered(int command) const
{
    return m_plain.contains(command) || m_routed.contains(command) || m_own.contains(command);
}

bool CommandRegistry::isEnabled(int command) const
{
    if (const auto plain = m_plain.constFind(command); plain != m_plain.cend())
        return !plain->enabled || plain->enabled();
    if (const auto own = m_own.constFind(command); own != m_own.cend()) {
        if (!m_project.isOpen())
            return false;
        if (!own->options.enabledAs)
            return true;
        syncCommandLayer();
        return m_commands.isEnabled(*own->options.enabledAs);
    }
    if (const auto routed = m_routed.constFind(command); routed != m_routed.cend())
        return routedAction(*routed) != Action::None;
    return false;
}

void CommandRegistry::run(int command, bool checked)
{
    if (!isEnabled(command))
        return;
    if (const auto plain = m_plain.constFind(command); plain != m_plain.cend()) {
        // A copy: the runner may register or replace commands.
        const std::function<void(bool)> runner = plain->run;
        runner(checked);
    } else if (const auto own = m_own.constFind(command); own != m_own.cend()) {
        const OwnWindow window = *own;
        runOwnWindow(window);
    } else if (const auto routed = m_routed.constFind(command); routed != m_routed.cend()) {
        runRouted(*routed);
    }
    Q_EMIT availabilityChanged();
}

void CommandRegistry::setListView(RecordListView* view)
{
    if (m_view == view)
        return;
    disconnect(m_viewConnection);
    m_view = view;
    if (view) {
        m_viewConnection =
            connect(view, &RecordListView::selectedRecordChanged, this, &CommandRegistry::selectionChanged);
    }
    Q_EMIT availabilityChanged();
}

RecordListView* CommandRegistry::listView() const
{
    return m_view;
}

void CommandRegistry::selectionChanged()
{
    Q_EMIT availabilityChanged();
}

const CProjectCommands& CommandRegistry::commands()
{
    syncCommandLayer();
    return m_commands;
}

void CommandRegistry::syncCommandLayer() const
{
    m_commands.setTables(m_project.tables());
    m_commands.setListKind(m_view ? static_cast<int>(m_view->kind()) : -1);
    m_commands.setSelectedID(m_view ? m_view->SelectedID() : NoSelection);
}

CProjectCommands::Route CommandRegistry::route(Routed routed)
{
    Prompter& prompter = m_services.prompter;
    switch (routed) {
    case Routed::InsertVendor:
        return m_commands.insertVendor();
    case Routed::InsertItem:
        return m_commands.insertItem();
    case Routed::Modify:
        return m_commands.modify(prompter);
    case Routed::Delete:
        return m_commands.deleteSelection(prompter);
    case Routed::Details:
        return m_commands.details(prompter);
    }
    return {};
}

CommandRegistry::Action CommandRegistry::routedAction(Routed routed) const
{
    syncCommandLayer();
    if (!m_project.isOpen())
        return Action::None;
    using Command = CProjectCommands::Command;
    Action action = Action::None;
    switch (routed) {
    case Routed::InsertVendor:
        action = m_commands.isEnabled(Command::NewVendor) ? Action::AddVendor : Action::None;
        break;
    case Routed::InsertItem:
        // Whether there are vendors is checked when the command runs.
        action = m_commands.isEnabled(Command::NewItem) ? Action::AddItem : Action::None;
        break;
    case Routed::Modify:
    case Routed::Delete:
    case Routed::Details: {
        const Command command = routed == Routed::Modify   ? Command::Modify
                                : routed == Routed::Delete ? Command::Delete
                                                           : Command::Details;
        if (!m_commands.isEnabled(command))
            return Action::None;
        // Enabled means a list with a selection: the route asks nothing.
        SilentPrompter silent;
        action = routed == Routed::Modify   ? m_commands.modify(silent).action
                 : routed == Routed::Delete ? m_commands.deleteSelection(silent).action
                                            : m_commands.details(silent).action;
        break;
    }
    }
    return m_windows.contains(action) ? action : Action::None;
}

WindowRequest CommandRegistry::request(qint32 id)
{
    return WindowRequest{*m_project.tables(), m_services, m_window, id,
                         m_view ? m_view->selectedRecordID() : NoSelection};
}

void CommandRegistry::runRouted(Routed routed)
{
    // 1. The command layer's checks, which tell the user why when they fail.
    syncCommandLayer();
    const CProjectCommands::Route where = route(routed);
    const auto window = m_windows.find(where.action);
    if (where.action == Action::None || window == m_windows.end() || !m_project.tables())
        return;
    // 2. Details only look; everything else sees every record while it runs,
    // Manage Purchase Orders too when Details on the purchase-order list opens it.
    std::unique_ptr<FilterSuspension> suspended;
    if (routed != Routed::Details || where.action == Action::ManagePurchaseOrders)
        suspended = m_commands.suspendFilters();
    // 3. The window.
    const CommandWindow run = window->second;
    const WindowOutcome outcome = run(request(where.id));
    suspended.reset();
    // 4 and 5.
    followOutcome(outcome, routed == Routed::Delete);
}

void CommandRegistry::runOwnWindow(const OwnWindow& own)
{
    syncCommandLayer();
    if (own.options.requireList && !m_commands.requireListView(m_services.prompter))
        return;
    if (!m_project.tables())
        return;
    std::unique_ptr<FilterSuspension> suspended;
    if (own.options.suspendFilters)
        suspended = m_commands.suspendFilters();
    const WindowOutcome outcome = own.window(request(m_commands.selectedID()));
    suspended.reset();
    followOutcome(outcome, false);
}

void CommandRegistry::followOutcome(const WindowOutcome& outcome, bool deleted)
{
    if (!outcome.changes.isEmpty()) {
        ProgressWindow progress(m_window);
        if (deleted) {
            for (int kind = 0; kind < kListingKindCount; ++kind) {
                const auto listing = static_cast<ListingKind>(kind);
                m_lists.RefreshAfterDelete(listing, outcome.changes.ids(listing), &progress);
            }
        } else {
            m_lists.RefreshChanges(outcome.changes, &progress);
        }
    }
    for (const ListingKind kind : outcome.reload)
        m_lists.markForReload(kind);
    if (!outcome.reload.isEmpty())
        Q_EMIT reloadRequested();

    // The last changed record of the list showing, when it is listed (a deleted
    // one is not).
    if (m_view) {
        const QList<qint32>& ids = outcome.changes.ids(m_view->kind());
        if (!ids.isEmpty())
            m_view->selectByRecordID(ids.constLast());
    }
}
