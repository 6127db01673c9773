#include "core/stats/StandardStatistics.h"

#include <QDate>

namespace StandardStatistics {

namespace {

struct Operand
{
    qint32 type = CStatistic::OperandNone;
    QString text;
};

Operand Field(const char* name)
{
    return {CStatistic::OperandField, QString::fromLatin1(name)};
}

Operand Constant(const char* text)
{
    return {CStatistic::OperandConstant, QString::fromLatin1(text)};
}

Operand None()
{
    return {};
}

// Builds the statistics of one type in order; intermediate ones are named
// after the final one with "_1", "_2", ...
class Builder
{
public:
    Builder(const QString& name, bool applyDates, const DateTime& start, const DateTime& thru)
        : m_name(name), m_applyDates(applyDates), m_start(start), m_thru(thru)
    {
    }

    // The intermediate statistic N_number as an operand.
    Operand intermediate(qsizetype number) const
    {
        return {CStatistic::OperandStatistic, m_name + QStringLiteral("_%1").arg(number)};
    }

    // An intermediate statistic without date criteria.
    Builder& step(qint32 listing, Operand left, quint8 op, Operand right)
    {
        m_list.append(make(intermediate(m_list.size() + 1).text, listing, left, op, right, true));
        return *this;
    }
    // An intermediate (SUM) with the wizard's dates.
    Builder& sumStep(qint32 listing, Operand of)
    {
        CStatistic s =
            make(intermediate(m_list.size() + 1).text, listing, None(), CStatistic::OpSum, of, true);
        withWizardDates(s);
        m_list.append(s);
        return *this;
    }
    // An intermediate (SUM) with dates of its own, always applied.
    Builder& sumStep(qint32 listing, Operand of, const DateTime& start, const DateTime& thru)
    {
        CStatistic s =
            make(intermediate(m_list.size() + 1).text, listing, None(), CStatistic::OpSum, of, true);
        s.ApplyDates = 1;
        s.StartDate = start;
        s.ThruDate = thru;
        m_list.append(s);
        return *this;
    }
    QList<CStatistic> finish(qint32 listing, Operand left, quint8 op, Operand right)
    {
        m_list.append(make(m_name, listing, left, op, right, false));
        return m_list;
    }
    QList<CStatistic> finishSum(qint32 listing, Operand of)
    {
        CStatistic s = make(m_name, listing, None(), CStatistic::OpSum, of, false);
        withWizardDates(s);
        m_list.append(s);
        return m_list;
    }

private:
    static CStatistic make(const QString& name, qint32 listing, const Operand& left, quint8 op,
                           const Operand& right, bool intermediate)
    {
        CStatistic s;
        s.Name = name;
        s.Listing = listing;
        s.LeftType = left.type;
        s.LeftOperand = left.text;
        s.Operator = op;
        s.RightType = right.type;
        s.RightOperand = right.text;
        s.Intermediate = intermediate ? 1 : 0;
        return s;
    }
    void withWizardDates(CStatistic& s) const
    {
        s.ApplyDates = m_applyDates ? 1 : 0;
        s.StartDate = m_start;
        s.ThruDate = m_thru;
    }

    QString m_name;
    bool m_applyDates;
    DateTime m_start, m_thru;
    QList<CStatistic> m_list;
};

constexpr qint32 kSales = CStatistic::ListingSales;
constexpr qint32 kStock = CStatistic::ListingStock;

// Inventory value at the start and at the end of the range: N_1 to N_4.
void AverageInventorySteps(Builder& b, const DateTime& start, const DateTime& thru)
{
    const DateTime origin = DateTime::fromDate(QDate(1900, 1, 1));
    b.step(kStock, Field("Quanity"), CStatistic::OpMultiply, Field("Cost"));
    b.sumStep(kStock, b.intermediate(1), origin, start);
    b.sumStep(kStock, b.intermediate(1), origin, thru);
    b.step(kStock, b.intermediate(2), CStatistic::OpAdd, b.intermediate(3));
}

} // namespace

QStringList Names()
{
    return {QStringLiteral("Gross Sales Revenues"),
            QStringLiteral("Net Sales Revenues"),
            QStringLiteral("Gross Profit"),
            QStringLiteral("Profit on Sales"),
            QStringLiteral("Cost of Inventory"),
            QStringLiteral("Cost of Sold"),
            QStringLiteral("Avg Cost of Inventory"),
            QStringLiteral("Turnover"),
            QStringLiteral("Sales Tax"),
            QStringLiteral("Cost of Ordered")};
}

QString Description(int type)
{
    switch (type) {
    case GrossSalesRevenues:
        return QStringLiteral("Total revenues brought in from sales, including sales tax.");
    case NetSalesRevenues:
        return QStringLiteral("Total revenues brought in from sales, not including sales tax.");
    case GrossProfit:
        return QStringLiteral("Net Sales Revenues - Cost of Sold");
    case ProfitOnSales:
        return QStringLiteral("Gross Profit / Net Sales Revenues.");
    case CostOfInventory:
        return QStringLiteral("Cost of stocked items.");
    case CostOfSold:
        return QStringLiteral("Cost of items sold.");
    case AvgCostOfInventory:
        return QStringLiteral("Average cost of inventory over time.");
    case Turnover:
        return QStringLiteral("Cost of Sold / Average Inventory Cost");
    case SalesTax:
        return QStringLiteral("Sales tax collected on items sold.");
    case CostOfOrdered:
        return QStringLiteral("Cost of items currently ordered.");
    default:
        return QString();
    }
}

bool NeedsDates(int type)
{
    return type == AvgCostOfInventory || type == Turnover;
}

QList<CStatistic> Build(int type, const QString& name, bool applyDates, const DateTime& start,
                        const DateTime& thru)
{
    Builder b(name, applyDates, start, thru);
    switch (type) {
    case GrossSalesRevenues:
        b.step(kSales, Field("TaxRate"), CStatistic::OpDivide, Constant("100.0"));
        b.step(kSales, Constant("1.0"), CStatistic::OpAdd, b.intermediate(1));
        b.step(kSales, Field("Quanity"), CStatistic::OpMultiply, Field("SellingPrice"));
        b.step(kSales, b.intermediate(2), CStatistic::OpMultiply, b.intermediate(3));
        return b.finishSum(kSales, b.intermediate(4));
    case NetSalesRevenues:
        b.step(kSales, Field("Quanity"), CStatistic::OpMultiply, Field("SellingPrice"));
        return b.finishSum(kSales, b.intermediate(1));
    case GrossProfit:
        b.step(kSales, Field("SellingPrice"), CStatistic::OpSubtract, Field("Cost"));
        b.step(kSales, Field("Quanity"), CStatistic::OpMultiply, b.intermediate(1));
        return b.finishSum(kSales, b.intermediate(2));
    case ProfitOnSales:
        b.step(kSales, Field("SellingPrice"), CStatistic::OpSubtract, Field("Cost"));
        b.step(kSales, Field("Quanity"), CStatistic::OpMultiply, b.intermediate(1));
        b.sumStep(kSales, b.intermediate(2));
        b.step(kSales, Field("Quanity"), CStatistic::OpMultiply, Field("SellingPrice"));
        b.sumStep(kSales, b.intermediate(4));
        return b.finish(kSales, b.intermediate(3), CStatistic::OpDivide, b.intermediate(5));
    case CostOfInventory:
        b.step(kStock, Field("Quanity"), CStatistic::OpMultiply, Field("Cost"));
        return b.finishSum(kStock, b.intermediate(1));
    case CostOfSold:
        b.step(kSales, Field("Quanity"), CStatistic::OpMultiply, Field("Cost"));
        return b.finishSum(kSales, b.intermediate(1));
    case AvgCostOfInventory:
        AverageInventorySteps(b, start, thru);
        return b.finish(kStock, b.intermediate(4), CStatistic::OpDivide, Constant("2.0"));
    case Turnover:
        AverageInventorySteps(b, start, thru);
        b.step(kStock, b.intermediate(4), CStatistic::OpDivide, Constant("2.0"));
        b.step(kSales, Field("Quanity"), CStatistic::OpMultiply, Field("Cost"));
        b.sumStep(kSales, b.intermediate(6), start, thru);
        return b.finish(kStock, b.intermediate(7), CStatistic::OpDivide, b.intermediate(5));
    case SalesTax:
        b.step(kSales, Field("TaxRate"), CStatistic::OpDivide, Constant("100.0"));
        b.step(kSales, Field("Quanity"), CStatistic::OpMultiply, Field("SellingPrice"));
        b.step(kSales, b.intermediate(2), CStatistic::OpMultiply, b.intermediate(1));
        return b.finishSum(kSales, b.intermediate(3));
    case CostOfOrdered:
        b.step(CStatistic::ListingOrders, Field("Quanity"), CStatistic::OpMultiply, Field("Cost"));
        return b.finishSum(CStatistic::ListingOrders, b.intermediate(1));
    default:
        return {};
    }
}

} // namespace StandardStatistics
