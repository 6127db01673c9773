#include "CsvImport.h"

#include "core/common/Money.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/db/Records.h"
#include "core/db/TableReads.h"
#include "core/io/Csv.h"
#include "core/project/ProjectTables.h"
#include "core/records/ImportWriter.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <span>
#include <type_traits>

// A field a column can be mapped to. `column` names the record's field; the
// names that begin with '@' are not fields of the record but say where the
// item's vendors and its stock come from.
struct CsvImportModel::Target
{
    const char* column;
    const char* caption;
    std::initializer_list<const char*> aliases = {};
};

struct CsvImportModel::Row
{
    CVendorsRec vendor;
    CItemsRec item;
    CCustomersRec customer;
    qint32 quantity = 0; // an item's stock to begin with
};

namespace {

using Target = CsvImportModel::Target;

const Target kVendorTargets[] = {
    {"Name", "Vendor Name", {"Name", "Vendor"}},
    {"Number", "Vendor Number", {"Number", "Account Number"}},
    {"Contact", "Primary Contact", {"Contact"}},
    {"Street", "Street", {"Address"}},
    {"City", "City"},
    {"State", "State"},
    {"Zip", "Zip", {"Zip Code", "Postal Code"}},
    {"Phone", "Phone"},
    {"Fax", "Fax"},
    {"Contact2", "Secondary Contact"},
    {"Street2", "Secondary Street"},
    {"City2", "Secondary City"},
    {"State2", "Secondary State"},
    {"Zip2", "Secondary Zip"},
    {"Phone2", "Secondary Phone"},
    {"Fax2", "Secondary Fax"},
};

const Target kItemTargets[] = {
    {"Name", "Item Name", {"Name", "Item"}},
    {"Number", "Item Number", {"Number", "Part Number", "SKU"}},
    {"Description", "Description"},
    {"@VendorNumber", "Vendor Number"},
    {"@VendorName", "Primary Vendor", {"Vendor Name", "Vendor"}},
    {"@VendorID", "Vendor ID", {"VendorID1", "Primary Vendor ID"}},
    {"@Vendor2Number", "Secondary Vendor Number"},
    {"@Vendor2ID", "Secondary Vendor ID", {"VendorID2"}},
    {"Cost", "Cost"},
    {"SellingPrice", "Selling Price", {"Price"}},
    {"@Quantity", "Stocked", {"Quantity", "Qty", "Stock", "In Stock", "On Hand", "Initial Quantity"}},
    {"ReorderLevel", "Reorder Level"},
    {"ReorderQuanity", "Reorder Quantity"},
    {"Taxable", "Taxable"},
    {"TaxRate", "Tax Rate"},
};

const Target kCustomerTargets[] = {
    {"Company", "Company"},
    {"Last", "Last Name", {"Last", "Surname"}},
    {"First", "First Name", {"First"}},
    {"Address", "Address", {"Street"}},
    {"City", "City"},
    {"State", "State"},
    {"Zip", "Zip", {"Zip Code", "Postal Code"}},
    {"Phone", "Phone"},
    {"EMail", "e-mail", {"Email Address"}},
    {"Notes", "Notes", {"Note"}},
};

std::span<const Target> TargetsOf(CsvImportModel::Kind kind)
{
    switch (kind) {
    case CsvImportModel::Kind::Vendors:
        return kVendorTargets;
    case CsvImportModel::Kind::Items:
        return kItemTargets;
    case CsvImportModel::Kind::Customers:
        break;
    }
    return kCustomerTargets;
}

// A header or a field's name reduced to its letters and digits, lower case, so
// that "Selling Price", "selling_price" and "SellingPrice" are alike.
QString NameKey(const QString& name)
{
    QString key;
    for (const QChar c : name) {
        if (c.isLetterOrNumber())
            key.append(c.toLower());
    }
    return key;
}

bool NamesTarget(const QString& key, const Target& target)
{
    if (key.isEmpty())
        return false;
    if (key == NameKey(QString::fromLatin1(target.caption)) ||
        key == NameKey(QString::fromLatin1(target.column)))
        return true;
    for (const char* alias : target.aliases) {
        if (key == NameKey(QString::fromLatin1(alias)))
            return true;
    }
    return false;
}

QString Quoted(const QString& text)
{
    constexpr qsizetype kShown = 40;
    return QLatin1Char('"') + (text.size() > kShown ? text.left(kShown) + QStringLiteral("...") : text) +
           QLatin1Char('"');
}

// Amounts are written with a point and no currency sign; a sign, group
// separators or parentheses as a spreadsheet may add them are read as well.
std::optional<Money> ParseAmountField(const QString& text)
{
    if (text.trimmed().isEmpty())
        return Money();
    static const QLocale written(QLocale::English, QLocale::UnitedStates);
    const std::optional<Money> amount = ParseCurrency(text.trimmed(), written);
    if (!amount || !ImportWriter::isSoundAmount(*amount))
        return std::nullopt;
    return amount;
}

std::optional<qint32> ParseCountField(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    bool ok = false;
    const qlonglong value = QLocale::c().toLongLong(trimmed, &ok);
    if (!ok || value < 0 || value > ImportWriter::kLargestCount)
        return std::nullopt;
    return static_cast<qint32>(value);
}

std::optional<bool> ParseYesNoField(const QString& text)
{
    const QString key = text.trimmed().toLower();
    if (key.isEmpty() || key == u"false" || key == u"no" || key == u"n" || key == u"0")
        return false;
    if (key == u"true" || key == u"yes" || key == u"y" || key == u"1")
        return true;
    return std::nullopt;
}

std::optional<float> ParseRateField(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0.0f;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value) || value < 0.0 || value > 100.0)
        return std::nullopt;
    return static_cast<float>(value);
}

// The vendors an item may name, read once a pass.
class VendorIndex
{
public:
    bool load(ProjectDatabase& db, QString* error)
    {
        const auto numbers = ReadIdAndColumn(db, QStringLiteral("Vendors"), QStringLiteral("Number"), error);
        const auto names = ReadIdAndColumn(db, QStringLiteral("Vendors"), QStringLiteral("Name"), error);
        if (!numbers || !names)
            return false;
        for (const auto& [id, number] : *numbers) {
            m_ids.insert(id);
            const QString key = Key(number.toString());
            if (!key.isEmpty())
                m_byNumber[key].append(id);
        }
        // In ID order: of several namesakes the first is the one found, as
        // every other import finds vendors by name.
        for (const auto& [id, name] : *names) {
            const QString key = Key(name.toString());
            if (!key.isEmpty() && !m_byName.contains(key))
                m_byName.insert(key, id);
        }
        return true;
    }

    // The vendor a field names, or why it names none.
    std::optional<qint32> byNumber(const QString& text, QString& why) const
    {
        const QList<qint32> ids = m_byNumber.value(Key(text));
        if (ids.size() == 1)
            return ids.first();
        why = ids.isEmpty() ? QStringLiteral("No vendor has the number %1.").arg(Quoted(text.trimmed()))
                            : QStringLiteral("%1 vendors have the number %2.")
                                  .arg(ids.size())
                                  .arg(Quoted(text.trimmed()));
        return std::nullopt;
    }
    std::optional<qint32> byName(const QString& text, QString& why) const
    {
        const auto found = m_byName.constFind(Key(text));
        if (found != m_byName.cend())
            return *found;
        why = QStringLiteral("No vendor is named %1.").arg(Quoted(text.trimmed()));
        // A column headed "Vendor" often holds the vendors' numbers.
        if (m_byNumber.contains(Key(text)))
            why += QStringLiteral(" It is a vendor's number: choose \"Vendor Number\" for its column.");
        return std::nullopt;
    }
    std::optional<qint32> byId(const QString& text, QString& why) const
    {
        bool ok = false;
        const qint32 id = QLocale::c().toInt(text.trimmed(), &ok);
        if (ok && m_ids.contains(id))
            return id;
        why = QStringLiteral("No vendor has the ID %1.").arg(Quoted(text.trimmed()));
        return std::nullopt;
    }

private:
    // Vendor names and numbers compare ASCII letters without regard to case, as
    // the database compares names.
    static QString Key(const QString& text)
    {
        QString key = text.trimmed();
        for (QChar& c : key) {
            if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                c = QChar(c.unicode() + ('a' - 'A'));
        }
        return key;
    }

    QSet<qint32> m_ids;
    QHash<QString, QList<qint32>> m_byNumber;
    QHash<QString, qint32> m_byName;
};

// Sets the record's field named `column` from the text; the reason when the
// text does not fit the field or cannot be read as its type.
template <typename Rec>
QString SetField(Rec& rec, const char* column, const char* caption, const QString& text)
{
    QString why;
    const auto describe = [&](const char* what) {
        return QStringLiteral("%1 is not %2: %3.")
            .arg(QLatin1String(caption), QLatin1String(what), Quoted(text));
    };
    Rec::fields(rec, [&](const char* name, auto& member, int size = 0) {
        if (qstrcmp(name, column) != 0)
            return;
        using Member = std::remove_cvref_t<decltype(member)>;
        if constexpr (std::is_same_v<Member, QString>) {
            if (text.size() > size)
                why =
                    QStringLiteral("%1 is longer than %2 characters.").arg(QLatin1String(caption)).arg(size);
            else
                member = text;
        } else if constexpr (std::is_same_v<Member, Money>) {
            const std::optional<Money> amount = ParseAmountField(text);
            if (amount)
                member = *amount;
            else
                why = describe("an amount");
        } else if constexpr (std::is_same_v<Member, qint32>) {
            const std::optional<qint32> count = ParseCountField(text);
            if (count)
                member = *count;
            else
                why = describe("a whole number from 0 to 1000000000");
        } else if constexpr (std::is_same_v<Member, bool>) {
            const std::optional<bool> value = ParseYesNoField(text);
            if (value)
                member = *value;
            else
                why = describe("Yes or No");
        } else if constexpr (std::is_same_v<Member, float>) {
            const std::optional<float> rate = ParseRateField(text);
            if (rate)
                member = *rate;
            else
                why = describe("a rate from 0 to 100");
        }
    });
    return why;
}

bool IsBlankRecord(const QStringList& fields)
{
    return fields.size() == 1 && fields.first().isEmpty();
}

} // namespace

CsvImportModel::CsvImportModel(ProjectTables& tables, Prompter& prompter, const Clock& clock, Kind kind,
                               const QString& path)
    : m_tables(tables), m_prompter(prompter), m_clock(clock), m_kind(kind), m_path(path)
{
}

QString CsvImportModel::caption() const
{
    switch (m_kind) {
    case Kind::Vendors:
        return QStringLiteral("Import Vendors from CSV");
    case Kind::Items:
        return QStringLiteral("Import Items from CSV");
    case Kind::Customers:
        break;
    }
    return QStringLiteral("Import Customers from CSV");
}

QString CsvImportModel::helpLine() const
{
    return QStringLiteral(
        "Choose the field each column holds. Every row is checked before anything is written.");
}

bool CsvImportModel::checkPrerequisites()
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        warn(m_prompter, QStringLiteral("Unable to open %1:\n%2").arg(m_path, file.errorString()));
        return false;
    }
    CsvReader reader(file);
    QStringList fields;
    while (m_preview.size() < kPreviewRows && reader.readRecord(fields)) {
        if (m_header.isEmpty() && !IsBlankRecord(fields))
            m_header = fields;
        else if (!m_header.isEmpty())
            m_preview.append(fields);
    }
    if (reader.error()) {
        warn(m_prompter, QStringLiteral("%1 is not a CSV file that can be read.\nLine %2: %3")
                             .arg(m_path)
                             .arg(reader.error()->line)
                             .arg(reader.error()->message));
        return false;
    }
    if (m_header.isEmpty()) {
        warn(m_prompter, QStringLiteral("%1 is empty: its first line must name the columns.").arg(m_path));
        return false;
    }
    // Each field goes to the first column whose name names it.
    const std::span<const Target> targets = TargetsOf(m_kind);
    m_mapping.fill(-1, m_header.size());
    for (qsizetype column = 0; column < m_header.size(); ++column) {
        const QString key = NameKey(m_header[column]);
        for (qsizetype target = 0; target < static_cast<qsizetype>(targets.size()); ++target) {
            if (NamesTarget(key, targets[target]) && !m_mapping.contains(static_cast<int>(target))) {
                m_mapping[column] = static_cast<int>(target);
                break;
            }
        }
    }
    return true;
}

QStringList CsvImportModel::fieldChoices() const
{
    QStringList choices{QStringLiteral("(Not imported)")};
    for (const Target& target : TargetsOf(m_kind))
        choices.append(QString::fromLatin1(target.caption));
    return choices;
}

int CsvImportModel::mapping(int column) const
{
    return column >= 0 && column < m_mapping.size() ? m_mapping[column] + 1 : 0;
}

void CsvImportModel::setMapping(int column, int choice)
{
    if (column < 0 || column >= m_mapping.size() || choice < 0 ||
        choice > static_cast<int>(TargetsOf(m_kind).size()))
        return;
    const int target = choice - 1;
    if (target >= 0)
        std::replace(m_mapping.begin(), m_mapping.end(), target, -1);
    m_mapping[column] = target;
}

QString CsvImportModel::mappingProblem() const
{
    const std::span<const Target> targets = TargetsOf(m_kind);
    const auto mapped = [&](const char* column) {
        for (const int target : m_mapping) {
            if (target >= 0 && qstrcmp(targets[target].column, column) == 0)
                return true;
        }
        return false;
    };
    switch (m_kind) {
    case Kind::Vendors:
        if (!mapped("Name"))
            return QStringLiteral("Choose the column that holds the Vendor Name.");
        break;
    case Kind::Items:
        if (!mapped("Name"))
            return QStringLiteral("Choose the column that holds the Item Name.");
        if (!mapped("@VendorNumber") && !mapped("@VendorName") && !mapped("@VendorID"))
            return QStringLiteral(
                "An item needs a vendor: choose the column that holds the Vendor Number, the Primary "
                "Vendor or the Vendor ID.");
        break;
    case Kind::Customers:
        if (!mapped("Company") && !mapped("Last") && !mapped("First"))
            return QStringLiteral(
                "Choose the column that holds the Company, the Last Name or the First Name.");
        break;
    }
    return QString();
}

void CsvImportModel::readRows(CheckReport& report, const std::function<bool(const Row&)>& accepted) const
{
    report = CheckReport();
    report.failure = mappingProblem();
    if (!report.failure.isEmpty())
        return;
    VendorIndex vendors;
    if (m_kind == Kind::Items && !vendors.load(m_tables.database(), &report.failure))
        return;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        report.failure = QStringLiteral("Unable to open %1:\n%2").arg(m_path, file.errorString());
        return;
    }
    const std::span<const Target> targets = TargetsOf(m_kind);
    CsvReader reader(file);
    QStringList fields;
    bool headerRead = false;
    for (;;) {
        const qint64 line = reader.line();
        if (!reader.readRecord(fields))
            break;
        if (IsBlankRecord(fields))
            continue;
        if (!headerRead) {
            headerRead = true;
            continue;
        }
        ++report.rows;
        QString why;
        // Spreadsheets often end rows with empty fields; text beyond the
        // named columns means the row does not line up with them.
        const auto beyond = fields.cbegin() + std::min(fields.size(), m_mapping.size());
        if (std::any_of(beyond, fields.cend(), [](const QString& field) { return !field.isEmpty(); })) {
            why = QStringLiteral("The row has %1 fields; the first line names %2 columns.")
                      .arg(fields.size())
                      .arg(m_mapping.size());
        }
        Row row;
        // Where the item's vendors are named: by ID, number or name.
        QHash<QLatin1String, QString> references;
        for (qsizetype column = 0; why.isEmpty() && column < m_mapping.size(); ++column) {
            if (m_mapping[column] < 0)
                continue;
            const Target& target = targets[m_mapping[column]];
            const QString text = column < fields.size() ? fields[column] : QString();
            const QLatin1String name(target.column);
            if (name == QLatin1String("@Quantity")) {
                const std::optional<qint32> quantity = ParseCountField(text);
                if (quantity)
                    row.quantity = *quantity;
                else
                    why = QStringLiteral("Stocked is not a whole number from 0 to 1000000000: %1.")
                              .arg(Quoted(text));
            } else if (name.startsWith(QLatin1Char('@'))) {
                if (!text.trimmed().isEmpty())
                    references.insert(name, text);
            } else if (m_kind == Kind::Vendors) {
                why = SetField(row.vendor, target.column, target.caption, text);
            } else if (m_kind == Kind::Items) {
                why = SetField(row.item, target.column, target.caption, text);
            } else {
                why = SetField(row.customer, target.column, target.caption, text);
            }
        }
        // A vendor's ID names it best, then its number, then its name.
        const auto vendorNamed = [&](const char* byId, const char* byNumber, const char* byName) {
            std::optional<qint32> found;
            if (why.isEmpty() && references.contains(QLatin1String(byId)))
                found = vendors.byId(references.value(QLatin1String(byId)), why);
            else if (why.isEmpty() && references.contains(QLatin1String(byNumber)))
                found = vendors.byNumber(references.value(QLatin1String(byNumber)), why);
            else if (why.isEmpty() && byName != nullptr && references.contains(QLatin1String(byName)))
                found = vendors.byName(references.value(QLatin1String(byName)), why);
            return found;
        };
        const std::optional<qint32> vendor = vendorNamed("@VendorID", "@VendorNumber", "@VendorName");
        const std::optional<qint32> vendor2 = vendorNamed("@Vendor2ID", "@Vendor2Number", nullptr);
        if (why.isEmpty()) {
            switch (m_kind) {
            case Kind::Vendors:
                if (row.vendor.Name.isEmpty())
                    why = QStringLiteral("The Vendor Name is empty.");
                break;
            case Kind::Items:
                if (row.item.Name.isEmpty())
                    why = QStringLiteral("The Item Name is empty.");
                else if (!vendor)
                    why = QStringLiteral("The item names no vendor.");
                row.item.VendorID1 = vendor.value_or(NoID);
                // As in the item dialog, the primary vendor is also the
                // secondary one unless another is named.
                row.item.VendorID2 = vendor2.value_or(row.item.VendorID1);
                if (!row.item.Taxable)
                    row.item.TaxRate = 0.0f;
                break;
            case Kind::Customers:
                if (row.customer.Company.isEmpty() && row.customer.Last.isEmpty() &&
                    row.customer.First.isEmpty())
                    why = QStringLiteral("The Company, Last Name and First Name are all empty.");
                break;
            }
        }
        if (!why.isEmpty()) {
            ++report.refused;
            if (report.refusals.size() < kListedRefusals)
                report.refusals.append(Refusal{line, why});
            continue;
        }
        ++report.accepted;
        if (accepted && !accepted(row))
            return;
    }
    if (reader.error()) {
        report.failure = QStringLiteral("%1 is not a CSV file that can be read.\nLine %2: %3")
                             .arg(m_path)
                             .arg(reader.error()->line)
                             .arg(reader.error()->message);
    }
}

CsvImportModel::CheckReport CsvImportModel::check() const
{
    CheckReport report;
    readRows(report, {});
    return report;
}

QString CsvImportModel::reportText(const CheckReport& report, int listed)
{
    if (!report.failure.isEmpty())
        return report.failure;
    QStringList lines;
    lines.append(QStringLiteral("%1 of %2 rows can be imported; %3 are refused.")
                     .arg(report.accepted)
                     .arg(report.rows)
                     .arg(report.refused));
    const qsizetype shown = std::min<qsizetype>(listed, report.refusals.size());
    for (qsizetype i = 0; i < shown; ++i)
        lines.append(
            QStringLiteral("Line %1: %2").arg(report.refusals[i].line).arg(report.refusals[i].reason));
    if (report.refused > shown)
        lines.append(QStringLiteral("... and %1 more.").arg(report.refused - shown));
    return lines.join(QLatin1Char('\n'));
}

CsvImportModel::Result CsvImportModel::save()
{
    const CheckReport checked = check();
    if (!checked.failure.isEmpty()) {
        warn(m_prompter, checked.failure);
        return Result::refused(Field::Mapping);
    }
    if (checked.accepted == 0) {
        warn(m_prompter,
             QStringLiteral("No row can be imported.\n\n%1").arg(reportText(checked, kRefusalsAsked)));
        return Result::refused(Field::Mapping);
    }
    if (checked.refused > 0 &&
        !m_prompter.askYesNo(QStringLiteral("%1\n\nImport the %2 rows that can be imported?")
                                 .arg(reportText(checked, kRefusalsAsked))
                                 .arg(checked.accepted),
                             AppTitle()))
        return Result::refused();

    ImportWriter writer(m_tables, m_clock);
    Transaction transaction(m_tables.database());
    CheckReport written;
    QString writeError;
    bool ok = transaction.isActive();
    if (ok) {
        readRows(written, [&](const Row& row) {
            Row copy = row;
            bool added = false;
            switch (m_kind) {
            case Kind::Vendors:
                added = writer.addVendor(copy.vendor);
                break;
            case Kind::Items:
                added = writer.addItem(copy.item, copy.quantity);
                break;
            case Kind::Customers:
                added = writer.addCustomer(copy.customer);
                break;
            }
            if (!added)
                writeError = writer.lastError();
            return added;
        });
        ok = writeError.isEmpty() && written.failure.isEmpty();
    }
    if (ok && (written.accepted != checked.accepted || written.refused != checked.refused)) {
        warn(m_prompter, QStringLiteral("%1 changed while it was imported, so nothing was imported. Check "
                                        "it again.")
                             .arg(m_path));
        return Result::refused();
    }
    if (!ok || !transaction.commit()) {
        if (!written.failure.isEmpty())
            warn(m_prompter, written.failure);
        else
            ReportOperationFailure(m_prompter, m_tables.database());
        return Result::refused();
    }
    m_changes.merge(writer.changes());
    const char* kinds = m_kind == Kind::Vendors ? "vendors" : m_kind == Kind::Items ? "items" : "customers";
    m_prompter.message(QStringLiteral("%1 %2 were imported.").arg(written.accepted).arg(QLatin1String(kinds)),
                       AppTitle(), Prompter::Icon::Information);
    return Result::ok();
}
