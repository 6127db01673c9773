#pragma once

#include "core/common/ChangeList.h"
#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"
#include "core/records/ProjectCommands.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

#include <concepts>
#include <functional>
#include <map>
#include <memory>
#include <optional>

struct DesktopServices;
class Project;
class ProjectTables;
class RecordListView;
class RecordLists;
class QWidget;

// What a command's window is opened on.
struct WindowRequest
{
    ProjectTables& tables;
    const DesktopServices& services;
    QWidget* parent;
    // The record the command is about, NoSelection for none: the ID the command
    // layer routed (on the purchase-order list the order's number, as the list
    // shows it) and the selected row's record ID.
    qint32 id = NoSelection;
    qint32 recordId = NoSelection;
};

// What a window did, for the lists.
struct WindowOutcome
{
    // Every record created, changed or deleted, also when the window closed with
    // Cancel after "Next >>" saved some; within a kind the last is selected.
    ChangeList changes;
    // Kinds whose lists are read again whole (an import adds more rows than a
    // change list holds).
    QList<ListingKind> reload;
};

// A window a command opens: runs modally and answers what it changed.
using CommandWindow = std::function<WindowOutcome(const WindowRequest&)>;

// The model a factory of DialogWindow makes.
template <typename MakeModel>
using ModelMadeBy = typename std::invoke_result_t<MakeModel, const WindowRequest&>::element_type;

// The window of a dialog model that keeps the DialogModel contract, built from two
// factories: one makes the model for the request, the other the dialog over it.
// The model checks its prerequisites first (the dialog does not open when they
// fail), then the dialog runs, and the model's change list is the outcome:
//
//   registry.addWindow(Action::ModifyVendor,
//       DialogWindow([](const WindowRequest& r) {
//                        return std::make_unique<AddVendorModel>(r.tables, r.services.prompter, r.recordId);
//                    },
//                    [](AddVendorModel& model, const WindowRequest& r) {
//                        return std::make_unique<AddVendorDialog>(model, r.parent);
//                    }));
template <typename MakeModel, typename MakeDialog>
CommandWindow DialogWindow(MakeModel makeModel, MakeDialog makeDialog)
{
    static_assert(DialogModelContract<ModelMadeBy<MakeModel>>,
                  "the model must keep the DialogModel contract");
    return
        [makeModel = std::move(makeModel), makeDialog = std::move(makeDialog)](const WindowRequest& request) {
            WindowOutcome outcome;
            std::unique_ptr<ModelMadeBy<MakeModel>> model = makeModel(request);
            if (!model || !model->checkPrerequisites())
                return outcome;
            std::unique_ptr<QDialog> dialog = makeDialog(*model, request);
            dialog->exec();
            outcome.changes = model->changes();
            return outcome;
        };
}

// The one place that wires the main window's commands: each command number maps
// to a runner, and the registry answers whether it is available. A command with
// no runner is shown greyed.
//
// The record commands run in five steps: the command layer's checks
// (prerequisites, "list views only", "make a selection"), the filters suspended
// where the command layer says, the window, the change list handed to the lists'
// refresh, and the last changed record of the list shown selected.
class CommandRegistry : public QObject
{
    Q_OBJECT

public:
    using Action = CProjectCommands::Action;

    // The list commands the command layer routes to a window by the list showing.
    enum class Routed
    {
        InsertVendor,
        InsertItem,
        Modify,
        Delete,
        Details,
    };

    // How a window with a command of its own runs.
    struct WindowOptions
    {
        // Insert and the activities see every record of every table while they run.
        bool suspendFilters = true;
        // "This option is only valid for list views." unless a list is showing.
        bool requireList = false;
        // The command layer's command whose availability this one shares; none:
        // available while a project is open.
        std::optional<CProjectCommands::Command> enabledAs;
    };

    // `window` is the parent of the windows and of the progress shown while the
    // lists follow a change.
    CommandRegistry(Project& project, RecordLists& lists, const DesktopServices& services, QWidget* window);
    ~CommandRegistry() override;

    // A command run as it is. `enabled` says when it is available (none: always);
    // `checked` is the state of a checkable command after the click.
    void addCommand(int command, std::function<void(bool checked)> run, std::function<bool()> enabled = {});
    // A list command whose window the command layer chooses: it is available when
    // the command layer enables it and a window is registered for the action it
    // leads to on the list showing.
    void addRouted(int command, Routed routed);
    // The window behind an action of the command layer (Add Vendor, Modify Item,
    // Delete Customer, Vendor Details...).
    void addWindow(Action action, CommandWindow window);
    // A window with a command of its own (Insert Customer, the imports); available
    // while a project is open.
    void addWindow(int command, CommandWindow window, WindowOptions options);

    bool isRegistered(int command) const;
    bool isEnabled(int command) const;
    // Runs a command; a command that is not available does nothing.
    void run(int command, bool checked = false);

    // The list the right pane shows (null: none). The view tells the registry of
    // every change of its selection.
    void setListView(RecordListView* view);
    RecordListView* listView() const;
    // The command layer, kept in step with the open project, the list shown and
    // its selection.
    const CProjectCommands& commands();

    // Steps 4 and 5 for an outcome: the lists follow the change and the last
    // changed record of the list shown is selected. `deleted`: the records named
    // are gone, and the rows that referred to them are read again too.
    void followOutcome(const WindowOutcome& outcome, bool deleted);

Q_SIGNALS:
    // A command may have become available or unavailable: ask isEnabled again.
    void availabilityChanged();
    // Lists were marked for a whole reload; the one showing is read again.
    void reloadRequested();

private:
    struct Plain
    {
        std::function<void(bool)> run;
        std::function<bool()> enabled;
    };
    struct OwnWindow
    {
        CommandWindow window;
        WindowOptions options;
    };

    void syncCommandLayer() const;
    void selectionChanged();
    // The action a routed command leads to now, asking nothing; None when it is
    // not available.
    Action routedAction(Routed routed) const;
    CProjectCommands::Route route(Routed routed);
    void runRouted(Routed routed);
    void runOwnWindow(const OwnWindow& own);
    WindowRequest request(qint32 id);

    Project& m_project;
    RecordLists& m_lists;
    const DesktopServices& m_services;
    QWidget* m_window;
    // Kept in step with the window before every question.
    mutable CProjectCommands m_commands;
    QPointer<RecordListView> m_view;
    QMetaObject::Connection m_viewConnection;

    QHash<int, Plain> m_plain;
    QHash<int, Routed> m_routed;
    QHash<int, OwnWindow> m_own;
    std::map<Action, CommandWindow> m_windows;
};
