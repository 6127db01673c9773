#include "core/reports/ReportContent.h"

#include "core/common/DateTime.h"
#include "core/common/RecordIds.h"
#include "core/db/RecordStream.h"
#include "core/db/Records.h"
#include "core/db/Schema.h"
#include "core/project/ProjectTables.h"
#include "core/reports/ReportFile.h"
#include "core/sales/InvoiceTexts.h"
#include "core/stats/StatisticEvaluator.h"

#include <QHash>

#include <algorithm>
#include <limits>
#include <memory>
#include <numeric>
#include <vector>

namespace {

constexpr double kNoKey = -std::numeric_limits<double>::infinity();

using FieldKinds = QHash<QString, FieldKind>;

template <typename Rec> FieldKinds KindsOf()
{
    FieldKinds kinds;
    for (const FieldDef& field : FieldsOf<Rec>())
        kinds.insert(QString::fromLatin1(field.name), field.kind);
    return kinds;
}

FieldKinds KindsOfTable(const QString& table)
{
    if (table == QLatin1String(CVendorsRec::kTable))
        return KindsOf<CVendorsRec>();
    if (table == QLatin1String(CItemsRec::kTable))
        return KindsOf<CItemsRec>();
    if (table == QLatin1String(CPORec::kTable))
        return KindsOf<CPORec>();
    if (table == QLatin1String(CSIRec::kTable))
        return KindsOf<CSIRec>();
    if (table == QLatin1String(CCustomersRec::kTable))
        return KindsOf<CCustomersRec>();
    if (table == QLatin1String(CStockRec::kTable))
        return KindsOf<CStockRec>();
    return {};
}

ReportFieldType TypeOf(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Boolean:
        return ReportFieldType::Boolean;
    case FieldKind::Integer:
        return ReportFieldType::Integer;
    case FieldKind::Long:
        return ReportFieldType::Long;
    case FieldKind::Currency:
        return ReportFieldType::Currency;
    case FieldKind::Single:
        return ReportFieldType::Single;
    case FieldKind::Double:
        return ReportFieldType::Double;
    case FieldKind::DateTime:
        return ReportFieldType::Date;
    case FieldKind::Text:
        return ReportFieldType::Text;
    }
    return ReportFieldType::Text;
}

// The ID fields shown with six digits.
bool IsPaddedId(const QString& field)
{
    static const QStringList ids = {
        QStringLiteral("ItemID"),    QStringLiteral("VendorID"), QStringLiteral("VendorID1"),
        QStringLiteral("VendorID2"), QStringLiteral("OrderID"),  QStringLiteral("StockID"),
        QStringLiteral("POID"),      QStringLiteral("SIID"),     QStringLiteral("CustomerID")};
    return ids.contains(field);
}

// A payment method's name; a code no method has shows as the number it is.
QString PayMethodCellText(qint64 code)
{
    return code >= 0 && code <= 3 ? PayMethodText(int(code)) : QString::number(code);
}

struct VendorRef
{
    QString name, number;
};
struct ItemRef
{
    QString name, number;
    Money cost;
};
struct CustomerRef
{
    QString last, first, company;
};

// The records the lookup columns read, each table once.
struct Lookups
{
    QHash<qint32, VendorRef> vendors;
    QHash<qint32, ItemRef> items;
    QHash<qint32, CustomerRef> customers;
    QHash<qint32, qint32> poNumbers;
};

enum class Lookup
{
    None,
    VendorName,
    VendorNumber,
    ItemName,
    ItemNumber,
    ItemCost,
    Filled,
    PONumber,
    CustomerLast,
    CustomerFirst,
    CustomerCompany,
};

enum class Source
{
    Missing,   // neither a field of the records nor a lookup: an empty cell
    Stored,    // a field of the record
    Lookup,    // a value found through an ID of the record
    Statistic, // a statistic evaluated for the record
    Deleted,   // a statistic the project no longer has
};

// How one column's cells are made from a record.
struct ColumnPlan
{
    Source source = Source::Missing;
    QString field;
    FieldKind kind = FieldKind::Text;
    int column = -1; // the stored field, or the ID a lookup reads through
    int extra = -1;  // Filled: the FilledDate column
    Lookup lookup = Lookup::None;
    const CStatistic* statistic = nullptr;
    // Sorted by the text rather than by a number.
    bool sortsAsText = false;
};

struct LookupName
{
    const char* field;
    Lookup lookup;
    const char* through;
};

constexpr LookupName kLookups[] = {
    {"VendorName1", Lookup::VendorName, "VendorID1"},
    {"VendorNumber1", Lookup::VendorNumber, "VendorID1"},
    {"VendorName2", Lookup::VendorName, "VendorID2"},
    {"VendorNumber2", Lookup::VendorNumber, "VendorID2"},
    {"VendorName", Lookup::VendorName, "VendorID"},
    {"VendorNumber", Lookup::VendorNumber, "VendorID"},
    {"ItemName", Lookup::ItemName, "ItemID"},
    {"ItemNumber", Lookup::ItemNumber, "ItemID"},
    {"Customer-LastName", Lookup::CustomerLast, "CustomerID"},
    {"Customer-FirstName", Lookup::CustomerFirst, "CustomerID"},
    {"Customer-Company", Lookup::CustomerCompany, "CustomerID"},
};

class ContentBuilder
{
public:
    ContentBuilder(ProjectTables& tables, const QList<CStatistic>& statistics, const QLocale& locale)
        : m_tables(tables), m_statistics(statistics), m_locale(locale)
    {
    }

    ReportContent build(const CReportDefinition& definition);

private:
    const CStatistic* statisticNamed(const QString& name) const
    {
        for (const CStatistic& statistic : m_statistics) {
            if (statistic.Name == name)
                return &statistic;
        }
        return nullptr;
    }
    StatisticEvaluator& evaluator()
    {
        if (!m_evaluator)
            m_evaluator = std::make_unique<StatisticEvaluator>(m_tables, m_statistics, m_locale);
        return *m_evaluator;
    }
    void plan(const CReportDefinition& definition, const QList<ReportColumn>& columns,
              const QStringList& resultColumns);
    void readLookups();
    ReportCell storedCell(const ColumnPlan& plan, const StreamedRow& row, double& key) const;
    ReportCell lookupCell(const ColumnPlan& plan, const StreamedRow& row, double& key) const;
    ReportCell statisticCell(const ColumnPlan& plan, qint32 recordID, double& key);

    ProjectTables& m_tables;
    const QList<CStatistic>& m_statistics;
    QLocale m_locale;
    std::unique_ptr<StatisticEvaluator> m_evaluator;
    FieldKinds m_kinds;
    QList<ColumnPlan> m_plans;
    Lookups m_lookups;
    qint32 m_listing = CStatistic::NoListing;
};

int IndexOfColumn(const QStringList& columns, const QString& name)
{
    const int exact = static_cast<int>(columns.indexOf(name));
    if (exact >= 0)
        return exact;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

void ContentBuilder::plan(const CReportDefinition& definition, const QList<ReportColumn>& columns,
                          const QStringList& resultColumns)
{
    const bool stock = definition.table == QLatin1String(CStockRec::kTable);
    const bool purchaseOrders = definition.table == QLatin1String(CPORec::kTable);
    for (const ReportColumn& column : columns) {
        ColumnPlan plan;
        plan.field = column.field;
        if (column.kind == ReportColumn::KindStatistic) {
            plan.statistic = statisticNamed(column.field);
            plan.source = plan.statistic ? Source::Statistic : Source::Deleted;
            plan.sortsAsText = !plan.statistic;
            m_plans.append(plan);
            continue;
        }
        for (const LookupName& name : kLookups) {
            if (column.field == QLatin1String(name.field)) {
                plan.lookup = name.lookup;
                plan.column = IndexOfColumn(resultColumns, QString::fromLatin1(name.through));
            }
        }
        if (plan.lookup == Lookup::None && stock) {
            if (column.field == QLatin1String("Cost")) {
                plan.lookup = Lookup::ItemCost;
                plan.column = IndexOfColumn(resultColumns, QStringLiteral("ItemID"));
            } else if (column.field == QLatin1String("POID")) {
                plan.lookup = Lookup::PONumber;
                plan.column = IndexOfColumn(resultColumns, QStringLiteral("POID"));
            }
        }
        if (plan.lookup == Lookup::None && purchaseOrders && column.field == QLatin1String("Filled")) {
            plan.lookup = Lookup::Filled;
            plan.column = IndexOfColumn(resultColumns, QStringLiteral("Filled"));
            plan.extra = IndexOfColumn(resultColumns, QStringLiteral("FilledDate"));
        }
        if (plan.lookup != Lookup::None) {
            plan.source = plan.column >= 0 ? Source::Lookup : Source::Missing;
            plan.sortsAsText = plan.lookup != Lookup::ItemCost && plan.lookup != Lookup::PONumber &&
                               plan.lookup != Lookup::Filled;
            m_plans.append(plan);
            continue;
        }
        plan.column = IndexOfColumn(resultColumns, column.field);
        plan.source = plan.column >= 0 ? Source::Stored : Source::Missing;
        plan.kind = m_kinds.value(column.field, FieldKind::Text);
        plan.sortsAsText = plan.source == Source::Missing || plan.kind == FieldKind::Text ||
                           plan.kind == FieldKind::Boolean ||
                           (plan.kind == FieldKind::Integer && column.field == QLatin1String("PayMethod"));
        m_plans.append(plan);
    }
}

void ContentBuilder::readLookups()
{
    bool vendors = false, items = false, customers = false, purchaseOrders = false;
    for (const ColumnPlan& plan : std::as_const(m_plans)) {
        if (plan.source != Source::Lookup)
            continue;
        switch (plan.lookup) {
        case Lookup::VendorName:
        case Lookup::VendorNumber:
            vendors = true;
            break;
        case Lookup::ItemName:
        case Lookup::ItemNumber:
        case Lookup::ItemCost:
            items = true;
            break;
        case Lookup::CustomerLast:
        case Lookup::CustomerFirst:
        case Lookup::CustomerCompany:
            customers = true;
            break;
        case Lookup::PONumber:
            purchaseOrders = true;
            break;
        case Lookup::None:
        case Lookup::Filled:
            break;
        }
    }
    ProjectDatabase& db = m_tables.database();
    // A lookup that cannot be read leaves its cells empty; the report itself
    // was read.
    if (vendors) {
        StreamTableColumns(
            db, QStringLiteral("Vendors"), {QStringLiteral("Name"), QStringLiteral("Number")},
            [&](const StreamedRow& row) {
                m_lookups.vendors.insert(static_cast<qint32>(row.whole(0)), {row.text(1), row.text(2)});
            });
    }
    if (items) {
        StreamTableColumns(db, QStringLiteral("Items"),
                           {QStringLiteral("Name"), QStringLiteral("Number"), QStringLiteral("Cost")},
                           [&](const StreamedRow& row) {
                               m_lookups.items.insert(
                                   static_cast<qint32>(row.whole(0)),
                                   {row.text(1), row.text(2),
                                    row.isNull(3) ? Money::null() : Money::fromDouble(row.real(3))});
                           });
    }
    if (customers) {
        StreamTableColumns(db, QStringLiteral("Customers"),
                           {QStringLiteral("Last"), QStringLiteral("First"), QStringLiteral("Company")},
                           [&](const StreamedRow& row) {
                               m_lookups.customers.insert(static_cast<qint32>(row.whole(0)),
                                                          {row.text(1), row.text(2), row.text(3)});
                           });
    }
    if (purchaseOrders) {
        StreamTableColumns(db, QStringLiteral("PO"), {QStringLiteral("Number")}, [&](const StreamedRow& row) {
            m_lookups.poNumbers.insert(static_cast<qint32>(row.whole(0)), static_cast<qint32>(row.whole(1)));
        });
    }
}

ReportCell ContentBuilder::storedCell(const ColumnPlan& plan, const StreamedRow& row, double& key) const
{
    const int c = plan.column;
    ReportCell cell;
    cell.type = TypeOf(plan.kind);
    switch (plan.kind) {
    case FieldKind::Boolean:
        cell.text = row.real(c) != 0.0 ? QStringLiteral("YES") : QStringLiteral("NO");
        break;
    case FieldKind::Integer: {
        const qint64 value = row.whole(c);
        key = static_cast<double>(value);
        cell.text = plan.field == QLatin1String("PayMethod") ? PayMethodCellText(value) : QString::number(value);
        break;
    }
    case FieldKind::Long: {
        const qint32 value = static_cast<qint32>(row.whole(c));
        key = value;
        const bool origin = plan.field == QLatin1String("OrderID") || plan.field == QLatin1String("POID");
        if (origin && !StockOriginLabel(value).isEmpty())
            cell.text = StockOriginLabel(value);
        else if (value == -1 && plan.field == QLatin1String("CustomerID"))
            cell.text = QStringLiteral("NA");
        else if (IsPaddedId(plan.field))
            cell.text = FormatRecordId(value);
        else
            cell.text = QString::number(value);
        break;
    }
    case FieldKind::Currency:
        if (!row.isNull(c)) {
            const Money amount = Money::fromDouble(row.real(c));
            key = static_cast<double>(amount.tenThousandths());
            cell.text = FormatCurrency(amount, m_locale);
        }
        break;
    case FieldKind::Single:
        key = static_cast<float>(row.real(c));
        cell.text = QString::number(key, 'f', 2);
        break;
    case FieldKind::Double:
        key = row.real(c);
        cell.text = QString::number(key, 'f', 2);
        break;
    case FieldKind::DateTime:
        if (!row.isNull(c)) {
            key = row.real(c);
            cell.text = DateTime::fromDays(key).formatShortDate(m_locale);
        }
        break;
    case FieldKind::Text:
        cell.text = row.text(c);
        break;
    }
    return cell;
}

ReportCell ContentBuilder::lookupCell(const ColumnPlan& plan, const StreamedRow& row, double& key) const
{
    const qint32 id = static_cast<qint32>(row.whole(plan.column));
    ReportCell cell;
    switch (plan.lookup) {
    case Lookup::VendorName:
    case Lookup::VendorNumber:
        if (const auto found = m_lookups.vendors.constFind(id); found != m_lookups.vendors.cend())
            cell.text = plan.lookup == Lookup::VendorName ? found->name : found->number;
        break;
    case Lookup::ItemName:
    case Lookup::ItemNumber:
        if (const auto found = m_lookups.items.constFind(id); found != m_lookups.items.cend())
            cell.text = plan.lookup == Lookup::ItemName ? found->name : found->number;
        break;
    case Lookup::ItemCost:
        cell.type = ReportFieldType::Currency;
        if (const auto found = m_lookups.items.constFind(id);
            found != m_lookups.items.cend() && found->cost.isValid()) {
            key = static_cast<double>(found->cost.tenThousandths());
            cell.text = FormatCurrency(found->cost, m_locale);
        }
        break;
    case Lookup::CustomerLast:
    case Lookup::CustomerFirst:
    case Lookup::CustomerCompany:
        if (const auto found = m_lookups.customers.constFind(id); found != m_lookups.customers.cend()) {
            cell.text = plan.lookup == Lookup::CustomerLast    ? found->last
                        : plan.lookup == Lookup::CustomerFirst ? found->first
                                                               : found->company;
        }
        break;
    case Lookup::PONumber:
        cell.type = ReportFieldType::Long;
        key = id;
        if (!StockOriginLabel(id).isEmpty()) {
            cell.text = StockOriginLabel(id);
        } else if (const auto found = m_lookups.poNumbers.constFind(id);
                   found != m_lookups.poNumbers.cend()) {
            key = *found;
            cell.text = FormatRecordId(*found);
        } else {
            key = kStockOriginPurged;
            cell.text = QStringLiteral("Purged");
        }
        break;
    case Lookup::Filled:
        cell.type = ReportFieldType::Date;
        if (row.real(plan.column) == 0.0) {
            cell.text = QStringLiteral("-");
        } else if (plan.extra >= 0 && !row.isNull(plan.extra)) {
            key = row.real(plan.extra);
            cell.text = DateTime::fromDays(key).formatShortDate(m_locale);
        }
        break;
    case Lookup::None:
        break;
    }
    return cell;
}

ReportCell ContentBuilder::statisticCell(const ColumnPlan& plan, qint32 recordID, double& key)
{
    ReportCell cell;
    StatisticEvaluator& statistics = evaluator();
    if (m_listing != CStatistic::NoListing)
        statistics.setCurrentRecord(m_listing, recordID);
    const std::optional<StatisticValue> value = statistics.evaluate(*plan.statistic);
    if (!value) {
        cell.text = UnavailableStatisticText();
        return cell;
    }
    cell.text = statistics.text(*value);
    switch (value->kind()) {
    case StatisticValue::KindBoolean:
        cell.type = ReportFieldType::Boolean;
        key = value->number();
        break;
    case StatisticValue::KindInteger:
        cell.type = ReportFieldType::Long;
        key = value->number();
        break;
    case StatisticValue::KindCurrency:
        cell.type = ReportFieldType::Currency;
        if (const std::optional<Money> amount = value->amount(statistics.currency()))
            key = static_cast<double>(amount->tenThousandths());
        break;
    case StatisticValue::KindReal:
        cell.type = ReportFieldType::Double;
        key = value->number();
        break;
    case StatisticValue::KindNone:
        break;
    }
    return cell;
}

// The statistic listing whose current record a report's record is.
qint32 StatisticListingOfTable(const QString& table)
{
    if (table == QLatin1String(CItemsRec::kTable))
        return CStatistic::ListingItems;
    if (table == QLatin1String(CStockRec::kTable))
        return CStatistic::ListingStock;
    return CStatistic::NoListing;
}

ReportContent ContentBuilder::build(const CReportDefinition& definition)
{
    ReportContent content;
    content.definition = definition;
    content.columns = definition.columns.mid(0, ReportContent::kMostColumns);
    content.droppedColumns = static_cast<int>(definition.columns.size() - content.columns.size());
    m_kinds = KindsOfTable(definition.table);
    m_listing = StatisticListingOfTable(definition.table);

    ProjectDatabase& db = m_tables.database();
    const QString queryName = definition.applyQuery ? definition.queryName : QString();
    // An unknown table is no table of the project: it cannot be opened.
    if (queryName.isEmpty() && m_kinds.isEmpty()) {
        content.error = ReportRecordsUnavailableText();
        return content;
    }

    // The sort key: the first column of the sort field, when no query orders the rows.
    int sortColumn = -1;
    if (queryName.isEmpty() && !definition.sortField.isEmpty()) {
        for (qsizetype i = 0; i < content.columns.size() && sortColumn < 0; ++i) {
            if (content.columns.at(i).field == definition.sortField)
                sortColumn = static_cast<int>(i);
        }
    }

    std::vector<double> keys;
    const auto columnsRead = [&](const QStringList& resultColumns) {
        plan(definition, content.columns, resultColumns);
        readLookups();
    };
    RecordStreamStatus status = RecordStreamStatus::Read;
    if (!definition.showList) {
        status = StreamReportRecords(db, definition.table, queryName, {}, {}, 0);
    } else {
        int idColumn = -1;
        status = StreamReportRecords(
            db, definition.table, queryName,
            [&](const QStringList& resultColumns) {
                columnsRead(resultColumns);
                idColumn = IndexOfColumn(resultColumns, QStringLiteral("ID"));
            },
            [&](const StreamedRow& row) {
                ReportRow out;
                out.recordID = idColumn >= 0 ? static_cast<qint32>(row.whole(idColumn)) : 0;
                out.cells.reserve(m_plans.size());
                double sortKey = kNoKey;
                for (qsizetype i = 0; i < m_plans.size(); ++i) {
                    const ColumnPlan& plan = m_plans.at(i);
                    double key = kNoKey;
                    switch (plan.source) {
                    case Source::Stored:
                        out.cells.append(storedCell(plan, row, key));
                        break;
                    case Source::Lookup:
                        out.cells.append(lookupCell(plan, row, key));
                        break;
                    case Source::Statistic:
                        out.cells.append(statisticCell(plan, out.recordID, key));
                        break;
                    case Source::Deleted:
                        out.cells.append(ReportCell{DeletedStatisticText(), ReportFieldType::Text});
                        break;
                    case Source::Missing:
                        out.cells.append(ReportCell{});
                        break;
                    }
                    if (i == sortColumn)
                        sortKey = key;
                }
                if (sortColumn >= 0)
                    keys.push_back(sortKey);
                content.rows.append(std::move(out));
            });
    }
    if (status != RecordStreamStatus::Read) {
        content.rows.clear();
        content.error = status == RecordStreamStatus::QueryMissing ? ReportQueryMissingText()
                                                                   : ReportRecordsUnavailableText();
        return content;
    }

    if (sortColumn >= 0 && content.rows.size() > 1) {
        std::vector<qsizetype> order(static_cast<size_t>(content.rows.size()));
        std::iota(order.begin(), order.end(), 0);
        if (m_plans.at(sortColumn).sortsAsText) {
            std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
                return content.rows.at(a).cells.at(sortColumn).text <
                       content.rows.at(b).cells.at(sortColumn).text;
            });
        } else {
            std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
                return keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)];
            });
        }
        QList<ReportRow> sorted;
        sorted.reserve(content.rows.size());
        for (const qsizetype index : order)
            sorted.append(std::move(content.rows[index]));
        content.rows = std::move(sorted);
    }

    for (const QString& name : definition.statistics) {
        const CStatistic* statistic = statisticNamed(name);
        if (!statistic) {
            content.statistics.append({name, DeletedStatisticText()});
            continue;
        }
        // The block speaks of the whole report: no record is current.
        StatisticEvaluator& statistics = evaluator();
        if (m_listing != CStatistic::NoListing)
            statistics.clearCurrentRecord(m_listing);
        const std::optional<StatisticValue> value = statistics.evaluate(*statistic);
        content.statistics.append({name, value ? statistics.text(*value) : UnavailableStatisticText()});
    }
    return content;
}

} // namespace

QString ReportDefinitionMissingText()
{
    return QStringLiteral("Report Definition no longer exists.");
}

QString ReportQueryMissingText()
{
    return QStringLiteral("Unable to locate query specified with report.");
}

QString ReportRecordsUnavailableText()
{
    return QStringLiteral("Unable to open records.");
}

QString DeletedStatisticText()
{
    return QStringLiteral("Deleted");
}

QString UnavailableStatisticText()
{
    return QStringLiteral("N/A");
}

ReportContent BuildReportContent(ProjectTables& tables, const CReportDefinition& definition,
                                 const QList<CStatistic>& statistics, const QLocale& locale)
{
    ContentBuilder builder(tables, statistics, locale);
    return builder.build(definition);
}

ReportContent BuildReportContent(ProjectTables& tables, ReportFile& file, const QString& reportName,
                                 const QList<CStatistic>& statistics, const QLocale& locale)
{
    if (reportName.isEmpty() || !file.getByName(reportName)) {
        ReportContent content;
        content.definition.name = reportName;
        content.error = ReportDefinitionMissingText();
        return content;
    }
    return BuildReportContent(tables, file.readBuffer(), statistics, locale);
}
