#include "core/reports/ReportDefinition.h"
#include "core/reports/ReportColumns.h"
#include "core/reports/ReportFile.h"
#include "core/reports/ReportSheetModel.h"

#include "core/common/Archive.h"
#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"

#include "ArchiveBytes.h"
#include "FailDevice.h"
#include "FileBytes.h"
#include "QtPrinters.h"
#include "ScriptedPrompter.h"
#include "Texts.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include <unistd.h>

namespace {

// The day a damaged report file is kept on.
const QDateTime kToday(QDate(2026, 12, 7), QTime(9, 30));

// The 60-byte font record.
ArchiveBytes& AppendFont(ArchiveBytes& bytes, const ReportFont& f)
{
    bytes.i32(f.height).i32(f.width).i32(f.escapement).i32(f.orientation).i32(f.weight);
    bytes.raw({f.italic, f.underline, f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision, f.quality,
               f.pitchAndFamily});
    return bytes.append(f.faceName.toLatin1().leftJustified(32, '\0'));
}

QByteArray recordArchiveBytes(const CReportDefinition& definition)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter archive(buffer);
    definition.Write(archive);
    return buffer.data();
}

CReportDefinition named(const QString& name, const QString& table = str("Items"))
{
    CReportDefinition definition;
    definition.table = table;
    definition.name = name;
    definition.columns = {ReportColumn{str("Item"), str("Name"), AlignLeft, 0, ReportColumn::KindField}};
    return definition;
}

// A definition in which every field differs from its default.
CReportDefinition everyField()
{
    CReportDefinition d;
    d.table = str("Items");
    d.name = str("Stock Value");
    d.title = QString(300, u'T');
    d.statisticsTitle = str("Totals");
    const ReportFont title{-37, 12, 900, 450, 700, 1, 1, 0, 0, 3, 2, 1, 0x22, str("Arial")};
    d.fonts = {title,
               ReportFont::fromPoints(str("Courier New"), 16),
               ReportFont::fromPoints(str("Times New Roman"), 10),
               ReportFont::fromPoints(str("Tahoma"), 16),
               ReportFont::fromPoints(str("Verdana"), 12),
               ReportFont::fromPoints(str("Georgia"), 11)};
    d.titleAlignment = AlignRight;
    d.statisticsTitleAlignment = AlignLeft;
    d.verticalLines = d.pageNumbers = d.companyInformation = d.applyQuery = d.showList = d.showRecordNumbers =
        1;
    d.queryName = str("Low stock");
    d.sortField = str("Name");
    d.columns = {
        ReportColumn{str("Item"), str("Name"), AlignLeft, 1530, ReportColumn::KindField},
        ReportColumn{str("Value"), str("Stock Value"), AlignRight, 4410, ReportColumn::KindStatistic}};
    d.statistics = {str("Total Value"), str("Turnover")};
    return d;
}

CStatistic statistic(const char* name, qint32 listing, qint32 intermediate = 0)
{
    CStatistic s;
    s.Name = str(name);
    s.Listing = listing;
    s.Intermediate = intermediate;
    return s;
}

} // namespace

TEST(ReportFont, DescriptionAndAnsiFaceName)
{
    const ReportFont regular = ReportFont::fromPoints(str("Times New Roman"), 28);
    EXPECT_EQ(regular.height, -37);
    EXPECT_EQ(regular.description(), str("Times New Roman (Regular) 28 pnt"));
    // 15 pixels are 11.25 points: printed whole.
    EXPECT_EQ(ReportFont::fromPoints(str("Arial"), 11).description(), str("Arial (Regular) 11 pnt"));
    ReportFont font = regular;
    font.height = 37;
    const std::tuple<qint32, quint8, const char*> styles[] = {
        {499, 0, "Regular"}, {500, 0, "Bold"}, {700, 1, "Bold / Italic"}, {400, 1, "Italic"}};
    for (const auto& [weight, italic, style] : styles) {
        font.weight = weight;
        font.italic = italic;
        EXPECT_EQ(font.description(), str("Times New Roman (") + str(style) + str(") 28 pnt"));
    }

    // Face names: code page 1252, '?' for what it lacks, 31 bytes and a terminator.
    font.faceName = str("Caf\u00e9 \u0141ad");
    QByteArray record = font.toRecord();
    ASSERT_EQ(record.size(), 60);
    EXPECT_EQ(record.mid(28, 9), QByteArray("Caf\xe9 ?ad\0", 9));
    EXPECT_EQ(ReportFont::fromRecord(record).faceName, str("Caf\u00e9 ?ad"));
    font.faceName = QString(40, u'x');
    record = font.toRecord();
    EXPECT_EQ(record.mid(28, 32), QByteArray(QByteArray(31, 'x') + '\0'));
    record[40] = '\0';
    record[41] = 'z';
    EXPECT_EQ(ReportFont::fromRecord(record).faceName, QString(12, u'x'));
}

TEST(ReportFileFormat, OneDefinitionIsWrittenByteForByteAndReadsBackFieldForField)
{
    ScriptedPrompter prompter;
    const FixedClock clock(kToday);
    QTemporaryDir dir;
    ReportFile file(dir.filePath(str("shop.irp")));
    CReportDefinition sample = everyField();
    ASSERT_EQ(file.saveAsNew(sample, sample.name, prompter, clock), ReportFile::SaveStatus::Saved);

    ArchiveBytes expected;
    expected.f64(3.51)
        .text(str("Items"))
        .text(str("Stock Value"))
        .text(QString(300, u'T'))
        .text(str("Totals"));
    for (const ReportFont& font : sample.fonts)
        AppendFont(expected, font);
    expected.u16(2).u16(1).i32(1).i32(0).i32(1).i32(1).i32(1).text(str("Low stock")).i32(1).i32(1);
    expected.text(str("Name")).i32(2);
    expected.text(str("Item")).text(str("Name")).i32(1).i32(1530).i32(0);
    expected.text(str("Value")).text(str("Stock Value")).i32(2).i32(4410).i32(1);
    expected.i32(2).text(str("Total Value")).text(str("Turnover"));
    EXPECT_EQ(FileBytes(file.path()).toHex(), expected.data().toHex());

    // Text the code page cannot hold takes the wide form and reads back too.
    CReportDefinition wide = named(str("\u0141\u00f3d\u017a sales"), str("SI"));
    wide.columns.append(ReportColumn{str("\u017b"), str("Date"), AlignCenter, -90, ReportColumn::KindField});
    ASSERT_EQ(file.saveAsNew(wide, wide.name, prompter, clock), ReportFile::SaveStatus::Saved);
    const ReportFile::Contents contents = file.read();
    EXPECT_EQ(contents.readEnd, ReportFile::ReadEnd::Clean);
    EXPECT_EQ(contents.records, (QList<CReportDefinition>{sample, wide}));
}

TEST(ReportFileFormat, DamagedFilesEndTheRecordsWithoutAllocating)
{
    const QByteArray first = recordArchiveBytes(everyField());
    const QByteArray second = recordArchiveBytes(named(str("Second")));
    const QByteArray both = first + second;
    for (qsizetype cut = 0; cut <= both.size(); ++cut) {
        const ReportFile::Contents contents = ReportFile::parse(both.left(cut));
        ASSERT_EQ(contents.records.size(), cut == both.size() ? 2 : cut >= first.size() ? 1 : 0) << cut;
        // A file cut anywhere is a file cut short, not a damaged one.
        const bool boundary = cut == 0 || cut == first.size() || cut == both.size();
        EXPECT_EQ(contents.readEnd, boundary ? ReportFile::ReadEnd::Clean : ReportFile::ReadEnd::CutShort)
            << cut;
    }

    // Offsets inside the second record: its name's length, its column count.
    const qsizetype nameAt = 8 + 1 + 5;
    const qsizetype columnCountAt = second.size() - 4 - (1 + 4 + 1 + 4 + 4 + 4 + 4) - 4;
    ASSERT_EQ(second.mid(columnCountAt, 4), ArchiveBytes().i32(1).data());
    const auto damaged = [&](qsizetype at, qsizetype replaced, const ArchiveBytes& bytes) -> QByteArray {
        return first + QByteArray(second).replace(at, replaced, bytes.data());
    };
    const QByteArray cases[] = {
        damaged(nameAt, 1, ArchiveBytes().raw({0xFF}).u16(0xFFFF).le(0xFFFFFFF0, 4)), // 4 GB name
        damaged(nameAt, 1,
                ArchiveBytes().raw({0xFF}).u16(0xFFFE).raw({0xFF}).u16(0xFFFF).le(0x7FFFFFFF, 4)), // wide
        damaged(columnCountAt, 4, ArchiveBytes().i32(0x7FFFFFFF)),     // endless columns
        damaged(columnCountAt, 4, ArchiveBytes().i32(-3)),             // negative count
        damaged(second.size() - 4, 4, ArchiveBytes().i32(0x7FFFFFFF)), // endless statistics
        first + recordArchiveBytes(named(QString())),                  // a record without a name
    };
    for (const QByteArray& bytes : cases) {
        QElapsedTimer timer;
        timer.start();
        const ReportFile::Contents contents = ReportFile::parse(bytes);
        EXPECT_LT(timer.elapsed(), 1000);
        EXPECT_EQ(contents.records, QList<CReportDefinition>{everyField()});
        EXPECT_EQ(contents.readEnd, ReportFile::ReadEnd::Damaged);
        EXPECT_EQ(contents.end, first.size());
    }
}

TEST(ReportFileOperations, ChangesReplaceTheFileWholeOrNotAtAll)
{
    ScriptedPrompter prompter;
    const FixedClock clock(kToday);
    QTemporaryDir dir;
    ReportFile file(dir.filePath(str("shop.irp")));
    EXPECT_EQ(ReportFile::pathForDatabase(str("/a.v2/shop.x.qmp")), str("/a.v2/shop.x.irp"));
    EXPECT_EQ(file.remove(str("A"), prompter, clock), ReportFile::SaveStatus::Failed); // no file to rewrite

    for (const char* name : {"A", "B", "C"}) {
        CReportDefinition report = named(str(name), str(name) == str("B") ? str("Vendors") : str("Items"));
        ASSERT_EQ(file.saveAsNew(report, report.name, prompter, clock), ReportFile::SaveStatus::Saved);
    }
    EXPECT_EQ(file.names(str("Items")), strs({"A", "C"}));
    EXPECT_TRUE(file.exists(str("B")));
    EXPECT_FALSE(file.exists(str("b")));
    const QByteArray before = FileBytes(file.path());
    CReportDefinition again = named(str("Other"));
    EXPECT_EQ(file.saveAsNew(again, str("C"), prompter, clock), ReportFile::SaveStatus::NameTaken);
    EXPECT_EQ(FileBytes(file.path()), before);

    // When the temporary file cannot be made nothing changes.
    ASSERT_TRUE(QDir(dir.path()).mkdir(str("shop.tmp")));
    EXPECT_EQ(file.remove(str("A"), prompter, clock), ReportFile::SaveStatus::Failed);
    EXPECT_EQ(file.saveAsNew(again, again.name, prompter, clock), ReportFile::SaveStatus::Failed);
    EXPECT_EQ(FileBytes(file.path()), before);
    ASSERT_TRUE(QDir(dir.path()).rmdir(str("shop.tmp")));

    ASSERT_EQ(file.remove(str("B"), prompter, clock), ReportFile::SaveStatus::Saved);
    EXPECT_EQ(file.remove(str("missing"), prompter, clock), ReportFile::SaveStatus::Saved);
    ASSERT_EQ(file.remove(str("A"), prompter, clock), ReportFile::SaveStatus::Saved);
    ASSERT_EQ(file.remove(str("C"), prompter, clock), ReportFile::SaveStatus::Saved);
    EXPECT_TRUE(QFile::exists(file.path()));
    EXPECT_EQ(QFileInfo(file.path()).size(), 0);
    EXPECT_FALSE(QFile::exists(ReportFile::temporaryPath(file.path())));
}

namespace {

// A record laid out by hand, two columns and one statistic; `at` gets where one
// field of each kind starts.
QByteArray handRecord(const QString& name, std::map<std::string, qsizetype>* at = nullptr)
{
    ArchiveBytes b;
    const auto mark = [&](const char* kind) {
        if (at)
            (*at)[kind] = b.data().size();
    };
    mark("version");
    b.f64(3.51);
    mark("table length");
    b.text(str("Items"));
    mark("name length");
    b.text(name);
    mark("title length");
    b.text(str("Stock on hand")).text(str("Totals"));
    mark("font");
    for (int points : {28, 16, 10, 16, 12, 10})
        AppendFont(b, ReportFont::fromPoints(str("Times New Roman"), points));
    mark("alignment");
    b.u16(AlignLeft).u16(AlignRight);
    mark("flag");
    b.i32(1).i32(0).i32(1).i32(0).i32(0).text(QString()).i32(1).i32(0).text(str("Name"));
    mark("column count");
    b.i32(2);
    b.text(str("Item")).text(str("Name"));
    mark("column alignment");
    b.i32(AlignLeft);
    mark("column x");
    b.i32(1440);
    mark("column kind");
    b.i32(ReportColumn::KindField);
    b.text(str("Value")).text(str("Stock Value")).i32(AlignRight).i32(4320).i32(ReportColumn::KindStatistic);
    mark("statistic count");
    b.i32(1).text(str("Total Value"));
    return b.data();
}

} // namespace

TEST(ReportFileDamage, NoDamagedByteCostsAReportUnaskedAndTheKeptCopyHoldsEveryByte)
{
    std::map<std::string, qsizetype> at;
    const QByteArray first = handRecord(str("First"));
    const QByteArray middle = handRecord(str("Middle"), &at);
    const QByteArray original = first + middle + handRecord(str("Last"));
    ASSERT_EQ(ReportFile::parse(original).records.size(), 3);

    QTemporaryDir dir;
    ReportFile file(dir.filePath(str("shop.irp")));
    const QString copy = dir.filePath(str("shop-damaged-2026-12-07.irp"));
    ScriptedPrompter prompter;
    const FixedClock clock(kToday);
    const CReportDefinition added = named(str("Added"));
    const QByteArray addedBytes = recordArchiveBytes(added);

    // Saves a report into `damaged`, agreeing to keep a copy; whether it asked.
    const auto save = [&](const QByteArray& damaged, qsizetype recordStart) {
        EXPECT_TRUE(WriteFileBytes(file.path(), damaged));
        QFile::remove(copy);
        prompter.clear();
        if (prompter.pendingAnswers() == 0)
            prompter.answer({true});
        CReportDefinition report = added;
        EXPECT_EQ(file.saveAsNew(report, report.name, prompter, clock), ReportFile::SaveStatus::Saved);
        const bool asked = !prompter.log().isEmpty();
        if (asked) {
            EXPECT_EQ(FileBytes(copy), damaged);
            // The records before the damage, then the new one.
            const qsizetype readable = ReportFile::parse(damaged).end;
            EXPECT_LE(readable, recordStart);
            EXPECT_EQ(FileBytes(file.path()), damaged.left(readable) + addedBytes);
        } else {
            EXPECT_FALSE(QFile::exists(copy));
            EXPECT_EQ(FileBytes(file.path()), damaged + addedBytes);
        }
        return asked;
    };

    const auto flipped = [&](qsizetype where) {
        QByteArray damaged = original;
        damaged[where] = static_cast<char>(damaged.at(where) ^ 0xFF);
        return damaged;
    };
    // No byte of the first two records, flipped, reads as a file cut short,
    // whose rest a save drops unasked: either every byte still reads, or the
    // damage is found in the record that holds it.
    std::set<qsizetype> found;
    for (qsizetype i = 0; i < first.size() + middle.size(); ++i) {
        const ReportFile::Contents contents = ReportFile::parse(flipped(i));
        if (contents.readEnd == ReportFile::ReadEnd::Damaged) {
            EXPECT_LE(contents.end, i < first.size() ? 0 : first.size()) << "byte " << i;
            found.insert(i);
        } else {
            EXPECT_EQ(contents.end, original.size()) << "byte " << i;
        }
    }
    // A value no report holds is damage: the save asks first, keeps the copy
    // and saves the readable report with the new one.
    for (const char* kind : {"table length", "name length", "title length", "alignment", "flag",
                             "column count", "column alignment", "column kind", "statistic count"}) {
        const qsizetype where = first.size() + at.at(kind);
        EXPECT_TRUE(found.count(where) == 1 && save(flipped(where), first.size())) << kind;
    }
    const qsizetype weight = first.size() + at.at("font") + 17;
    EXPECT_TRUE(found.count(weight) == 1 && save(flipped(weight), first.size())) << "font weight";
    // A changed character, an ignored version or another column position
    // loses nothing and needs no question.
    for (const qsizetype where : {at.at("version"), at.at("column x"), at.at("title length") + 1})
        EXPECT_FALSE(found.count(first.size() + where) == 1 ||
                     save(flipped(first.size() + where), first.size()))
            << where;

    // A table length of 0xF0 in the first record: no report before it.
    QByteArray damaged = original;
    damaged[at.at("table length")] = '\xF0';
    EXPECT_TRUE(save(damaged, 0));
    EXPECT_EQ(file.names(str("Items")), strs({"Added"}));
}

TEST(ReportFileDamage, NoLeavesEveryFileAndAKeptCopyNeverReplacesAnother)
{
    std::map<std::string, qsizetype> at;
    const QByteArray first = handRecord(str("First"));
    QByteArray middle = handRecord(str("Middle"), &at);
    middle[at.at("table length")] = '\xF0';
    const QByteArray damaged = first + middle + handRecord(str("Last"));

    QTemporaryDir dir;
    ReportFile file(dir.filePath(str("shop.irp")));
    ASSERT_TRUE(WriteFileBytes(file.path(), damaged));
    ASSERT_TRUE(WriteFileBytes(dir.filePath(str("shop-damaged-2026-12-07.irp")), "an earlier copy"));
    const auto before = FolderSnapshot(dir.path());
    ScriptedPrompter prompter;
    const FixedClock clock(kToday);

    // Saving, replacing and deleting all ask first; No writes nothing.
    CReportDefinition report = named(str("Added"));
    prompter.answer({false, false, false});
    EXPECT_EQ(file.saveAsNew(report, report.name, prompter, clock), ReportFile::SaveStatus::Cancelled);
    EXPECT_EQ(file.replace(str("First"), report, str("First"), prompter, clock),
              ReportFile::SaveStatus::Cancelled);
    EXPECT_EQ(file.remove(str("First"), prompter, clock), ReportFile::SaveStatus::Cancelled);
    EXPECT_EQ(prompter.log().size(), 3);
    EXPECT_EQ(report.name, str("Added"));
    EXPECT_EQ(FolderSnapshot(dir.path()), before);

    // Yes: the copy takes the next free name and the readable report is deleted.
    prompter.clear();
    prompter.answer({true});
    EXPECT_EQ(file.remove(str("First"), prompter, clock), ReportFile::SaveStatus::Saved);
    EXPECT_EQ(prompter.lastText(),
              str("The report file \"shop.irp\" is damaged.  Only the report before the damage can be read; "
                  "the rest of the file cannot.\n\nClick 'Yes' to keep the damaged file as "
                  "\"shop-damaged-2026-12-07-2.irp\" beside the project and save the readable reports with "
                  "this change, or 'No' to cancel and leave the file as it is."));
    EXPECT_EQ(FileBytes(dir.filePath(str("shop-damaged-2026-12-07.irp"))), QByteArray("an earlier copy"));
    EXPECT_EQ(FileBytes(dir.filePath(str("shop-damaged-2026-12-07-2.irp"))), damaged);
    EXPECT_TRUE(QFile::exists(file.path()));
    EXPECT_EQ(FileBytes(file.path()), QByteArray());
}

// A disk that fails after any number of bytes, while the new file or the kept
// copy of a damaged one is written: the save fails and every file stays as it
// was, with no temporary file beside them; written whole, the file is the same.
TEST(ReportFileWrites, AWriteThatFailsAtAnyByteLeavesEveryFileAsItWas)
{
    QTemporaryDir dir;
    ReportFile file(dir.filePath(str("shop.irp")));
    ScriptedPrompter prompter;
    const FixedClock clock(kToday);
    for (const char* name : {"A", "B"}) {
        CReportDefinition report = named(str(name));
        ASSERT_EQ(file.saveAsNew(report, report.name, prompter, clock), ReportFile::SaveStatus::Saved);
    }
    // Replacing A rewrites B and appends the new A.
    const CReportDefinition changed = named(str("A"), str("Vendors"));
    const QByteArray replaced = recordArchiveBytes(named(str("B"))) + recordArchiveBytes(changed);
    const auto before = FolderSnapshot(dir.path());
    const auto replace = [&](qint64 budget) {
        const FailingFileWrites failing(budget);
        CReportDefinition report = changed;
        return file.replace(str("A"), report, str("A"), prompter, clock);
    };
    for (qint64 budget = 0; budget < replaced.size(); ++budget) {
        EXPECT_EQ(replace(budget), ReportFile::SaveStatus::Failed) << budget;
        EXPECT_EQ(FolderSnapshot(dir.path()), before) << budget;
    }
    EXPECT_EQ(replace(replaced.size()), ReportFile::SaveStatus::Saved);
    EXPECT_EQ(FileBytes(file.path()), replaced);

    // A damaged file: the copy is written first (file 0), then the new file (file 1).
    std::map<std::string, qsizetype> at;
    QByteArray middle = handRecord(str("Middle"), &at);
    middle[at.at("table length")] = '\xF0';
    const QByteArray damaged = handRecord(str("First")) + middle;
    ASSERT_TRUE(WriteFileBytes(file.path(), damaged));
    const QString copy = dir.filePath(str("shop-damaged-2026-12-07.irp"));
    const CReportDefinition added = named(str("Added"));
    const QByteArray saved = handRecord(str("First")) + recordArchiveBytes(added);
    const auto damagedBefore = FolderSnapshot(dir.path());
    const auto save = [&](qint64 budget, int nth) {
        const FailingFileWrites failing(budget, nth);
        prompter.answer({true});
        CReportDefinition report = added;
        return file.saveAsNew(report, report.name, prompter, clock);
    };
    for (qint64 budget = 0; budget < damaged.size(); ++budget) {
        EXPECT_EQ(save(budget, 0), ReportFile::SaveStatus::Failed) << budget;
        EXPECT_EQ(FolderSnapshot(dir.path()), damagedBefore) << budget;
    }
    for (qint64 budget = 0; budget < saved.size(); ++budget) {
        EXPECT_EQ(save(budget, 1), ReportFile::SaveStatus::Failed) << budget;
        // The copy was made before the failure, and stays.
        EXPECT_EQ(FileBytes(copy), damaged) << budget;
        ASSERT_TRUE(QFile::remove(copy));
        EXPECT_EQ(FolderSnapshot(dir.path()), damagedBefore) << budget;
    }
    EXPECT_EQ(save(damaged.size(), 0), ReportFile::SaveStatus::Saved);
    EXPECT_EQ(FileBytes(copy), damaged);
    EXPECT_EQ(FileBytes(file.path()), saved);
    EXPECT_EQ(prompter.pendingAnswers(), 0);
}

TEST(ReportFileWrites, AFolderThatTakesNoNewFilesFailsTheSaveAndKeepsTheFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not keep root from writing";
    QTemporaryDir dir;
    ReportFile file(dir.filePath(str("shop.irp")));
    ScriptedPrompter prompter;
    const FixedClock clock(kToday);
    CReportDefinition report = named(str("A"));
    ASSERT_EQ(file.saveAsNew(report, report.name, prompter, clock), ReportFile::SaveStatus::Saved);
    const auto before = FolderSnapshot(dir.path());
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    CReportDefinition other = named(str("B"));
    EXPECT_EQ(file.saveAsNew(other, other.name, prompter, clock), ReportFile::SaveStatus::Failed);
    EXPECT_EQ(file.remove(str("A"), prompter, clock), ReportFile::SaveStatus::Failed);
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner));
    EXPECT_EQ(FolderSnapshot(dir.path()), before);
}

TEST(ReportColumns, ListingsOfferTheirFieldsAndRowStatistics)
{
    const QList<CStatistic> statistics = {statistic("Margin", 1),  statistic("Total", 1),
                                          statistic("Lot", 5),     statistic("Sales", 3),
                                          statistic("Step", 1, 1), statistic("Ordered", 2)};
    const StatisticDependsOnRecord perRecord = [](const CStatistic& s) { return s.Name != str("Total"); };
    const QList<ReportColumn> items = AvailableReportColumns(ListingKind::Items, statistics, perRecord);
    ASSERT_EQ(items.size(), 18 + 2);
    EXPECT_EQ(items.at(18),
              (ReportColumn{str("Margin"), str("Margin"), AlignRight, 0, ReportColumn::KindStatistic}));
    EXPECT_EQ(items.at(19).field, str("Step"));
    // By default a lot's own value is a column, a sum over all lots is not.
    CStatistic value = statistic("Lot value", 5);
    value.LeftType = value.RightType = CStatistic::OperandField;
    value.LeftOperand = str("Quanity");
    value.RightOperand = str("Cost");
    value.Operator = 2;
    CStatistic total = statistic("Stock total", 5);
    total.RightType = CStatistic::OperandStatistic;
    total.RightOperand = value.Name;
    total.Operator = 10;
    EXPECT_EQ(AvailableReportColumns(ListingKind::Stock, {value, total}).size(), 11 + 1);
    EXPECT_EQ(AvailableReportColumns(ListingKind::Stock, {value, total}).constLast().field, str("Lot value"));

    EXPECT_EQ(ReportStatisticNames(ListingKind::Items, statistics), strs({"Margin", "Total"}));
    EXPECT_EQ(ReportStatisticNames(ListingKind::Invoices, statistics), strs({"Sales"}));
}

class ReportSheet : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath(str("shop.irp")); }
    ReportSheetModel sheet(QList<ReportColumn> columns = AvailableReportColumns(ListingKind::Items))
    {
        const QList<CStatistic> statistics = {statistic("Value", 1), statistic("Step", 1, 1),
                                              statistic("Margin", 1), statistic("Sales", 3),
                                              statistic("Count", 1)};
        return ReportSheetModel(ReportFile(path()), prompter, clock, ListingKind::Items, std::move(columns),
                                {str("Low stock")}, statistics);
    }
    ScriptedPrompter::Entry last() const { return prompter.log().value(prompter.log().size() - 1); }
    void expectSaid(const char* text, const char* title)
    {
        EXPECT_EQ(last().text, str(text));
        EXPECT_EQ(last().title, str(title));
    }
    static QStringList headers(const QList<ReportColumn>& columns)
    {
        QStringList result;
        for (const ReportColumn& column : columns)
            result << column.header;
        return result;
    }

    QTemporaryDir m_dir;
    ScriptedPrompter prompter;
    const FixedClock clock{kToday};
};

TEST_F(ReportSheet, NamesAreCutToSizeAndMustBeNew)
{
    ReportSheetModel model = sheet();
    model.setName(QString(200, u'n'));
    EXPECT_EQ(model.name().size(), 128);

    model.setName(str("  "));
    EXPECT_EQ(model.save().focus, ReportSheetModel::Field::Name);
    expectSaid("The report name must be unique.  Check that the name you have specified is not a duplicate.",
               "Report Definition");
    model.setName(str("Kept"));
    ASSERT_TRUE(model.save().saved);

    // A taken name (the quick reports' record included) is refused before
    // anything is removed: renaming a report onto another loses neither.
    ReportSheetModel other = sheet();
    for (const char* name : {"Kept", "PURCHASE_ORDER"}) {
        other.setName(str(name));
        EXPECT_EQ(other.save().focus, ReportSheetModel::Field::Name) << name;
        expectSaid("A report by this name already exists.  Please specify a unique name for the report.",
                   "Quillmark 3.5");
    }
    other.setName(str("Other"));
    ASSERT_TRUE(other.save().saved);
    const QByteArray two = FileBytes(path());
    ReportSheetModel modify = sheet();
    ASSERT_TRUE(modify.openReport(str("Kept")));
    modify.setName(str("Other"));
    EXPECT_FALSE(modify.save().saved);
    EXPECT_EQ(FileBytes(path()), two);

    // A file that cannot be replaced is reported and the sheet stays open.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(str("shop.tmp")));
    modify.setName(str("New"));
    EXPECT_FALSE(modify.save().saved);
    EXPECT_EQ(last().text, StatusMessage(Status::FileNotAccessible));
    EXPECT_EQ(FileBytes(path()), two);
    ASSERT_TRUE(QDir(m_dir.path()).rmdir(str("shop.tmp")));
}

TEST_F(ReportSheet, ListPageMovesColumnsAndStatisticsAndExplainsMissingSelections)
{
    ReportSheetModel model = sheet();
    EXPECT_FALSE(model.addField());
    expectSaid("You must first make a selection from the 'Fields' list.", "Add Field");
    EXPECT_FALSE(model.removeField());
    expectSaid("You must first make a selection from the 'Included Fields' list.", "Remove Field");
    EXPECT_FALSE(model.moveFieldUp() || model.moveFieldDown());

    for (int index : {1, 9, 1}) { // Name, Cost, Number: each leaves the available list
        model.selectAvailableField(index);
        ASSERT_TRUE(model.addField());
    }
    EXPECT_EQ(headers(model.reportFields()), strs({"Name", "Cost", "Number"}));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(model.moveFieldUp()); // the last one stays at the top
    ASSERT_TRUE(model.moveFieldDown());
    EXPECT_EQ(headers(model.reportFields()), strs({"Name", "Number", "Cost"}));

    // A renamed column goes back to the available list as it was shown.
    model.selectColumn(2);
    model.setHeaderText(str("Unit Cost"));
    ASSERT_TRUE(model.applyColumn());
    model.selectReportField(2);
    ASSERT_TRUE(model.removeField());
    EXPECT_EQ(model.availableFields().at(8).header, str("Unit Cost"));

    // No more columns than the renderer can print.
    QList<ReportColumn> many;
    for (int i = 0; i < 25; ++i)
        many.append({QString::number(i), QString::number(i), AlignLeft, 0, ReportColumn::KindField});
    ReportSheetModel wide = sheet(many);
    for (int i = 0; i <= ReportSheetModel::kMaxColumns; ++i) {
        wide.selectAvailableField(0);
        EXPECT_EQ(wide.addField(), i < ReportSheetModel::kMaxColumns) << i;
    }
    expectSaid("A report can show at most 20 columns.", "Add Field");

    // Statistics go in at the selected entry.
    ReportSheetModel stats = sheet();
    EXPECT_FALSE(stats.addStatistic());
    // Without an included selection a statistic goes to the top.
    const std::pair<int, int> adds[] = {{2, -1}, {0, -1}, {0, 1}};
    for (const auto& [available, included] : adds) {
        stats.selectIncludedStatistic(included);
        stats.selectAvailableStatistic(available);
        ASSERT_TRUE(stats.addStatistic());
    }
    EXPECT_EQ(stats.storedDefinition().statistics, strs({"Value", "Margin", "Count"}));
}

TEST_F(ReportSheet, AdvancedPageRenamesColumnsAndResolvesTheSortField)
{
    ReportSheetModel model = sheet();
    for (int i = 0; i < 3; ++i) { // Name, Number, VendorID1
        model.selectAvailableField(1);
        ASSERT_TRUE(model.addField());
    }
    // The header is asked for first, even when no column is selected.
    EXPECT_FALSE(model.applyColumn());
    expectSaid("You must first specify a new column name.", "Quillmark 3.5");
    model.setHeaderText(str("Item"));
    EXPECT_FALSE(model.applyColumn());
    expectSaid("You must first select a field.", "Quillmark 3.5");
    EXPECT_FALSE(model.sortBy());
    expectSaid("Must make a selection from included fields.", "Quillmark 3.5");

    model.selectColumn(1);
    ASSERT_TRUE(model.sortBy());
    model.setHeaderText(str("Part No."));
    model.setColumnAlignment(AlignRight);
    ASSERT_TRUE(model.applyColumn());
    EXPECT_EQ(model.sortText(), str("Part No.")); // the sort follows the renamed column
    EXPECT_EQ(model.storedDefinition().sortField, str("Number"));
    model.setSortText(str("Number")); // heads no column: the first column sorts
    EXPECT_EQ(model.storedDefinition().sortField, str("Name"));

    // Reopened, the sort edit shows the sort column's header again, so an
    // unchanged report keeps its sort.
    model.setSortText(str("Part No."));
    model.setName(str("Parts"));
    ASSERT_TRUE(model.save().saved);
    ReportSheetModel reopened = sheet();
    ASSERT_TRUE(reopened.openReport(str("Parts")));
    EXPECT_EQ(reopened.sortText(), str("Part No."));
    ASSERT_TRUE(reopened.save().saved);
    ReportFile file(path());
    ASSERT_TRUE(file.getByName(str("Parts")));
    EXPECT_EQ(file.readBuffer().sortField, str("Number"));
}

TEST_F(ReportSheet, ModifyLoadsTheReportAndMovesItToTheEnd)
{
    ReportSheetModel missing = sheet();
    EXPECT_FALSE(missing.openReport(str("Nothing")));
    expectSaid("Unable to locate report.", "Quillmark 3.5");

    ReportFile file(path());
    CReportDefinition stored = everyField();
    CReportDefinition second = named(str("Second"));
    ASSERT_EQ(file.saveAsNew(stored, stored.name, prompter, clock), ReportFile::SaveStatus::Saved);
    ASSERT_EQ(file.saveAsNew(second, second.name, prompter, clock), ReportFile::SaveStatus::Saved);

    ReportSheetModel model = sheet();
    ASSERT_TRUE(model.openReport(str("Stock Value")));
    EXPECT_EQ(model.storedDefinition(), stored);
    model.selectReportField(0);
    ASSERT_TRUE(model.removeField());
    model.setName(str("Stock Worth"));
    ASSERT_TRUE(model.save().saved);
    // Saving again changes the same report, not a copy of it.
    model.setTitle(str("Changed"));
    ASSERT_TRUE(model.save().saved);
    EXPECT_EQ(file.names(str("Items")), strs({"Second", "Stock Worth"}));
    ASSERT_TRUE(file.getByName(str("Stock Worth")));
    EXPECT_EQ(file.readBuffer().title, str("Changed"));
    EXPECT_EQ(file.readBuffer().columns, QList<ReportColumn>{stored.columns.at(1)});
}
