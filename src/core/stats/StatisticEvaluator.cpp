#include "core/stats/StatisticEvaluator.h"

#include "core/db/ProjectDatabase.h"
#include "core/db/TableReads.h"
#include "core/project/ProjectTables.h"
#include "core/stats/CurrencyText.h"
#include "core/stats/StatisticFields.h"
#include "core/stats/StatisticIndex.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr int kListingCount = 5;
constexpr int kMaxFields = 32;
// Records read between two questions whether to keep going.
constexpr quint32 kRecordsPerQuestion = 4096;

// The record a listing is on: the values of the fields read, its date and
// whether its item exists.
struct Row
{
    std::array<double, kMaxFields> values{};
    double date = 0.0;
    qint32 id = 0;
    bool dateNull = true;
    bool itemMissing = false;
    // Stands for every record outside the date range at once: each field
    // tested against the dates reads zero from it.
    bool outsideDates = false;
    // A read shared by several aggregates: for each of its date ranges, 1 when
    // the record lies in it.
    const double* inRange = nullptr;
};

// The date criteria in force: whole days, the thru day included.
struct Frame
{
    bool apply = false;
    double startDay = 0.0;
    double thruDay = 0.0;

    static Frame of(bool apply, const DateTime& start, const DateTime& thru)
    {
        if (!apply)
            return Frame{};
        return Frame{true, std::floor(start.days()), std::floor(thru.days())};
    }
    bool contains(const Row& row) const
    {
        return !row.dateNull && row.date >= startDay && row.date < thruDay + 1.0;
    }
};

struct Operand
{
    qint32 type = CStatistic::OperandNone;
    int field = -1; // a field of the listing
    int node = -1;  // a statistic
    StatisticValue constant;
};

// A statistic with its names and fields looked up once.
struct Node
{
    CStatistic def;
    int listing = -1; // position in StatisticListings()
    quint8 op = CStatistic::NoOperator;
    bool oneOperand = false;
    bool aggregate = false;
    bool invalid = false; // refers to itself or to a missing statistic
    Operand left, right;
    Frame own;

    bool derived = false;
    // Bit per listing: whose current record the value depends on.
    quint32 dependsOn = 0;
    // For aggregates, over everything the aggregated operand reaches: the
    // fields of this listing read, whether any statistic applies dates of its
    // own, and whether any is over Items (whose fields drop date criteria).
    quint64 columns = 0;
    bool datesWithin = false;
    bool itemsWithin = false;
};

struct MemoKey
{
    int node;
    bool apply;
    double startDay;
    double thruDay;
    friend bool operator==(const MemoKey&, const MemoKey&) = default;
};

size_t qHash(const MemoKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.node, key.apply ? 1 : 0, key.startDay, key.thruDay);
}

// The values an aggregate adds up. Amounts add up exactly for as long as every
// value is one; the sum of doubles stands for any other mix.
struct Sum
{
    double real = 0.0;
    Money exact;
    bool allAmounts = true;
    qint64 count = 0;

    void add(const StatisticValue& value)
    {
        real += value.number();
        if (allAmounts) {
            const std::optional<Money> amount = value.exactAmount();
            allAmounts = amount.has_value();
            if (amount)
                exact += *amount;
        }
        ++count;
    }
    std::optional<Money> amounts() const
    {
        return allAmounts && exact.isValid() ? std::optional<Money>(exact) : std::nullopt;
    }
};

// numerator ÷ denominator rounded to a whole number, halves away from zero;
// nothing when the divisor is zero or the result does not fit.
std::optional<qint64> DivideHalfAwayFromZero(__int128 numerator, __int128 denominator)
{
    if (denominator == 0)
        return std::nullopt;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const __int128 magnitude = numerator < 0 ? -numerator : numerator;
    __int128 rounded = magnitude / denominator;
    if ((magnitude % denominator) * 2 >= denominator)
        ++rounded;
    if (rounded > std::numeric_limits<qint64>::max())
        return std::nullopt;
    const qint64 count = static_cast<qint64>(rounded);
    return numerator < 0 ? -count : count;
}

// The six decimals of a number's "%lf" text, in millionths, for an amount
// divided by a whole number.
std::optional<qint64> QuotientMillionths(Money amount, qint64 divisor)
{
    return DivideHalfAwayFromZero(static_cast<__int128>(amount.tenThousandths()) * 100, divisor);
}

// a × b or a ÷ b of two amounts, exactly, kept to four decimals; invalid when
// it does not fit.
Money RoundedRatio(__int128 numerator, __int128 denominator)
{
    const std::optional<qint64> count = DivideHalfAwayFromZero(numerator, denominator);
    return count ? Money::fromTenThousandths(*count) : Money::invalid();
}

struct Memo
{
    bool ok = false;
    StatisticValue value;
};

// An aggregate under way: what it adds up and how far it has got.
struct Tally
{
    int node = -1;
    MemoKey key{};
    // The date criteria in force.
    Frame frame;
    // Only the records within the dates are added: for a field, the others are
    // no part of it; for a statistic, every one of them gives `outside`, which
    // adds nothing.
    bool withinOnly = false;
    StatisticValue outside;
    Sum sum;
    qint32 lastRead = 0;
    StatisticValue::Kind kind = StatisticValue::KindReal;
    bool failed = false;
    // In a shared read: which of its date ranges tells whether a record is within.
    int range = -1;

    const Frame* passed() const { return frame.apply ? &frame : nullptr; }
};

// What reading a listing for aggregates takes.
struct ReadNeeds
{
    quint64 columns = 0;
    bool withDate = false;
    bool withId = false;
};

bool IsWholeKind(FieldKind kind)
{
    return kind == FieldKind::Long || kind == FieldKind::Integer;
}

} // namespace

class StatisticEvaluator::Impl
{
public:
    Impl(ProjectTables& tables, const QList<CStatistic>& statistics, const QLocale& locale);

    bool setCurrentRecord(int listing, qint32 id);
    std::optional<StatisticValue> evaluateTop(const CStatistic& statistic, const Frame* dates);
    bool prepare(const QList<const CStatistic*>& statistics);

    ProjectDatabase& m_db;
    StatisticIndex m_index;
    CurrencyText m_currency;
    std::vector<Node> m_nodes;
    int m_listed = 0;            // nodes of the list; any after them are passing visitors
    std::deque<QString> m_texts; // constants' texts, which values refer to
    std::array<const Row*, kListingCount> m_current{};
    std::array<Row, kListingCount> m_loaded;
    QHash<MemoKey, Memo> m_memo;
    bool m_readOutsideDates = false;
    QString m_error;
    std::function<bool()> m_keepGoing;
    // The evaluation under way was told to stop: every read refuses from then on.
    bool m_stopped = false;

    StatisticValue m_zeroWhole, m_zeroReal, m_zeroBoolean, m_zeroCurrency;

private:
    Node compile(const CStatistic& statistic);
    Operand compileOperand(const Node& node, qint32 type, const QString& text);
    void derive(int index);
    void gather(int index, Node& aggregate, QList<bool>& seen);

    bool evaluate(int index, const Frame* dates, StatisticValue& out);
    bool evaluateBody(int index, Frame& frame, StatisticValue& out);
    bool operandValue(const Node& node, const Operand& operand, Frame& frame, StatisticValue& out);
    bool fieldValue(const Node& node, int field, Frame& frame, StatisticValue& out);
    bool convert(FieldKind kind, double stored, StatisticValue& out) const;
    bool zeroOf(FieldKind kind, StatisticValue& out) const;
    bool aggregate(int index, Frame& frame, StatisticValue& out);
    bool startAggregate(int index, const Frame& frame, Tally& tally);
    ReadNeeds needsOf(const Tally& tally) const;
    void addRecord(Tally& tally, const Row& row);
    bool finishAggregate(Tally& tally, StatisticValue& out);
    void gatherAggregates(int index, const Frame* dates, int depth, QHash<MemoKey, int>& found,
                          QSet<QPair<MemoKey, int>>& visited) const;
    bool computeTogether(int listing, std::vector<Tally>& tallies);
    bool aggregateResult(const Sum& sum, qint64 count, bool average, StatisticValue::Kind kind,
                         StatisticValue& out) const;
    bool combine(const Node& node, const StatisticValue& a, const StatisticValue& b,
                 StatisticValue& out) const;
    bool finiteReal(double value, StatisticValue& out) const;

    // Reads the records of a listing in ID order: the fields in `columns`,
    // the date and the ID when asked, only those within `range` when given, or
    // only the record `id` when it is not NoID.
    template <typename Fn>
    bool stream(int listing, quint64 columns, bool withDate, bool withId, const Frame* range, qint32 id,
                Fn&& fn, const QList<DayRange>& ranges = {});
    // The highest ID of a listing's table; nothing when it is empty or on failure
    // (`failed` tells which).
    std::optional<qint32> lastId(int listing, bool& failed);
    std::optional<qint64> recordCount(int listing);

    friend class StatisticEvaluator;
};

StatisticEvaluator::Impl::Impl(ProjectTables& tables, const QList<CStatistic>& statistics,
                               const QLocale& locale)
    : m_db(tables.database()), m_index(statistics), m_currency(locale)
{
    m_zeroWhole = StatisticValue::zeroText(StatisticValue::KindInteger, m_currency);
    m_zeroReal = StatisticValue::zeroText(StatisticValue::KindReal, m_currency);
    m_zeroBoolean = StatisticValue::zeroText(StatisticValue::KindBoolean, m_currency);
    m_zeroCurrency = StatisticValue::currency(Money(), m_currency).value_or(StatisticValue());

    m_nodes.reserve(statistics.size() + 1);
    for (const CStatistic& statistic : statistics)
        m_nodes.push_back(compile(statistic));
    m_listed = static_cast<int>(m_nodes.size());
    for (int i = 0; i < m_listed; ++i)
        derive(i);
}

Node StatisticEvaluator::Impl::compile(const CStatistic& statistic)
{
    Node node;
    node.def = statistic;
    node.listing = StatisticListingIndex(statistic.Listing);
    node.op = statistic.Operator;
    node.oneOperand = CStatistic::IsOneOperand(node.op);
    node.aggregate = CStatistic::IsAggregate(node.op);
    node.invalid = m_index.referencesItselfOrMissing(statistic);
    node.own = Frame::of(statistic.ApplyDates != 0, statistic.StartDate, statistic.ThruDate);
    node.left = compileOperand(node, StatisticIndex::leftTypeOf(statistic), statistic.LeftOperand);
    node.right = compileOperand(node, statistic.RightType, statistic.RightOperand);
    return node;
}

Operand StatisticEvaluator::Impl::compileOperand(const Node& node, qint32 type, const QString& text)
{
    Operand operand;
    operand.type = type;
    if (type == CStatistic::OperandConstant) {
        m_texts.push_back(text);
        operand.constant = StatisticValue::fromText(m_texts.back(), StatisticValue::KindReal, m_currency);
    } else if (type == CStatistic::OperandField && node.listing >= 0) {
        operand.field = StatisticListings().at(node.listing).fieldIndex(text);
        if (operand.field >= kMaxFields)
            operand.field = -1;
    } else if (type == CStatistic::OperandStatistic) {
        operand.node = m_index.find(text);
    }
    return operand;
}

// Works out which current records a statistic depends on and, for an
// aggregate, what its records must be read with. A valid statistic reaches no
// loop, so the recursion ends.
void StatisticEvaluator::Impl::derive(int index)
{
    Node& node = m_nodes[index];
    if (node.derived)
        return;
    node.derived = true;
    if (node.invalid || node.listing < 0)
        return;
    const quint32 own = 1u << node.listing;
    quint32 depends = 0;
    for (const Operand* operand : {&node.left, &node.right}) {
        if (operand->type == CStatistic::OperandField && !node.aggregate)
            depends |= own;
        if (operand->type == CStatistic::OperandStatistic && operand->node >= 0) {
            derive(operand->node);
            const quint32 inner = m_nodes[operand->node].dependsOn;
            depends |= node.aggregate ? (inner & ~own) : inner;
        }
    }
    node.dependsOn = depends;
    if (node.aggregate) {
        QList<bool> seen(static_cast<qsizetype>(m_nodes.size()), false);
        if (node.right.type == CStatistic::OperandField && node.right.field >= 0)
            node.columns |= quint64(1) << node.right.field;
        if (node.right.type == CStatistic::OperandStatistic && node.right.node >= 0)
            gather(node.right.node, node, seen);
    }
}

void StatisticEvaluator::Impl::gather(int index, Node& aggregate, QList<bool>& seen)
{
    if (index >= seen.size() || seen.at(index))
        return;
    seen[index] = true;
    const Node& node = m_nodes[index];
    aggregate.datesWithin = aggregate.datesWithin || node.def.ApplyDates != 0;
    aggregate.itemsWithin = aggregate.itemsWithin || node.def.Listing == CStatistic::ListingItems;
    for (const Operand* operand : {&node.left, &node.right}) {
        if (operand->type == CStatistic::OperandField && operand->field >= 0 &&
            node.listing == aggregate.listing)
            aggregate.columns |= quint64(1) << operand->field;
        if (operand->type == CStatistic::OperandStatistic && operand->node >= 0)
            gather(operand->node, aggregate, seen);
    }
}

std::optional<StatisticValue> StatisticEvaluator::Impl::evaluateTop(const CStatistic& statistic,
                                                                    const Frame* dates)
{
    m_stopped = false;
    int index = m_index.find(statistic.Name);
    const bool listed = index >= 0 && m_nodes[index].def == statistic;
    if (!listed) {
        // A statistic outside the list (one being defined): compiled for this
        // evaluation only, and never remembered.
        m_nodes.push_back(compile(statistic));
        index = static_cast<int>(m_nodes.size()) - 1;
        derive(index);
    }
    StatisticValue value;
    const bool ok = evaluate(index, dates, value);
    if (!listed)
        m_nodes.pop_back();
    if (!ok)
        return std::nullopt;
    return value;
}

bool StatisticEvaluator::Impl::evaluate(int index, const Frame* dates, StatisticValue& out)
{
    const Node& node = m_nodes[index];
    if (node.invalid || node.listing < 0)
        return false;
    // A parent's date criteria replace the statistic's own while it is evaluated.
    Frame frame = dates ? *dates : node.own;
    const bool remember = node.dependsOn == 0 && index < m_listed;
    const MemoKey key{index, frame.apply, frame.startDay, frame.thruDay};
    if (remember) {
        const auto known = m_memo.constFind(key);
        if (known != m_memo.constEnd()) {
            out = known->value;
            return known->ok;
        }
    }
    const bool ok = evaluateBody(index, frame, out);
    // A stopped evaluation failed for no fault of the statistic's.
    if (remember && !m_stopped)
        m_memo.insert(key, Memo{ok, out});
    return ok;
}

bool StatisticEvaluator::Impl::evaluateBody(int index, Frame& frame, StatisticValue& out)
{
    const Node& node = m_nodes[index];
    StatisticValue left, right;
    if (!node.oneOperand && !operandValue(node, node.left, frame, left))
        return false;
    bool ok = false;
    if (node.aggregate &&
        (node.right.type == CStatistic::OperandField || node.right.type == CStatistic::OperandStatistic))
        ok = aggregate(index, frame, right);
    else
        ok = operandValue(node, node.right, frame, right);
    return ok && combine(node, left, right, out);
}

bool StatisticEvaluator::Impl::operandValue(const Node& node, const Operand& operand, Frame& frame,
                                            StatisticValue& out)
{
    switch (operand.type) {
    case CStatistic::OperandConstant:
        out = operand.constant;
        return true;
    case CStatistic::OperandField:
        return fieldValue(node, operand.field, frame, out);
    case CStatistic::OperandStatistic:
        // The statistic passes its date criteria on only while it applies them.
        return operand.node >= 0 && evaluate(operand.node, frame.apply ? &frame : nullptr, out);
    case CStatistic::OperandNone:
        out = StatisticValue();
        return true;
    default:
        return false;
    }
}

bool StatisticEvaluator::Impl::fieldValue(const Node& node, int field, Frame& frame, StatisticValue& out)
{
    const Row* row = m_current[node.listing];
    if (field < 0 || !row)
        return false;
    const StatisticListing& listing = StatisticListings().at(node.listing);
    const StatisticField& def = listing.fields.at(field);
    // Items have no date: their statistics drop the criteria.
    if (frame.apply && listing.dateField.isEmpty())
        frame.apply = false;
    if (frame.apply && (row->outsideDates || !frame.contains(*row)))
        return zeroOf(def.kind, out);
    if (row->outsideDates) {
        m_readOutsideDates = true;
        return false;
    }
    if (def.fromItem && row->itemMissing)
        return false;
    return convert(def.kind, row->values[field], out);
}

bool StatisticEvaluator::Impl::convert(FieldKind kind, double stored, StatisticValue& out) const
{
    if (!std::isfinite(stored))
        return false;
    switch (kind) {
    case FieldKind::Long:
    case FieldKind::Integer:
        if (std::fabs(stored) > 9.0e18)
            return false;
        out = StatisticValue::whole(static_cast<qint64>(stored));
        return true;
    case FieldKind::Single:
        out = StatisticValue::real(static_cast<double>(static_cast<float>(stored)));
        return true;
    case FieldKind::Double:
        out = StatisticValue::real(stored);
        return true;
    case FieldKind::Currency:
        if (const std::optional<StatisticValue> value =
                StatisticValue::currency(Money::fromDouble(stored), m_currency)) {
            out = *value;
            return true;
        }
        return false;
    case FieldKind::Boolean:
        out = StatisticValue::boolean(stored != 0.0);
        return true;
    default:
        return false;
    }
}

bool StatisticEvaluator::Impl::zeroOf(FieldKind kind, StatisticValue& out) const
{
    if (IsWholeKind(kind))
        out = m_zeroWhole;
    else if (kind == FieldKind::Single || kind == FieldKind::Double)
        out = m_zeroReal;
    else if (kind == FieldKind::Boolean)
        out = m_zeroBoolean;
    else if (kind == FieldKind::Currency && m_zeroCurrency.kind() == StatisticValue::KindCurrency)
        out = m_zeroCurrency;
    else
        return false;
    return true;
}

bool StatisticEvaluator::Impl::aggregate(int index, Frame& frame, StatisticValue& out)
{
    Tally tally;
    if (!startAggregate(index, frame, tally))
        return false;
    const int listing = m_nodes[index].listing;
    const ReadNeeds needs = needsOf(tally);
    const Row* saved = m_current[listing];
    const bool ok = stream(listing, needs.columns, needs.withDate, needs.withId,
                           tally.withinOnly ? &tally.frame : nullptr, NoID, [&](const Row& row) {
                               m_current[listing] = &row;
                               addRecord(tally, row);
                               return !tally.failed;
                           });
    m_current[listing] = saved;
    return ok && finishAggregate(tally, out);
}

bool StatisticEvaluator::Impl::startAggregate(int index, const Frame& frame, Tally& tally)
{
    const Node& node = m_nodes[index];
    const StatisticListing& listing = StatisticListings().at(node.listing);
    tally.node = index;
    tally.frame = frame;
    if (node.right.type == CStatistic::OperandField) {
        if (node.right.field < 0)
            return false;
        // Items have no date: their fields drop the criteria.
        if (tally.frame.apply && listing.dateField.isEmpty())
            tally.frame.apply = false;
        tally.withinOnly = tally.frame.apply;
        return true;
    }
    if (node.right.node < 0)
        return false;

    // Every record outside the dates reads zero in every field, so all of them
    // give one and the same value. When that value adds nothing, only the
    // records within the dates need to be read. (Over Items, fields drop the
    // dates and the statistics after them go by their own.)
    if (tally.frame.apply && !listing.dateField.isEmpty() && !node.itemsWithin) {
        const Row* saved = m_current[node.listing];
        Row stand;
        stand.outsideDates = true;
        m_current[node.listing] = &stand;
        m_readOutsideDates = false;
        const bool ok = evaluate(node.right.node, tally.passed(), tally.outside);
        m_current[node.listing] = saved;
        tally.withinOnly = ok && !m_readOutsideDates && tally.outside.number() == 0.0;
        m_readOutsideDates = false;
    }
    return true;
}

ReadNeeds StatisticEvaluator::Impl::needsOf(const Tally& tally) const
{
    const Node& node = m_nodes[tally.node];
    if (node.right.type == CStatistic::OperandField)
        return ReadNeeds{quint64(1) << node.right.field, false, false};
    return ReadNeeds{node.columns, tally.frame.apply || node.datesWithin, tally.withinOnly};
}

// Adds a record, which the caller has made its listing's current one.
void StatisticEvaluator::Impl::addRecord(Tally& tally, const Row& row)
{
    const Node& node = m_nodes[tally.node];
    StatisticValue value;
    if (node.right.type == CStatistic::OperandField) {
        const StatisticField& def = StatisticListings().at(node.listing).fields.at(node.right.field);
        if ((def.fromItem && row.itemMissing) || !convert(def.kind, row.values[node.right.field], value)) {
            tally.failed = true;
            return;
        }
        tally.sum.add(value);
        return;
    }
    if (!evaluate(node.right.node, tally.passed(), value)) {
        tally.failed = true;
        return;
    }
    tally.sum.add(value);
    tally.kind = value.kind();
    tally.lastRead = row.id;
}

bool StatisticEvaluator::Impl::finishAggregate(Tally& tally, StatisticValue& out)
{
    if (tally.failed)
        return false;
    const Node& node = m_nodes[tally.node];
    const bool average = node.op == CStatistic::OpAverage;
    const Sum& sum = tally.sum;
    if (node.right.type == CStatistic::OperandField) {
        if (sum.count == 0) {
            // No record at all gives "0.0"; records outside the dates only give 0.
            bool failed = false;
            if (!tally.frame.apply || !lastId(node.listing, failed)) {
                out = m_zeroReal;
                return !failed;
            }
        }
        const FieldKind kind = StatisticListings().at(node.listing).fields.at(node.right.field).kind;
        return aggregateResult(
            sum, sum.count, average,
            kind == FieldKind::Currency ? StatisticValue::KindCurrency : StatisticValue::KindReal, out);
    }

    qint64 count = sum.count;
    StatisticValue::Kind kind = tally.kind;
    if (tally.withinOnly) {
        bool failed = false;
        const std::optional<qint32> last = lastId(node.listing, failed);
        if (failed)
            return false;
        if (!last) {
            out = m_zeroReal;
            return true;
        }
        // The kind is that of the last record's value.
        if (sum.count == 0 || tally.lastRead != *last)
            kind = tally.outside.kind();
        if (average) {
            const std::optional<qint64> all = recordCount(node.listing);
            if (!all)
                return false;
            count = *all;
        }
    } else if (sum.count == 0) {
        out = m_zeroReal;
        return true;
    }
    return aggregateResult(sum, count, average, kind, out);
}

// Finds the aggregates evaluating a statistic computes and remembers, with the
// date criteria each is evaluated under. `depth` counts the aggregates whose
// records are being added up around it: those must be computed first.
void StatisticEvaluator::Impl::gatherAggregates(int index, const Frame* dates, int depth,
                                                QHash<MemoKey, int>& found,
                                                QSet<QPair<MemoKey, int>>& visited) const
{
    const Node& node = m_nodes[index];
    if (node.invalid || node.listing < 0)
        return;
    Frame frame = dates ? *dates : node.own;
    const MemoKey key{index, frame.apply, frame.startDay, frame.thruDay};
    if (visited.contains({key, depth}))
        return;
    visited.insert({key, depth});
    int inner = depth;
    if (node.aggregate && node.dependsOn == 0 && index < m_listed) {
        int& deepest = found[key];
        deepest = std::max(deepest, depth);
        ++inner;
    }
    const bool dateless = StatisticListings().at(node.listing).dateField.isEmpty();
    if (!node.oneOperand) {
        if (node.left.type == CStatistic::OperandStatistic && node.left.node >= 0)
            gatherAggregates(node.left.node, frame.apply ? &frame : nullptr, inner, found, visited);
        // A field of Items drops the criteria for the rest of the statistic.
        if (node.left.type == CStatistic::OperandField && dateless)
            frame.apply = false;
    }
    if (node.right.type == CStatistic::OperandStatistic && node.right.node >= 0)
        gatherAggregates(node.right.node, frame.apply ? &frame : nullptr, inner, found, visited);
}

bool StatisticEvaluator::Impl::prepare(const QList<const CStatistic*>& statistics)
{
    m_stopped = false;
    QHash<MemoKey, int> found;
    QSet<QPair<MemoKey, int>> visited;
    for (const CStatistic* statistic : statistics) {
        const int index = m_index.find(statistic->Name);
        if (index >= 0 && index < m_listed && m_nodes[index].def == *statistic)
            gatherAggregates(index, nullptr, 0, found, visited);
    }
    int deepest = -1;
    for (auto it = found.cbegin(); it != found.cend(); ++it)
        deepest = std::max(deepest, it.value());

    // The innermost first, so that the records of those around them find
    // them computed; one read of each listing for those at the same depth.
    bool ok = true;
    for (int depth = deepest; depth >= 0; --depth) {
        std::array<std::vector<Tally>, kListingCount> byListing;
        for (auto it = found.cbegin(); it != found.cend(); ++it) {
            if (it.value() != depth || m_memo.contains(it.key()))
                continue;
            Tally tally;
            tally.key = it.key();
            tally.node = it.key().node;
            byListing[static_cast<size_t>(m_nodes[tally.node].listing)].push_back(tally);
        }
        for (int listing = 0; listing < kListingCount; ++listing) {
            std::vector<Tally>& tallies = byListing[static_cast<size_t>(listing)];
            if (tallies.empty())
                continue;
            // In list order, as evaluating them one by one would.
            std::sort(tallies.begin(), tallies.end(), [](const Tally& a, const Tally& b) {
                return a.node != b.node ? a.node < b.node : a.key.startDay < b.key.startDay;
            });
            if (!computeTogether(listing, tallies)) {
                ok = false;
                if (m_stopped)
                    return false;
            }
        }
    }
    return ok;
}

// Adds up the records of one listing for every one of the aggregates in one
// read, and remembers each value as evaluating it alone would have found it.
bool StatisticEvaluator::Impl::computeTogether(int listing, std::vector<Tally>& tallies)
{
    std::vector<Tally> started;
    for (Tally& tally : tallies) {
        const Frame frame{tally.key.apply, tally.key.startDay, tally.key.thruDay};
        if (startAggregate(tally.node, frame, tally))
            started.push_back(tally);
        else if (!m_stopped)
            m_memo.insert(tally.key, Memo{false, StatisticValue()});
        if (m_stopped)
            return false;
    }
    if (started.empty())
        return true;

    // Everything any of them needs; the records within the dates alone when
    // none needs any other, each told by a test of its own dates.
    ReadNeeds needs;
    bool allWithin = true;
    QList<DayRange> ranges;
    Frame hull{true, std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest()};
    for (Tally& tally : started) {
        const ReadNeeds own = needsOf(tally);
        needs.columns |= own.columns;
        needs.withDate = needs.withDate || own.withDate;
        needs.withId = needs.withId || own.withId;
        allWithin = allWithin && tally.withinOnly;
        if (!tally.withinOnly)
            continue;
        const DayRange range{tally.frame.startDay, tally.frame.thruDay + 1.0};
        const auto same = std::find_if(ranges.cbegin(), ranges.cend(), [&](const DayRange& r) {
            return r.fromDay == range.fromDay && r.toDay == range.toDay;
        });
        tally.range = static_cast<int>(same - ranges.cbegin());
        if (same == ranges.cend())
            ranges.append(range);
        hull.startDay = std::min(hull.startDay, tally.frame.startDay);
        hull.thruDay = std::max(hull.thruDay, tally.frame.thruDay);
    }

    const Row* saved = m_current[listing];
    const bool ok = stream(
        listing, needs.columns, needs.withDate, needs.withId, allWithin ? &hull : nullptr, NoID,
        [&](const Row& row) {
            m_current[listing] = &row;
            bool anyLeft = false;
            for (Tally& tally : started) {
                if (!tally.failed && (!tally.withinOnly || row.inRange[tally.range] != 0.0))
                    addRecord(tally, row);
                anyLeft = anyLeft || !tally.failed;
            }
            return anyLeft;
        },
        ranges);
    m_current[listing] = saved;
    if (m_stopped)
        return false;
    const bool allFailed =
        std::all_of(started.cbegin(), started.cend(), [](const Tally& tally) { return tally.failed; });
    if (!ok && !allFailed)
        return false;
    for (Tally& tally : started) {
        StatisticValue value;
        const bool computed = finishAggregate(tally, value);
        if (m_stopped)
            return false;
        m_memo.insert(tally.key, Memo{computed, value});
    }
    return true;
}

bool StatisticEvaluator::Impl::aggregateResult(const Sum& sum, qint64 count, bool average,
                                               StatisticValue::Kind kind, StatisticValue& out) const
{
    std::optional<Money> amount;
    if (const std::optional<Money> exact = sum.amounts(); exact && kind == StatisticValue::KindCurrency) {
        // The "%lf" text of a sum of amounts holds it exactly; an average
        // keeps six decimals, halves away from zero.
        const std::optional<qint64> millionths =
            average ? (count > 0 ? QuotientMillionths(*exact, count) : std::optional<qint64>(0))
                    : QuotientMillionths(*exact, 1);
        if (!millionths)
            return false;
        amount = m_currency.parseMillionths(*millionths);
    } else {
        const double value = average ? (count > 0 ? sum.real / static_cast<double>(count) : 0.0) : sum.real;
        if (!std::isfinite(value))
            return false;
        const StatisticValue real = StatisticValue::real(value, kind);
        if (kind != StatisticValue::KindCurrency) {
            out = real;
            return true;
        }
        // The "%lf" text of the sum, read as an amount.
        amount = real.amount(m_currency);
    }
    if (!amount)
        return false;
    const std::optional<StatisticValue> written = StatisticValue::currency(*amount, m_currency);
    if (!written)
        return false;
    out = *written;
    return true;
}

bool StatisticEvaluator::Impl::finiteReal(double value, StatisticValue& out) const
{
    // A square root of a negative number or an overflow has no value to show.
    if (!std::isfinite(value))
        return false;
    out = StatisticValue::real(value);
    return true;
}

bool StatisticEvaluator::Impl::combine(const Node& node, const StatisticValue& a, const StatisticValue& b,
                                       StatisticValue& out) const
{
    const quint8 op = node.op;
    if (CStatistic::IsAggregate(op)) {
        out = b;
        return true;
    }
    const bool leftCurrency = !node.oneOperand && a.kind() == StatisticValue::KindCurrency;
    const bool rightCurrency = b.kind() == StatisticValue::KindCurrency;
    if (!leftCurrency && !rightCurrency) {
        const double x = a.number();
        const double y = b.number();
        switch (op) {
        case CStatistic::OpAdd:
            return finiteReal(x + y, out);
        case CStatistic::OpSubtract:
            return finiteReal(x - y, out);
        case CStatistic::OpMultiply:
            return finiteReal(x * y, out);
        case CStatistic::OpDivide:
            return y != 0.0 && finiteReal(x / y, out);
        case CStatistic::OpPower:
            return finiteReal(std::pow(x, y), out);
        case CStatistic::OpEqual:
            out = StatisticValue::boolean(x == y);
            return true;
        case CStatistic::OpLess:
            out = StatisticValue::boolean(x < y);
            return true;
        case CStatistic::OpGreater:
            out = StatisticValue::boolean(x > y);
            return true;
        case CStatistic::OpLessOrEqual:
            out = StatisticValue::boolean(x <= y);
            return true;
        case CStatistic::OpGreaterOrEqual:
            out = StatisticValue::boolean(x >= y);
            return true;
        case CStatistic::OpAbsolute:
            return finiteReal(std::fabs(y), out);
        case CStatistic::OpSquareRoot:
            return finiteReal(std::sqrt(y), out);
        default:
            return false;
        }
    }

    // An amount is involved: both operands are read as amounts.
    std::optional<Money> x;
    if (!node.oneOperand) {
        x = a.amount(m_currency);
        if (!x)
            return false;
    }
    const std::optional<Money> y = b.amount(m_currency);
    if (!y)
        return false;
    const auto asCurrency = [&](Money amount) {
        const std::optional<StatisticValue> value = StatisticValue::currency(amount, m_currency);
        if (value)
            out = *value;
        return value.has_value();
    };
    // A product or quotient of two amounts is a plain number, kept to four decimals.
    const auto product = [&](Money amount) {
        if (!amount.isValid())
            return false;
        if (leftCurrency && rightCurrency) {
            out = StatisticValue::plainAmount(amount);
            return true;
        }
        return asCurrency(amount);
    };
    switch (op) {
    case CStatistic::OpAdd:
        return asCurrency(*x + *y);
    case CStatistic::OpSubtract:
        return asCurrency(*x - *y);
    case CStatistic::OpMultiply:
        return product(
            RoundedRatio(static_cast<__int128>(x->tenThousandths()) * y->tenThousandths(), Money::kScale));
    case CStatistic::OpDivide:
        return y->tenThousandths() != 0 &&
               product(RoundedRatio(static_cast<__int128>(x->tenThousandths()) * Money::kScale,
                                    y->tenThousandths()));
    case CStatistic::OpPower:
        return !rightCurrency && finiteReal(std::pow(x->toDouble(), y->toDouble()), out);
    case CStatistic::OpEqual:
        out = StatisticValue::boolean(*x == *y);
        return true;
    case CStatistic::OpLess:
        out = StatisticValue::boolean(*x < *y);
        return true;
    case CStatistic::OpGreater:
        out = StatisticValue::boolean(*x > *y);
        return true;
    case CStatistic::OpLessOrEqual:
        out = StatisticValue::boolean(*x <= *y);
        return true;
    case CStatistic::OpGreaterOrEqual:
        out = StatisticValue::boolean(*x >= *y);
        return true;
    case CStatistic::OpAbsolute:
        return asCurrency(y->tenThousandths() < 0 ? -*y : *y);
    case CStatistic::OpSquareRoot:
        return finiteReal(std::sqrt(y->toDouble()), out);
    default:
        return false;
    }
}

template <typename Fn>
bool StatisticEvaluator::Impl::stream(int listing, quint64 columns, bool withDate, bool withId,
                                      const Frame* range, qint32 id, Fn&& fn, const QList<DayRange>& ranges)
{
    if (m_stopped)
        return false;
    const StatisticListing& def = StatisticListings().at(listing);
    NumericRead read;
    read.table = def.table;
    QList<int> fieldOfColumn;
    for (int f = 0; f < def.fields.size() && f < kMaxFields; ++f) {
        if ((columns & (quint64(1) << f)) == 0)
            continue;
        const StatisticField& field = def.fields.at(f);
        read.columns.append({field.name, field.fromItem});
        fieldOfColumn.append(f);
    }
    const bool joinItem = std::any_of(read.columns.cbegin(), read.columns.cend(),
                                      [](const NumericColumn& column) { return column.ofItem; });
    const bool dated = withDate && !def.dateField.isEmpty();
    const int dateColumn = dated ? static_cast<int>(read.columns.size()) : -1;
    if (dated)
        read.columns.append({def.dateField, false});
    const int idColumn = withId ? static_cast<int>(read.columns.size()) : -1;
    if (withId)
        read.columns.append({QStringLiteral("ID"), false});
    const int itemColumn = joinItem ? static_cast<int>(read.columns.size()) : -1;
    if (joinItem)
        read.columns.append({QStringLiteral("ID"), true});
    // The tests of the ranges come after the columns.
    const int rangeColumn = static_cast<int>(read.columns.size());
    read.dayColumn = def.dateField;
    if (!def.dateField.isEmpty())
        read.tests = ranges;
    if (range && !def.dateField.isEmpty())
        read.only = DayRange{range->startDay, range->thruDay + 1.0};
    if (id != NoID)
        read.id = id;

    // The rows go straight from the engine's statement: Qt SQL would make a
    // value of every column of every row first, which costs more than the
    // evaluation.
    Row row;
    bool stopped = false;
    quint32 sinceAsked = 0;
    const bool ran = StreamNumericColumns(m_db, read, [&](const ProjectDatabase::NumericRow& numbers) {
        if (m_keepGoing && ++sinceAsked == kRecordsPerQuestion) {
            sinceAsked = 0;
            m_stopped = !m_keepGoing();
            if (m_stopped) {
                stopped = true;
                return false;
            }
        }
        const qsizetype fields = fieldOfColumn.size();
        for (qsizetype c = 0; c < fields; ++c)
            row.values[static_cast<size_t>(fieldOfColumn[c])] = numbers.values[c];
        if (dateColumn >= 0) {
            row.dateNull = numbers.nulls[dateColumn];
            row.date = numbers.values[dateColumn];
        }
        if (idColumn >= 0)
            row.id = static_cast<qint32>(numbers.values[idColumn]);
        if (itemColumn >= 0)
            row.itemMissing = numbers.nulls[itemColumn];
        if (!read.tests.isEmpty())
            row.inRange = numbers.values + rangeColumn;
        stopped = !fn(row);
        return !stopped;
    });
    if (!ran) {
        m_error = m_db.lastError();
        return false;
    }
    return !stopped;
}

std::optional<qint32> StatisticEvaluator::Impl::lastId(int listing, bool& failed)
{
    const std::optional<qint32> last = HighestId(m_db, StatisticListings().at(listing).table, failed);
    if (failed)
        m_error = m_db.lastError();
    return last;
}

std::optional<qint64> StatisticEvaluator::Impl::recordCount(int listing)
{
    const std::optional<qint64> count = CountRecords(m_db, StatisticListings().at(listing).table);
    if (!count)
        m_error = m_db.lastError();
    return count;
}

bool StatisticEvaluator::Impl::setCurrentRecord(int listing, qint32 id)
{
    m_current[listing] = nullptr;
    const StatisticListing& def = StatisticListings().at(listing);
    quint64 every = 0;
    for (int f = 0; f < def.fields.size() && f < kMaxFields; ++f)
        every |= quint64(1) << f;
    bool found = false;
    const bool ok = stream(listing, every, true, true, nullptr, id, [&](const Row& row) {
        m_loaded[listing] = row;
        found = true;
        return true;
    });
    if (ok && found)
        m_current[listing] = &m_loaded[listing];
    return ok && found;
}

// ---------------------------------------------------------------------------

StatisticEvaluator::StatisticEvaluator(ProjectTables& tables, const QList<CStatistic>& statistics,
                                       const QLocale& locale)
    : d(std::make_unique<Impl>(tables, statistics, locale))
{
}

StatisticEvaluator::~StatisticEvaluator() = default;

bool StatisticEvaluator::setCurrentRecord(qint32 listing, qint32 id)
{
    const int index = StatisticListingIndex(listing);
    return index >= 0 && d->setCurrentRecord(index, id);
}

void StatisticEvaluator::clearCurrentRecord(qint32 listing)
{
    const int index = StatisticListingIndex(listing);
    if (index >= 0)
        d->m_current[index] = nullptr;
}

std::optional<StatisticValue> StatisticEvaluator::evaluate(const CStatistic& statistic)
{
    return d->evaluateTop(statistic, nullptr);
}

std::optional<StatisticValue> StatisticEvaluator::evaluate(const CStatistic& statistic, const DateTime& start,
                                                           const DateTime& thru)
{
    const Frame dates = Frame::of(true, start, thru);
    return d->evaluateTop(statistic, &dates);
}

bool StatisticEvaluator::prepare(const QList<const CStatistic*>& statistics)
{
    return d->prepare(statistics);
}

void StatisticEvaluator::setKeepGoing(std::function<bool()> keepGoing)
{
    d->m_keepGoing = std::move(keepGoing);
}

bool StatisticEvaluator::stopped() const
{
    return d->m_stopped;
}

QString StatisticEvaluator::text(const StatisticValue& value) const
{
    return value.text(d->m_currency);
}

const CurrencyText& StatisticEvaluator::currency() const
{
    return d->m_currency;
}

QString StatisticEvaluator::lastError() const
{
    return d->m_error;
}
