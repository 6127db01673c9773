#pragma once

#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/project/Statistic.h"
#include "core/stats/StatisticValue.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class CurrencyText;
class ProjectTables;

// Computes statistics over a project's records. Each of the five listings has a
// current record that statistics depending on a single record read; aggregates
// stream every record of their listing, each record's item joined in, and make
// each one current in turn. One evaluator is one look at the records: it keeps
// the aggregates it has computed, so make a new one once records have changed.
class StatisticEvaluator
{
public:
    StatisticEvaluator(ProjectTables& tables, const QList<CStatistic>& statistics,
                       const QLocale& locale = UserLocale());
    ~StatisticEvaluator();
    StatisticEvaluator(const StatisticEvaluator&) = delete;
    StatisticEvaluator& operator=(const StatisticEvaluator&) = delete;

    // Makes the record with this ID the listing's current record; false (and
    // no current record) when there is none.
    bool setCurrentRecord(qint32 listing, qint32 id);
    void clearCurrentRecord(qint32 listing);

    // The statistic's value with its own date criteria; nothing when it cannot
    // be evaluated. The statistic need not be one of the list. A value may refer
    // to a constant's text the evaluator keeps: take its text while the
    // evaluator exists.
    std::optional<StatisticValue> evaluate(const CStatistic& statistic);
    // The same with the date criteria a parent statistic imposes.
    std::optional<StatisticValue> evaluate(const CStatistic& statistic, const DateTime& start,
                                           const DateTime& thru);

    // Computes the aggregates these statistics of the list will need, those
    // over one listing together in a single read of it, and keeps them as
    // evaluating each alone would have found them: evaluating the statistics
    // afterwards reads no records for them. False when told to stop (or when
    // reading failed: evaluating then tries again one by one).
    bool prepare(const QList<const CStatistic*>& statistics);

    // Asked every few thousand records read: answering false stops the
    // evaluation under way, which then has no value, and stopped() tells why.
    // A stopped evaluation leaves nothing behind, so asking again computes
    // afresh.
    void setKeepGoing(std::function<bool()> keepGoing);
    bool stopped() const;

    QString text(const StatisticValue& value) const;
    const CurrencyText& currency() const;
    // What the database said when reading records failed; empty otherwise.
    QString lastError() const;

private:
    class Impl;
    std::unique_ptr<Impl> d;
};
