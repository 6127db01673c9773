// Writes the seed corpora with the engine's own writers: fuzz_seeds <corpus dir>
// fills <corpus dir>/<target>/ with small real inputs of each target.
#include "Version2Records.h"

#include "core/common/Archive.h"
#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/common/StatusCodes.h"
#include "core/db/Dialect.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectSettings.h"
#include "core/records/ImportVersion2.h"
#include "core/reports/QuerySql.h"
#include "core/reports/ReportDefinition.h"
#include "tools/generator/ProjectGenerator.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <bit>
#include <cstdio>
#include <cstring>

namespace {

QString g_root;

bool save(const QString& target, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(g_root + u'/' + target);
    QFile file(g_root + u'/' + target + u'/' + name);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A first byte that picks the locale or listing, then the text.
QByteArray tagged(int tag, const QString& text)
{
    return QByteArray(1, static_cast<char>(tag)) + text.toUtf8();
}

CStatistic statistic(const QString& name, quint8 op, const QString& left, const QString& right)
{
    CStatistic result;
    result.Name = name;
    result.Operator = op;
    result.LeftType = left.isEmpty() ? CStatistic::OperandNone : CStatistic::OperandField;
    result.LeftOperand = left;
    result.RightType = CStatistic::OperandConstant;
    result.RightOperand = right;
    result.Listing = CStatistic::ListingItems;
    return result;
}

bool writeSettings()
{
    // Real settings files, written by the settings themselves in a scratch folder.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return false;
    CProjectSettings settings(scratch.path(), QStringLiteral("Shop"));
    CStatistic dated = statistic(QStringLiteral("Café – Überzahl"), CStatistic::OpGreater,
                                 QStringLiteral("Quantity"), QStringLiteral("12"));
    dated.ApplyDates = 1;
    dated.StartDate = DateTime::fromDate(QDate(2026, 1, 1));
    dated.ThruDate = DateTime::fromDate(QDate(2026, 12, 31));
    const QList<CStatistic> all{
        statistic(QStringLiteral("Total cost"), CStatistic::OpMultiply, QStringLiteral("Cost"),
                  QStringLiteral("1.0725")),
        statistic(QStringLiteral("Average price"), CStatistic::OpAverage, {}, QStringLiteral("Price")),
        dated};
    bool ok = settings.status() == Status::Success;
    for (int count = 0; ok && count <= all.size(); ++count) {
        if (count > 0)
            ok = settings.AddStatistic(all.at(count - 1));
        if (count == all.size())
            ok = ok && settings.SetInventoryStyle(LIFO) == Status::Success;
        QFile file(settings.settingsPath());
        ok = ok && file.open(QIODevice::ReadOnly) &&
             save(QStringLiteral("fuzz_qms"), QStringLiteral("statistics-%1.qms").arg(count), file.readAll());
    }
    return ok;
}

bool writeReports()
{
    CReportDefinition plain;
    plain.table = QStringLiteral("Items");
    plain.name = QStringLiteral("Stock list");
    plain.title = QStringLiteral("Items in stock");
    for (int slot = 0; slot < ReportFontCount; ++slot)
        plain.fonts[static_cast<size_t>(slot)] = ReportFont::fromPoints(QStringLiteral("Arial"), 10 + slot);
    plain.columns = {ReportColumn{QStringLiteral("Name"), QStringLiteral("Name")},
                     ReportColumn{QStringLiteral("Qty"), QStringLiteral("Quantity")}};

    CReportDefinition full = plain.clone();
    full.table = QStringLiteral("Customers");
    full.name = QStringLiteral("Kunden – Übersicht");
    full.statisticsTitle = QStringLiteral("Totals");
    full.verticalLines = 1;
    full.horizontalLines = 1;
    full.pageNumbers = 1;
    full.companyInformation = 1;
    full.applyQuery = 1;
    full.queryName = QStringLiteral("Open accounts");
    full.showList = 1;
    full.showRecordNumbers = 1;
    full.sortField = QStringLiteral("Name");
    full.statistics = {QStringLiteral("Total cost"), QStringLiteral("Average price")};

    bool ok = true;
    const QList<QList<CReportDefinition>> files{{plain}, {full}, {plain, full}};
    for (qsizetype i = 0; i < files.size(); ++i) {
        QByteArray bytes;
        QBuffer device(&bytes);
        device.open(QIODevice::WriteOnly);
        ArchiveWriter archive(device);
        for (const CReportDefinition& record : files.at(i))
            record.Write(archive);
        ok = ok && !archive.hasError() &&
             save(QStringLiteral("fuzz_irp"), QStringLiteral("reports-%1.irp").arg(i), bytes);
    }
    return ok;
}

bool writeMoneyAndDates()
{
    const QList<QLocale> locales{
        QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::Switzerland), QLocale(QLocale::Japanese, QLocale::Japan)};
    bool ok = true;
    int n = 0;
    for (int tag = 0; tag < locales.size(); ++tag) {
        const QLocale& locale = locales.at(tag);
        for (Money amount :
             {Money::fromWhole(1234, 5000), -Money::fromWhole(7, 25), Money::fromTenThousandths(1)}) {
            ok = ok && save(QStringLiteral("fuzz_money_date"), QStringLiteral("money-%1").arg(n++),
                            tagged(tag, FormatCurrencyField(amount, locale)));
        }
        const DateTime date = DateTime::fromDate(QDate(2026, 12, 7));
        ok = ok && save(QStringLiteral("fuzz_money_date"), QStringLiteral("date-%1").arg(n++),
                        tagged(tag, date.formatShortDate(locale)));
        ok = ok && save(QStringLiteral("fuzz_money_date"), QStringLiteral("date-%1").arg(n++),
                        tagged(tag, locale.toString(QDate(1999, 2, 28), QLocale::LongFormat)));
    }
    ok = ok && save(QStringLiteral("fuzz_money_date"), QStringLiteral("negative-parentheses"),
                    tagged(0, QStringLiteral("($1,234.56789)")));
    ok = ok && save(QStringLiteral("fuzz_money_date"), QStringLiteral("date-iso"),
                    tagged(0, QStringLiteral("2026-02-29")));
    return ok;
}

bool writeQueries()
{
    bool ok = true;
    int n = 0;
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    for (int listing = 0; listing < kListingKindCount; ++listing) {
        const ListingKind kind = static_cast<ListingKind>(listing);
        const QList<QueryField>& fields = QueryFieldsOf(kind);
        QuerySentence sentence;
        sentence.top = listing % 2 == 0;
        sentence.percent = listing % 3 == 0;
        sentence.count = QStringLiteral("25");
        sentence.orderBy = static_cast<int>(fields.size()) - 1;
        sentence.descending = true;
        for (int row = 0; row < kQueryCriterionCount && row < fields.size(); ++row) {
            QueryCriterion& criterion = sentence.criteria[static_cast<size_t>(row)];
            criterion.field = row;
            criterion.op = row;
            switch (fields.at(row).type) {
            case QueryFieldType::Text:
                criterion.value = QStringLiteral("O'Brien \"and\" sons");
                break;
            case QueryFieldType::Date:
                criterion.value = QStringLiteral("12/7/2026");
                break;
            case QueryFieldType::Currency:
                criterion.value = QStringLiteral("$1,234.50");
                break;
            case QueryFieldType::Boolean:
                criterion.value = QStringLiteral("TRUE");
                break;
            default:
                criterion.value = QStringLiteral("42");
                break;
            }
        }
        sentence.connectors[1] = QueryConnector::Or;
        if (const std::optional<QString> sql = BuildQuerySql(kind, sentence, locale))
            ok = ok && save(QStringLiteral("fuzz_query"), QStringLiteral("stored-%1").arg(n++),
                            tagged(listing, NormalizeStoredQuery(*sql)));
        else
            ok = false;
    }
    const QStringList dialect{
        QStringLiteral(
            "SELECT TOP 10 PERCENT * FROM [Items] WHERE [Date Added] > #1/31/2026# ORDER BY [Name];"),
        QStringLiteral(
            "SELECT * FROM [Customers] WHERE [Name] = \"Smith \"\"Jr\"\"\" AND [Tax Exempt] = TRUE"),
        QStringLiteral("SELECT [Vendor], COUNT(*) FROM [PO] GROUP BY [Vendor] HAVING COUNT(*) > 2"),
        QStringLiteral("SELECT * FROM [SI] WHERE [Notes] LIKE '%;--%'; DROP TABLE [SI]"),
        QStringLiteral("SELECT * FROM Stock WHERE [Received] BETWEEN #2/29/2024# AND #13/1/2024#"),
    };
    for (qsizetype i = 0; i < dialect.size(); ++i)
        ok = ok && save(QStringLiteral("fuzz_query"), QStringLiteral("dialect-%1").arg(i),
                        tagged(static_cast<int>(i) % kListingKindCount, dialect.at(i)));
    return ok;
}

// Version 2.0 files have no writer in the engine: their records are laid out
// byte by byte, as the import tests lay them out.
using Record = RecordBytes;

bool writeVersion2Files()
{
    const QByteArray vendors =
        Record(ImportVersion2::kVendorRecordLength)
            .text(0, "Acme Supply")
            .text(50, "V-100")
            .text(85, "Jo Smith")
            .text(110, "555-0100")
            .text(160, "Springfield")
            .text(185, "IL")
            .bytes() +
        Record(ImportVersion2::kVendorRecordLength).text(0, "Caf\xe9 M\xfcller").bytes();
    const QByteArray items = Record(ImportVersion2::kItemRecordLength)
                                 .text(0, "Widget")
                                 .text(20, "W-1")
                                 .text(40, "A small widget")
                                 .text(90, "Acme Supply")
                                 .text(122, "Other Vendor")
                                 .number(160, 1.25)
                                 .number(168, 2.99)
                                 .number(184, 10)
                                 .number(192, 5)
                                 .number(208, 42)
                                 .bytes() +
                             Record(ImportVersion2::kItemRecordLength)
                                 .text(0, "Gadget")
                                 .text(90, "New Vendor")
                                 .number(160, 0.005)
                                 .number(168, 1e9)
                                 .bytes();
    const QByteArray customers = Record(ImportVersion2::kCustomerRecordLength)
                                     .text(0, "Smith")
                                     .text(20, "Anna")
                                     .text(40, "1 Main St")
                                     .text(80, "Springfield")
                                     .text(100, "IL")
                                     .text(103, "62701")
                                     .text(115, "555-0199")
                                     .bytes();
    // The first byte picks the kind: 0 vendors, 1 items, 2 customers.
    return save(QStringLiteral("fuzz_ddg"), QStringLiteral("vendors.ddg"), QByteArray(1, '\0') + vendors) &&
           save(QStringLiteral("fuzz_ddg"), QStringLiteral("items.ddg"), QByteArray(1, '\1') + items) &&
           save(QStringLiteral("fuzz_ddg"), QStringLiteral("customers.ddg"),
                QByteArray(1, '\2') + customers) &&
           save(QStringLiteral("fuzz_ddg"), QStringLiteral("items-cut-short.ddg"),
                QByteArray(1, '\1') + items.left(ImportVersion2::kItemRecordLength + 100));
}

// Small generated projects, rewritten with the smallest page the engine allows
// so that a mutation reaches every structure of the file: one with a few
// records of every kind, and one with none.
bool writeProjects()
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return false;
    GeneratorScale few;
    few.vendors = 2;
    few.items = 4;
    few.stockLots = 6;
    few.purchaseOrders = 2;
    few.orderLines = 3;
    few.receipts = 2;
    few.customers = 2;
    few.invoices = 3;
    few.salesLines = 4;
    for (const auto& [name, scale] :
         {std::pair{QStringLiteral("few"), few}, {QStringLiteral("empty"), GeneratorScale()}}) {
        if (!ProjectGenerator(scale).generate(scratch.path(), name).ok)
            return false;
        const QString path = scratch.filePath(name + QStringLiteral(".qmp"));
        {
            ProjectDatabase database;
            if (!database.open(path) || !database.execNative(QStringLiteral("PRAGMA page_size = 512")) ||
                !database.execNative(QStringLiteral("VACUUM")))
                return false;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) ||
            !save(QStringLiteral("fuzz_qmp"), name + QStringLiteral(".qmp"), file.readAll()))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: fuzz_seeds <corpus dir>\n", stderr);
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);
    const bool ok = writeSettings() && writeReports() && writeMoneyAndDates() && writeQueries() &&
                    writeVersion2Files() && writeProjects();
    if (!ok)
        std::fputs("fuzz_seeds: a seed could not be written\n", stderr);
    return ok ? 0 : 1;
}
