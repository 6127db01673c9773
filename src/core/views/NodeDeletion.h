#pragma once

#include <QString>

class Clock;
class NavigationTree;
class ProjectDatabase;
class Prompter;

// Whether the selected node of the tree stands for something the user can
// delete from it: a stored query or a custom report.
bool SelectedNodeDeletable(const NavigationTree& tree);

// Deletes what the selected node stands for once the user says yes: the
// stored query kept in the project database, or the custom report of that name
// in the report file at `reportPath`. False when the node is neither, the user
// said no, or the deletion failed (the user is told why); nothing else changes.
bool DeleteSelectedNode(const NavigationTree& tree, ProjectDatabase& database, const QString& reportPath,
                        Prompter& prompter, const Clock& clock);
