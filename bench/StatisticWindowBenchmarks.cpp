#include "DialogBench.h"

#include "core/project/ProjectSettings.h"
#include "core/stats/CreateStatisticModel.h"
#include "core/stats/StandardStatistics.h"
#include "core/stats/ViewStatisticsModel.h"
#include "ui/stats/CreateStatisticDialog.h"
#include "ui/stats/StatisticsProgress.h"
#include "ui/stats/ViewStatisticsDialog.h"

#include <QTreeWidget>

#include <cmath>
#include <memory>

// The statistic windows on the scale-M project: View Statistics with the ten
// standard statistics, against the plain statements that compute the same ten
// figures, and Create Statistic opened over them.

namespace {

// A year of the seven the generated project covers; the average inventory
// counts from the first day the statistics know.
const DateTime kFrom = Day(2023, 1, 1);
const DateTime kThru = Day(2023, 12, 31);
const DateTime kOrigin = Day(1900, 1, 1);

// The plain statement of each standard statistic's figure, in type order.
// "%1" stands for the date condition on the table named "s" or on the only one;
// the values bound are listed in `binds`.
enum Bind
{
    From,
    ThruEnd, // the day after the thru date
    Origin,
    FromEnd, // the day after the start date
};

struct Figure
{
    const char* sql;
    QList<Bind> binds;
};

const QList<Figure>& Figures()
{
    static const QList<Figure> figures{
        {"SELECT SUM(s.\"Quanity\" * s.\"SellingPrice\" * (1 + i.\"TaxRate\" / 100.0)) FROM \"Sales\" s "
         "JOIN \"Items\" i ON i.\"ID\" = s.\"ItemID\" WHERE s.\"Date\" >= ? AND s.\"Date\" < ?",
         {From, ThruEnd}},
        {"SELECT SUM(\"Quanity\" * \"SellingPrice\") FROM \"Sales\" WHERE \"Date\" >= ? AND \"Date\" < ?",
         {From, ThruEnd}},
        {"SELECT SUM(\"Quanity\" * (\"SellingPrice\" - \"Cost\")) FROM \"Sales\" "
         "WHERE \"Date\" >= ? AND \"Date\" < ?",
         {From, ThruEnd}},
        {"SELECT SUM(\"Quanity\" * (\"SellingPrice\" - \"Cost\")) / SUM(\"Quanity\" * \"SellingPrice\") "
         "FROM \"Sales\" WHERE \"Date\" >= ? AND \"Date\" < ?",
         {From, ThruEnd}},
        {"SELECT SUM(\"Quanity\" * \"Cost\") FROM \"Stock\" WHERE \"Date\" >= ? AND \"Date\" < ?",
         {From, ThruEnd}},
        {"SELECT SUM(\"Quanity\" * \"Cost\") FROM \"Sales\" WHERE \"Date\" >= ? AND \"Date\" < ?",
         {From, ThruEnd}},
        {"SELECT (SUM(CASE WHEN \"Date\" < ? THEN \"Quanity\" * \"Cost\" ELSE 0 END) + "
         "SUM(CASE WHEN \"Date\" < ? THEN \"Quanity\" * \"Cost\" ELSE 0 END)) / 2.0 "
         "FROM \"Stock\" WHERE \"Date\" >= ?",
         {FromEnd, ThruEnd, Origin}},
        {"SELECT (SELECT SUM(\"Quanity\" * \"Cost\") FROM \"Sales\" WHERE \"Date\" >= ? AND \"Date\" < ?) / "
         "((SELECT SUM(CASE WHEN \"Date\" < ? THEN \"Quanity\" * \"Cost\" ELSE 0 END) + "
         "SUM(CASE WHEN \"Date\" < ? THEN \"Quanity\" * \"Cost\" ELSE 0 END) "
         "FROM \"Stock\" WHERE \"Date\" >= ?) / 2.0)",
         {From, ThruEnd, FromEnd, ThruEnd, Origin}},
        {"SELECT SUM(s.\"Quanity\" * s.\"SellingPrice\" * i.\"TaxRate\" / 100.0) FROM \"Sales\" s "
         "JOIN \"Items\" i ON i.\"ID\" = s.\"ItemID\" WHERE s.\"Date\" >= ? AND s.\"Date\" < ?",
         {From, ThruEnd}},
        {"SELECT SUM(o.\"Quanity\" * i.\"Cost\") FROM \"Order\" o JOIN \"Items\" i ON i.\"ID\" = "
         "o.\"ItemID\" "
         "WHERE o.\"Date\" >= ? AND o.\"Date\" < ?",
         {From, ThruEnd}},
    };
    return figures;
}

double DayOf(Bind bind)
{
    switch (bind) {
    case From:
        return kFrom.days();
    case ThruEnd:
        return kThru.days() + 1.0;
    case Origin:
        return kOrigin.days();
    case FromEnd:
        return kFrom.days() + 1.0;
    }
    return 0.0;
}

std::optional<double> Run(QSqlQuery& query, const Figure& figure)
{
    for (int i = 0; i < figure.binds.size(); ++i)
        query.bindValue(i, DayOf(figure.binds.at(i)));
    if (!query.exec() || !query.next())
        return std::nullopt;
    const double value = query.value(0).toDouble();
    query.finish();
    return value;
}

// The ten standard statistics, each dated over the year, in a settings file of
// their own.
struct StandardSet
{
    QTemporaryDir dir;
    CProjectSettings settings{dir.path(), QStringLiteral("statistics")};
    QStringList names;

    StandardSet()
    {
        for (int type = 0; type < StandardStatistics::TypeCount; ++type) {
            const QString name = StandardStatistics::Names().at(type);
            for (const CStatistic& s : StandardStatistics::Build(type, name, true, kFrom, kThru))
                settings.AddStatistic(s);
            names.append(name);
        }
    }
};

StandardSet& Standard()
{
    static StandardSet set;
    return set;
}

double Number(const QString& text)
{
    if (const std::optional<Money> amount = ParseCurrency(text))
        return amount->toDouble();
    return text.toDouble();
}

void BM_OpenViewStatistics_Plain(benchmark::State& state)
{
    ProjectDatabase& db = Medium().db;
    std::vector<QSqlQuery> queries;
    for (const Figure& figure : Figures()) {
        std::optional<QSqlQuery> query = Prepared(db, QString::fromLatin1(figure.sql), state);
        if (!query)
            return;
        queries.push_back(std::move(*query));
    }
    for (auto _ : state) {
        for (size_t i = 0; i < queries.size(); ++i) {
            const std::optional<double> value = Run(queries[i], Figures().at(static_cast<qsizetype>(i)));
            if (!value) {
                state.SkipWithError(qPrintable(queries[i].lastError().text()));
                return;
            }
            benchmark::DoNotOptimize(*value);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<qint64>(queries.size()));
}

// The model computed and the window built, shown and painted, as from the
// stock list with nothing selected.
void BM_OpenViewStatistics_Ours(benchmark::State& state)
{
    const Target target = Medium();
    StandardSet& standard = Standard();
    BenchSettings user;
    YesPrompter prompter;
    StatisticsProgress progress(nullptr);
    const auto report = [&progress](int done, int total) { return progress(done, total); };

    // Untimed: each figure is the plain one but for the rounding of every value
    // to the cent on its way from one statistic to the next (the tax of each
    // sale is rounded before it is added: $32 on $15 million), and for ratios
    // of amounts kept to four decimals.
    {
        ViewStatisticsModel model(target.tables, standard.settings, ListingKind::Stock, NoSelection);
        for (qsizetype i = 0; i < model.rows().size(); ++i) {
            const ViewStatisticsModel::Row& row = model.rows().at(i);
            std::optional<QSqlQuery> plain =
                Prepared(target.db, QString::fromLatin1(Figures().at(i).sql), state);
            const double expected = plain ? Run(*plain, Figures().at(i)).value_or(-1.0) : -1.0;
            const double ours = Number(row.value);
            if (row.name != standard.names.at(i) ||
                std::fabs(ours - expected) > std::max(1e-3, std::fabs(expected) * 1e-5)) {
                state.SkipWithError(qPrintable(QStringLiteral("%1 is %2, the plain figure %3")
                                                   .arg(row.name, row.value)
                                                   .arg(expected, 0, 'f', 6)));
                return;
            }
        }
    }

    qint64 rows = 0;
    for (auto _ : state) {
        auto model = std::make_unique<ViewStatisticsModel>(target.tables, standard.settings,
                                                           ListingKind::Stock, NoSelection, report);
        progress.finish();
        auto dialog = std::make_unique<ViewStatisticsDialog>(*model, user.settings, progress);
        ShowAndPaint(*dialog);
        rows += dialog->findChild<QTreeWidget*>(QStringLiteral("statisticList"))->topLevelItemCount();
        CloseUntimed(state, dialog, model);
    }
    EndOpening(state, prompter, rows);
}

// Over the ten standard statistics and the intermediate ones they are built
// from, all offered as operands once a listing is chosen.
void BM_OpenCreateStatistic(benchmark::State& state)
{
    StandardSet& standard = Standard();
    BenchDesktop desktop;
    qint64 rows = 0;
    for (auto _ : state) {
        auto model =
            std::make_unique<CreateStatisticModel>(standard.settings, desktop.prompter, desktop.clock);
        model->setListingIndex(3); // Sales: its fields and every statistic fit
        auto dialog = std::make_unique<CreateStatisticDialog>(*model, desktop.clock);
        ShowAndPaint(*dialog);
        rows += model->operandEntries().size();
        CloseUntimed(state, dialog, model);
    }
    EndOpening(state, desktop.prompter, rows);
}

} // namespace

BENCHMARK(BM_OpenViewStatistics_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_OpenViewStatistics_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_OpenCreateStatistic)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
