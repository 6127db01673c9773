#pragma once

#include "core/project/Statistic.h"

#include <QList>
#include <QString>
#include <QStringList>

class CProjectSettings;
class Prompter;

// The names deleting a statistic takes along: the name itself, then every
// statistic that uses a collected name, in the order they are found. A
// statistic reached along several paths is collected once per path; the
// collection stops at 500 names.
QStringList CollectStatisticDependants(const QList<CStatistic>& statistics, const QString& name);

// Deletes the statistic of exactly this name, even when another one's name
// differs from it only in letter case: Status::Success (also when there is no
// such statistic), or the status of the settings file that could not be written.
int DeleteStatisticExactly(CProjectSettings& settings, const QString& name);

// Deletes a statistic with every statistic that depends on it, after the
// user's Yes. False when nothing was deleted (not found, No, or the settings
// file could not be written; the user has been told where that applies).
bool DeleteStatisticWithDependants(CProjectSettings& settings, Prompter& prompter, const QString& name);
