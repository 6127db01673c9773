#include "core/stats/StatisticIndex.h"

namespace {

bool ReadsNothing(qint32 type)
{
    return type == CStatistic::OperandConstant || type == CStatistic::OperandNone;
}

bool IsKnownType(qint32 type)
{
    return type >= CStatistic::OperandConstant && type <= CStatistic::OperandNone;
}

} // namespace

StatisticIndex::StatisticIndex(const QList<CStatistic>& statistics) : m_statistics(statistics)
{
    m_byName.reserve(statistics.size());
    // From the back, so the first of several statistics with one name wins.
    for (int i = static_cast<int>(statistics.size()) - 1; i >= 0; --i)
        m_byName.insert(statistics.at(i).Name, i);
}

qint32 StatisticIndex::leftTypeOf(const CStatistic& statistic)
{
    return CStatistic::IsOneOperand(statistic.Operator) ? CStatistic::OperandNone : statistic.LeftType;
}

bool StatisticIndex::referencesItselfOrMissing(const CStatistic& statistic) const
{
    QList<Mark> marks(m_statistics.size(), Mark::None);
    // The statistic itself stands outside the list: a definition being made
    // or changed is checked against the statistics as they are.
    const auto operandFails = [&](qint32 type, const QString& name) {
        if (type != CStatistic::OperandStatistic)
            return false;
        if (name == statistic.Name)
            return true;
        const int index = find(name);
        return index < 0 || loops(index, marks);
    };
    const auto fails = [&](const CStatistic& s) {
        return operandFails(leftTypeOf(s), s.LeftOperand) || operandFails(s.RightType, s.RightOperand);
    };
    if (fails(statistic))
        return true;
    // Every statistic reached has been walked by loops(); what remains is to
    // see whether any of them names the statistic or a missing one.
    for (int i = 0; i < marks.size(); ++i) {
        if (marks.at(i) == Mark::Done && fails(m_statistics.at(i)))
            return true;
    }
    return false;
}

// Walks the statistics reachable from `index`; true when the walk comes back
// to a statistic it has not finished.
bool StatisticIndex::loops(int index, QList<Mark>& marks) const
{
    if (marks.at(index) == Mark::Done)
        return false;
    if (marks.at(index) == Mark::Open)
        return true;
    marks[index] = Mark::Open;
    const CStatistic& s = m_statistics.at(index);
    const auto follow = [&](qint32 type, const QString& name) {
        if (type != CStatistic::OperandStatistic)
            return false;
        const int next = find(name);
        return next >= 0 && loops(next, marks);
    };
    if (follow(leftTypeOf(s), s.LeftOperand) || follow(s.RightType, s.RightOperand))
        return true;
    marks[index] = Mark::Done;
    return false;
}

std::optional<bool> StatisticIndex::rowIndependence(const CStatistic& statistic) const
{
    QList<int> path;
    return independence(statistic, path);
}

std::optional<bool> StatisticIndex::independenceAt(int index, QList<int>& path) const
{
    if (index < 0 || path.contains(index))
        return std::nullopt;
    const auto known = m_independence.constFind(index);
    if (known != m_independence.constEnd())
        return *known;
    path.append(index);
    const std::optional<bool> result = independence(m_statistics.at(index), path);
    path.removeLast();
    m_independence.insert(index, result);
    return result;
}

std::optional<bool> StatisticIndex::independence(const CStatistic& statistic, QList<int>& path) const
{
    const qint32 left = leftTypeOf(statistic);
    const qint32 right = statistic.RightType;
    if (!IsKnownType(left) || !IsKnownType(right) || (ReadsNothing(left) && ReadsNothing(right)))
        return std::nullopt;
    std::optional<bool> leftIndependent, rightIndependent;
    if (left == CStatistic::OperandStatistic) {
        leftIndependent = independenceAt(find(statistic.LeftOperand), path);
        if (!leftIndependent)
            return std::nullopt;
    }
    if (right == CStatistic::OperandStatistic) {
        rightIndependent = independenceAt(find(statistic.RightOperand), path);
        if (!rightIndependent)
            return std::nullopt;
    }
    // A record-dependent left statistic with nothing on the right makes no sense.
    if (leftIndependent == false && right == CStatistic::OperandNone)
        return std::nullopt;
    // An aggregate runs over every record, so no single record matters.
    if (CStatistic::IsAggregate(statistic.Operator))
        return true;
    // Otherwise the value depends on the record when any operand does.
    if (left == CStatistic::OperandField || right == CStatistic::OperandField)
        return false;
    return leftIndependent.value_or(true) && rightIndependent.value_or(true);
}
