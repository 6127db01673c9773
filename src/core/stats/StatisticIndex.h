#pragma once

#include "core/project/Statistic.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// A project's statistic list with its names looked up once, for the questions
// asked about how statistics refer to each other: whether a definition loops
// back on itself or names a statistic that does not exist, and whether its
// value depends on the current record of its listing.
class StatisticIndex
{
public:
    explicit StatisticIndex(const QList<CStatistic>& statistics);

    const QList<CStatistic>& statistics() const { return m_statistics; }
    // The first statistic of this name (letter case counts); -1 when none.
    int find(const QString& name) const { return m_byName.value(name, -1); }

    // True when the definition uses itself through any chain of statistic
    // operands, names a statistic that does not exist, or leads into a chain
    // that loops (which could never be evaluated either).
    bool referencesItselfOrMissing(const CStatistic& statistic) const;

    // Whether the value is the same whatever record of the listing is current
    // (an aggregate over the whole listing, or built from aggregates and
    // constants only). Nothing when the definition is malformed: no operand
    // that reads the listing, a missing statistic, or a loop.
    std::optional<bool> rowIndependence(const CStatistic& statistic) const;

    // The operand types that count: a one-operand operator ignores its left.
    static qint32 leftTypeOf(const CStatistic& statistic);

private:
    enum class Mark
    {
        None,
        Open,
        Done
    };
    bool loops(int index, QList<Mark>& marks) const;
    std::optional<bool> independence(const CStatistic& statistic, QList<int>& path) const;
    std::optional<bool> independenceAt(int index, QList<int>& path) const;

    QList<CStatistic> m_statistics;
    QHash<QString, int> m_byName;
    mutable QHash<int, std::optional<bool>> m_independence;
};
