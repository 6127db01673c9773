#pragma once

#include "core/common/DialogModel.h"

#include <QList>
#include <QString>
#include <QStringList>

class Prompter;

class ProjectTables;

// What a repair did: one line per figure it rewrote, in the words of the
// consistency report. `ok` false with `error` when it could not, and then
// nothing was written.
struct RepairReport
{
    bool ok = false;
    QString error;
    QStringList changes;
    // The records whose figures were rewritten.
    QList<qint32> itemIDs;
    QList<qint32> invoiceIDs;
};

// Rewrites the figures that are kept beside the records they follow from, all
// in one transaction: every item's Stocked and Ordered that differ from its
// lots and order lines, and the dues chain of every invoice whose first Due is
// not its sales total or whose later receivables do not follow from it. The
// records themselves (lots, lines, sales, payments) are never touched. A
// consistent project is not written at all.
RepairReport RepairProject(ProjectTables& tables);

// The "Check Project" dialog: the project's consistency report, and Repair when
// there is something a repair mends. The check runs on construction and again
// after a repair.
class CheckProjectModel final : public DialogModel
{
public:
    using Field = NoField;

    CheckProjectModel(ProjectTables& tables, Prompter& prompter);

    QString caption() const override;

    // What the check found, one line each; "The project is consistent." when
    // nothing. After a repair, what the repair changed comes first.
    QString reportText() const;
    bool isConsistent() const { return m_consistent; }
    // Figures to rewrite, and a file sound enough to write to.
    bool canRepair() const { return !m_consistent && m_readable; }

    // Repair, after the user confirms: backs the project up into its automatic
    // backups, rewrites the figures in one transaction and checks again. Refused when there is nothing to repair or the user
    // declines; a failed repair writes nothing and tells the user why.
    SaveResult<Field> save();

private:
    void check();

    ProjectTables& m_tables;
    Prompter& m_prompter;
    QStringList m_problems;
    QStringList m_repaired;
    bool m_consistent = false;
    bool m_readable = false;
};
