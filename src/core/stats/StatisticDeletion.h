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

// Deletes a statistic with every statistic that depends on it, after the
// user's Yes, in one write of the settings file; each statistic goes by its
// name in that very letter case, so another whose name differs only in case
// stays. False when nothing was deleted (not found, No, or the settings
// file could not be written; the user has been told where that applies).
bool DeleteStatisticWithDependants(CProjectSettings& settings, Prompter& prompter, const QString& name);
