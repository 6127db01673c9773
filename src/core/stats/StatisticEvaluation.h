#pragma once

#include "core/common/DateTime.h"
#include "core/project/Statistic.h"

#include <QList>
#include <QString>

class ProjectTables;
class StatisticEvaluator;

// The questions the rest of the program asks about statistics.

// Evaluates a statistic: 1 with its text and kind, 0 when it cannot be
// evaluated. With overrideFlag set, the statistic's date criteria are replaced
// by the dates given, as a parent statistic with date criteria does; callers
// at the top level pass 0. Without an evaluator no listing has a current
// record, so only statistics over whole listings have a value.
int EvaluateStatistic(const CStatistic& statistic, ProjectTables& tables, const QList<CStatistic>& statistics,
                      QString& text, int& kind, int overrideFlag = 0,
                      const DateTime& overrideStart = DateTime::null(),
                      const DateTime& overrideThru = DateTime::null());
// The same through an evaluator, whose listings may have current records.
int EvaluateStatistic(const CStatistic& statistic, StatisticEvaluator& evaluator, QString& text, int& kind,
                      int overrideFlag = 0, const DateTime& overrideStart = DateTime::null(),
                      const DateTime& overrideThru = DateTime::null());

// False when the statistic is malformed (it is offered nowhere then); otherwise
// true with flag 1 when its value does not depend on the current record of its
// listing, 0 when it does.
bool IsRowIndependent(const CStatistic& statistic, const QList<CStatistic>& statistics, int& flag);

// True when the statistic uses itself through any chain of statistic operands,
// or uses a statistic name that does not exist.
bool ReferencesItselfOrMissing(const CStatistic& statistic, const QList<CStatistic>& statistics);
