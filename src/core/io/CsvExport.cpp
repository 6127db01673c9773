#include "CsvExport.h"

#include "Csv.h"
#include "core/common/Archive.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/db/RecordStream.h"
#include "core/db/Records.h"
#include "core/db/Schema.h"
#include "core/reports/QuickReports.h"
#include "core/views/RecordList.h"

#include <QHash>
#include <QRegularExpression>

#include <functional>
#include <optional>

namespace {

using FieldKinds = QHash<QString, FieldKind>;

template <typename Rec> void addKinds(FieldKinds& kinds)
{
    for (const FieldDef& field : FieldsOf<Rec>())
        kinds.insert(QString::fromLatin1(field.name), field.kind);
}

// The column types of a project table, by column name; none for a table the
// project does not define.
FieldKinds kindsOfTable(const QString& table)
{
    FieldKinds kinds;
    const auto is = [&table](const char* name) {
        return table.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is(CVendorsRec::kTable))
        addKinds<CVendorsRec>(kinds);
    else if (is(CItemsRec::kTable))
        addKinds<CItemsRec>(kinds);
    else if (is(COrderRec::kTable))
        addKinds<COrderRec>(kinds);
    else if (is(CStockRec::kTable))
        addKinds<CStockRec>(kinds);
    else if (is(CSalesRec::kTable))
        addKinds<CSalesRec>(kinds);
    else if (is(CCustomersRec::kTable))
        addKinds<CCustomersRec>(kinds);
    else if (is(CReceivedRec::kTable))
        addKinds<CReceivedRec>(kinds);
    else if (is(CPORec::kTable))
        addKinds<CPORec>(kinds);
    else if (is(CSIRec::kTable))
        addKinds<CSIRec>(kinds);
    else if (is(CARRec::kTable))
        addKinds<CARRec>(kinds);
    return kinds;
}

// The column types of a stored query's result: those of the table its FROM
// clause names, then those of every project table for the names that one
// lacks (a column a join brings in).
FieldKinds kindsOfQuery(const QString& sql)
{
    static const QRegularExpression from(QStringLiteral(R"re(\bFROM\s+(?:\[([^\]]+)\]|"([^"]+)"|(\w+)))re"),
                                         QRegularExpression::CaseInsensitiveOption);
    FieldKinds kinds;
    if (const QRegularExpressionMatch match = from.match(sql); match.hasMatch())
        kinds = kindsOfTable(match.captured(1) + match.captured(2) + match.captured(3));
    for (const char* table :
         {CVendorsRec::kTable, CItemsRec::kTable, CPORec::kTable, CSIRec::kTable, CCustomersRec::kTable,
          CStockRec::kTable, COrderRec::kTable, CSalesRec::kTable, CReceivedRec::kTable, CARRec::kTable}) {
        const FieldKinds more = kindsOfTable(QString::fromLatin1(table));
        for (auto it = more.cbegin(); it != more.cend(); ++it)
            kinds.insert(it.key(), kinds.value(it.key(), it.value()));
    }
    return kinds;
}

// A column of a streamed result written as its stored value: amounts and
// dates are kept as reals, yes/no as numbers.
void addStored(CsvWriter& out, const StreamedRow& row, int column, std::optional<FieldKind> kind)
{
    if (row.isNull(column)) {
        out.addEmpty();
        return;
    }
    switch (kind.value_or(FieldKind::Text)) {
    case FieldKind::Long:
    case FieldKind::Integer:
        out.addWhole(row.whole(column));
        return;
    case FieldKind::Single:
        out.addText(CsvValueText(QVariant(static_cast<float>(row.real(column)))));
        return;
    case FieldKind::Double:
        out.addText(CsvRealText(row.real(column)));
        return;
    case FieldKind::Currency:
        out.addText(CsvMoneyText(Money::fromDouble(row.real(column))));
        return;
    case FieldKind::DateTime:
        out.addText(CsvDateText(DateTime::fromDays(row.real(column))));
        return;
    case FieldKind::Boolean:
        out.addText(CsvBooleanText(row.real(column) != 0.0));
        return;
    case FieldKind::Text:
        out.addText(row.textView(column));
        return;
    }
}

// Writes the file through `write`, which returns false with `error` set when
// its rows could not be read; the file is replaced only when it returns true.
bool writeCsvFile(const QString& path, QString* error, const std::function<bool(CsvWriter&, QString&)>& write)
{
    QString readError;
    const int status = writeFileSafely(path, [&](QIODevice& device) {
        CsvWriter out(device);
        if (!write(out, readError))
            return Status::OperationFailed;
        return out.flush() ? Status::Success : Status::FileNotAccessible;
    });
    if (status == Status::Success)
        return true;
    if (error)
        *error = readError.isEmpty() ? StatusMessage(status) : readError;
    return false;
}

// Why a read of the project that began at `failures` failed.
QString readFailureText(const ProjectDatabase& db, quint64 failures)
{
    const std::optional<ProjectDatabase::ReadFailure> failure = db.readFailureSince(failures);
    return failure ? ReadFailureText(*failure) : StatusMessage(Status::OperationFailed);
}

// Streams the rows of a table or a stored query.
bool writeStreamed(CsvWriter& out, QString& error, ProjectDatabase& db, const QString& table,
                   const QString& queryName, const FieldKinds& kinds)
{
    const quint64 failures = db.readFailureCount();
    std::vector<std::optional<FieldKind>> columnKinds;
    const auto header = [&](const QStringList& columns) {
        out.writeRecord(columns);
        for (const QString& column : columns) {
            const auto found = kinds.constFind(column);
            columnKinds.push_back(found == kinds.cend() ? std::nullopt : std::optional(*found));
        }
    };
    const auto row = [&](const StreamedRow& streamed) {
        for (int column = 0; column < int(columnKinds.size()); ++column)
            addStored(out, streamed, column, columnKinds[std::size_t(column)]);
        out.endRecord();
    };
    const RecordStreamStatus status = StreamReportRecords(db, table, queryName, header, row);
    if (status == RecordStreamStatus::QueryMissing) {
        error = QStringLiteral("There is no stored query named \"%1\".").arg(queryName);
        return false;
    }
    if (status != RecordStreamStatus::Read || db.readFailureCount() != failures) {
        error = readFailureText(db, failures);
        return false;
    }
    return true;
}

} // namespace

bool ExportListCsv(const RecordList& list, const QString& path, QString* error)
{
    return writeCsvFile(path, error, [&list](CsvWriter& out, QString& readError) {
        const ListColumnLayout& layout = list.layout();
        const QList<int> columns = layout.visibleColumns();
        for (const int column : columns)
            out.addText(layout.column(column).title);
        out.endRecord();
        const bool read = list.forEachRowValues(0, [&](qsizetype, const ListRow& row) {
            for (const int column : columns)
                out.addValue(row.values.value(column));
            out.endRecord();
            return true;
        });
        if (!read)
            readError = list.readError().isEmpty() ? list.readFailureText() : list.readError();
        return read;
    });
}

bool ExportQueryCsv(ProjectDatabase& db, const QString& queryName, const QString& path, QString* error)
{
    const quint64 failures = db.readFailureCount();
    const std::optional<QString> sql = db.QueryDefSql(queryName);
    if (!sql) {
        if (error)
            *error = db.readFailureCount() != failures
                         ? readFailureText(db, failures)
                         : QStringLiteral("There is no stored query named \"%1\".").arg(queryName);
        return false;
    }
    const FieldKinds kinds = kindsOfQuery(*sql);
    return writeCsvFile(path, error, [&](CsvWriter& out, QString& readError) {
        return writeStreamed(out, readError, db, QString(), queryName, kinds);
    });
}

bool ExportTableCsv(ProjectDatabase& db, const QString& table, const QString& path, QString* error)
{
    const quint64 failures = db.readFailureCount();
    QString stored;
    for (const QString& name : db.tableNames()) {
        if (name.compare(table, Qt::CaseInsensitive) == 0)
            stored = name;
    }
    if (db.readFailureCount() != failures || stored.isEmpty()) {
        if (error)
            *error = stored.isEmpty() && db.readFailureCount() == failures
                         ? QStringLiteral("The project has no table named \"%1\".").arg(table)
                         : readFailureText(db, failures);
        return false;
    }
    const FieldKinds kinds = kindsOfTable(stored);
    return writeCsvFile(path, error, [&](CsvWriter& out, QString& readError) {
        return writeStreamed(out, readError, db, stored, QString(), kinds);
    });
}

bool ExportQuickReportCsv(ProjectTables& tables, const QuickReportParameters& parameters, const QString& path,
                          QString* error)
{
    QuickReportCellTexts cells;
    cells.money = CsvMoneyText;
    cells.date = CsvDateText;
    cells.id = [](qint32 id) { return QString::number(id); };
    const QuickReportContent content = BuildQuickReport(tables, parameters, UserLocale(), cells);
    if (!content.ok()) {
        if (error)
            *error = content.error;
        return false;
    }
    return writeCsvFile(path, error, [&content](CsvWriter& out, QString&) {
        bool first = true;
        for (const QuickTable& table : content.tables) {
            if (!first)
                out.endRecord();
            first = false;
            out.writeRecord(table.headings);
            for (const QStringList& row : table.rows)
                out.writeRecord(row);
        }
        return true;
    });
}
