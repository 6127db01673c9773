#pragma once

#include "ArchiveBytes.h"
#include "ProjectFixture.h"
#include "Texts.h"

#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectSettings.h"
#include "core/project/Statistic.h"
#include "core/stats/StatisticEvaluation.h"
#include "core/stats/StatisticEvaluator.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <memory>

// One operand of a statistic written the way the tests read best.
struct Op
{
    qint32 type = CStatistic::OperandNone;
    QString text;
};

inline Op F(const char* field)
{
    return {CStatistic::OperandField, QString::fromLatin1(field)};
}
inline Op K(const char* constant)
{
    return {CStatistic::OperandConstant, QString::fromLatin1(constant)};
}
inline Op S(const char* statistic)
{
    return {CStatistic::OperandStatistic, QString::fromLatin1(statistic)};
}

inline CStatistic Stat(const char* name, qint32 listing, Op left, quint8 op, Op right)
{
    CStatistic s;
    s.Name = QString::fromLatin1(name);
    s.Listing = listing;
    s.LeftType = left.type;
    s.LeftOperand = left.text;
    s.Operator = op;
    s.RightType = right.type;
    s.RightOperand = right.text;
    return s;
}

// (SUM) or (AVG) of one operand.
inline CStatistic Aggregate(const char* name, qint32 listing, quint8 op, Op of)
{
    return Stat(name, listing, Op{}, op, of);
}

inline CStatistic Dated(CStatistic s, DateTime start, DateTime thru)
{
    s.ApplyDates = 1;
    s.StartDate = start;
    s.ThruDate = thru;
    return s;
}

inline Money Dollars(qint64 cents)
{
    return Money::fromTenThousandths(cents * 100);
}

// A project with its settings file and a clock standing on 15 March 1997.
class StatsFixture : public ProjectFixture
{
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        settings = std::make_unique<CProjectSettings>(project.dir(), QStringLiteral("test"), clock);
        ASSERT_EQ(settings->status(), Status::Success);
    }

    // The value as View Statistics shows it: its text, or "N/A".
    QString value(const CStatistic& statistic, const QList<CStatistic>& list)
    {
        QString text;
        int kind = 0;
        return EvaluateStatistic(statistic, t(), list, text, kind) == 1 ? text : QStringLiteral("N/A");
    }
    // The value of a statistic of the list, found by name.
    QString value(const char* name, const QList<CStatistic>& list)
    {
        for (const CStatistic& s : list) {
            if (s.Name == QLatin1String(name))
                return value(s, list);
        }
        ADD_FAILURE() << "no statistic " << name;
        return QString();
    }

    qint32 item(Money cost, Money price, float taxRate = 0.0f, bool taxable = false, qint32 stocked = 0)
    {
        CItemsRec rec;
        rec.Name = QStringLiteral("Item %1").arg(++m_items);
        rec.Cost = cost;
        rec.SellingPrice = price;
        rec.TaxRate = taxRate;
        rec.Taxable = taxable;
        const qint32 id = b.add(rec);
        if (stocked > 0)
            lot(id, stocked, cost, day(1997, 1, 2));
        return id;
    }
    qint32 lot(qint32 itemID, qint32 quantity, Money cost, DateTime date)
    {
        const qint32 id = b.add(CStockRec{.ItemID = itemID,
                                          .OrderID = StockInitial,
                                          .POID = StockInitial,
                                          .Quanity = quantity,
                                          .Cost = cost,
                                          .Date = date});
        EXPECT_TRUE(RecomputeItemTotals(t(), itemID));
        return id;
    }
    // A sale line outside any invoice: statistics read the lines alone.
    qint32 sale(qint32 itemID, qint32 quantity, Money price, DateTime date, Money cost = Money())
    {
        return b.add(CSalesRec{
            .ItemID = itemID, .Quanity = quantity, .SellingPrice = price, .Date = date, .Cost = cost});
    }

    FixedClock clock{QDateTime(QDate(1997, 3, 15), QTime(9, 0))};
    std::unique_ptr<CProjectSettings> settings;

private:
    int m_items = 0;
};
