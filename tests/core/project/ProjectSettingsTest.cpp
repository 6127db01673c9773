#include "core/project/ProjectSettings.h"
#include "core/common/Archive.h"
#include "core/common/StatusCodes.h"
#include "core/project/Statistic.h"

#include "ArchiveBytes.h"
#include "FailDevice.h"
#include "FileBytes.h"
#include "QtPrinters.h"
#include "Texts.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <tuple>

namespace {

template <typename Write> QByteArray archived(Write write)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter writer(buffer);
    write(writer);
    EXPECT_FALSE(writer.hasError());
    return out;
}

constexpr quint32 kCreated = 1709294400; // 2024-03-01 12:00 UTC
const FixedClock kClock(QDateTime::fromSecsSinceEpoch(kCreated, Qt::UTC));

CStatistic statistic(const char* name, qint32 leftType = 3, const char* left = "", qint32 rightType = 3,
                     const char* right = "")
{
    CStatistic s;
    s.Name = str(name);
    s.LeftType = leftType;
    s.LeftOperand = str(left);
    s.RightType = rightType;
    s.RightOperand = str(right);
    return s;
}

CStatistic revenue()
{
    CStatistic s = statistic("Revenue", 3, "", CStatistic::OperandField, "Price");
    s.Listing = 3;
    s.Operator = 10;
    s.StartDate = DateTime::fromDays(45292);
    s.ThruDate = DateTime::fromDays(45657.75);
    s.ApplyDates = 1;
    return s;
}

CStatistic halfRevenue()
{
    CStatistic s =
        statistic("Half Revenue", CStatistic::OperandStatistic, "Revenue", CStatistic::OperandConstant, "2");
    s.Intermediate = 1;
    s.Listing = 3;
    s.Operator = 3;
    s.ThruDate = DateTime::invalid();
    return s;
}

// Fields 1 to 11 of a settings file.
ArchiveBytes header(const QString& dir, const QString& name, double version, qint32 count)
{
    ArchiveBytes b;
    b.f64(version).text(name).text(dir);
    for (const char* ext : {".qmp", ".qms", ".irp"})
        b.text(dir + u'/' + name + str(ext));
    b.i32(LIFO).le(kCreated, 4).text(str("qwertyui")).i32(7).i32(count);
    return b;
}

TEST(ArchiveText, LengthPrefixChangesFormAtItsBoundariesAndTextOutsideTheCodePageGoesWide)
{
    const struct
    {
        int length;
        ArchiveBytes prefix;
    } cases[] = {
        {0, ArchiveBytes().raw({0})},
        {254, ArchiveBytes().raw({254})},
        {255, ArchiveBytes().raw({0xFF}).le(255, 2)},
        {65533, ArchiveBytes().raw({0xFF}).le(65533, 2)},
        {65534, ArchiveBytes().raw({0xFF}).le(0xFFFF, 2).le(65534, 4)},
    };
    for (const auto& c : cases) {
        const QString text(c.length, u'a');
        QByteArray bytes = archived([&](ArchiveWriter& w) { w.writeText(text); });
        EXPECT_EQ(bytes.left(c.prefix.data().size()), c.prefix.data()) << c.length;
        EXPECT_EQ(bytes.size(), c.prefix.data().size() + c.length) << c.length;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        ArchiveReader reader(buffer);
        EXPECT_EQ(reader.readText(), text) << c.length;
        EXPECT_FALSE(reader.hasError());
        EXPECT_TRUE(buffer.atEnd());
    }

    // Text the code page holds is one byte a character; any other goes wide.
    const QString accents = QString::fromUtf8("é€");
    EXPECT_EQ(archived([&](ArchiveWriter& w) { w.writeText(accents); }),
              ArchiveBytes().raw({2, 0xE9, 0x80}).data());

    const QString polish = QString::fromUtf8("Łódź Ω");
    ArchiveBytes wide;
    wide.raw({0xFF}).le(0xFFFE, 2).le(6, 1);
    for (QChar c : polish)
        wide.le(c.unicode(), 2);
    EXPECT_EQ(archived([&](ArchiveWriter& w) { w.writeText(polish); }), wide.data());

    const QString longWide(300, QChar(0x03A9));
    QByteArray bytes = archived([&](ArchiveWriter& w) {
        for (const QString& text : {accents, polish, longWide})
            w.writeText(text);
        w.writeInt32(7);
    });
    EXPECT_EQ(bytes.mid(3 + wide.data().size(), 6),
              ArchiveBytes().raw({0xFF}).le(0xFFFE, 2).raw({0xFF}).le(300, 2).data());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ArchiveReader reader(buffer);
    EXPECT_EQ((QStringList{reader.readText(), reader.readText(), reader.readText()}),
              (QStringList{accents, polish, longWide}));
    EXPECT_EQ(reader.readInt32(), 7);
    EXPECT_FALSE(reader.hasError());
}

TEST(Archive, ReaderStopsAtDamageAndStaysStopped)
{
    const auto read = [](const ArchiveBytes& input, bool sequential) {
        QBuffer buffer;
        buffer.setData(input.data());
        buffer.open(QIODevice::ReadOnly);
        FailDevice stream(1 << 30, input.data());
        ArchiveReader reader(sequential ? static_cast<QIODevice&>(stream) : buffer);
        const QString text = reader.readText();
        const qint32 after = reader.readInt32();
        return std::make_tuple(reader.hasError(), text, after);
    };
    const ArchiveBytes four = ArchiveBytes().i32(4);
    const ArchiveBytes damaged[] = {
        ArchiveBytes().raw({5, 'a', 'b'}),                                                 // truncated text
        ArchiveBytes().raw({0xFF}).le(0xFFFF, 2).le(0x7FFFFFFF, 4).raw({'a', 'b'}).i32(4), // absurd length
        ArchiveBytes().raw({0xFF}).le(0xFFFE, 2).raw({0xFF}).le(0xFFFF, 2).le(0xFFFFFFFF,
                                                                              4), // absurd wide length
        ArchiveBytes().raw({0xFF}).le(0xFFFE, 2).raw({0xFF}).le(0xFFFE, 2).raw(
            {1, 'a', 0}),                 // wide marker twice
        ArchiveBytes().raw({0xFF, 0x01}), // cut inside the prefix
    };
    for (bool sequential : {false, true}) {
        EXPECT_EQ(read(ArchiveBytes().raw({0}).i32(4), sequential), std::make_tuple(false, QString(), 4));
        for (const ArchiveBytes& input : damaged)
            EXPECT_EQ(read(input, sequential), std::make_tuple(true, QString(), 0))
                << input.data().toHex().data();
    }
}

TEST(ProjectSettingsFile, KnownProjectIsWrittenByteForByteReadsBackAndTakesNewPathsWhenMoved)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString dir = tmp.path();
    CProjectSettings settings(dir + u'/', str("Acme"), kClock);
    ASSERT_EQ(settings.status(), Status::Success);
    ASSERT_EQ(settings.SetInventoryStyle(LIFO), Status::Success);
    ASSERT_TRUE(settings.AddStatistic(revenue()));
    ASSERT_TRUE(settings.AddStatistic(halfRevenue()));

    ArchiveBytes expected;
    expected.f64(3.51).text(str("Acme")).text(dir);
    expected.text(dir + str("/Acme.qmp")).text(dir + str("/Acme.qms")).text(dir + str("/Acme.irp"));
    expected.i32(1).le(kCreated, 4).text(str("veltrane")).i32(0).i32(2);
    expected.statistic(revenue()).statistic(halfRevenue());
    EXPECT_EQ(FileBytes(dir + str("/Acme.qms")), expected.data());

    const CProjectSettings reopened(dir + str("/Acme.qmp"));
    ASSERT_EQ(reopened.status(), Status::Success);
    EXPECT_EQ(reopened.statistics(), (QList<CStatistic>{revenue(), halfRevenue()}));

    // Written elsewhere under another name by some other version.
    ASSERT_TRUE(
        WriteFileBytes(tmp.filePath(str("Copy.qms")),
                       header(str("/old/place"), str("Original"), 9.75, 1).statistic(revenue()).data()));

    CProjectSettings moved(tmp.filePath(str("Copy.qmp")));
    ASSERT_EQ(moved.status(), Status::Success);
    EXPECT_EQ(moved.reportPath(), tmp.filePath(str("Copy.irp")));
    // Saving records the new location and carries everything else through as read.
    ASSERT_EQ(moved.Save(), Status::Success);
    EXPECT_EQ(FileBytes(moved.settingsPath()),
              header(tmp.path(), str("Copy"), 3.51, 1).statistic(revenue()).data());
}

TEST(ProjectSettingsFile, DamagedMissingOrMisnamedFilesFailCleanly)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString database = tmp.filePath(str("Acme.qmp"));
    const QByteArray good =
        header(tmp.path(), str("Acme"), 3.51, 2).statistic(revenue()).statistic(halfRevenue()).data();
    const auto expectCorrupt = [&](const QByteArray& bytes, const std::string& what) {
        ASSERT_TRUE(WriteFileBytes(tmp.filePath(str("Acme.qms")), good));
        CProjectSettings settings(database);
        ASSERT_EQ(settings.status(), Status::Success);
        ASSERT_TRUE(WriteFileBytes(tmp.filePath(str("Acme.qms")), bytes));
        EXPECT_EQ(settings.Load(), Status::FileCorrupt) << what;
        EXPECT_EQ(CProjectSettings(database).status(), Status::FileCorrupt) << what;
        // Neither what was loaded before nor anything half-read survives.
        EXPECT_EQ(
            std::make_tuple(settings.statisticCount(), settings.inventoryStyle(), settings.protectionText()),
            std::make_tuple(0, int(FIFO), str("veltrane")))
            << what;
    };
    for (qsizetype cut = 0; cut < good.size(); ++cut)
        expectCorrupt(good.left(cut), "cut at " + std::to_string(cut));
    const QString dir = tmp.path();
    const QString name = str("Acme");
    ArchiveBytes tooMany = header(dir, name, 3.51, 501);
    for (int i = 0; i < 501; ++i)
        tooMany.statistic(statistic(QByteArray::number(i).constData()));
    expectCorrupt(tooMany.data(), "501 statistics");
    expectCorrupt(header(dir, name, 3.51, -1).data(), "negative count");
    CStatistic badDate = revenue();
    badDate.StartDate = DateTime::fromStored(static_cast<DateTime::Status>(3), 1.0);
    expectCorrupt(header(dir, name, 3.51, 1).statistic(badDate).data(), "unknown date status");
    expectCorrupt(header(dir, name, 3.51, 1).f64(3.51).raw({0xFF}).le(0xFFFF, 2).le(0xFFFFFFF0, 4).data(),
                  "huge name");

    EXPECT_EQ(CProjectSettings(tmp.filePath(str("Other.qmp"))).status(), Status::SettingsFileMissing);

    for (const char* bad : {"x.QMP", "noseparator.qmp", "/a/b.QMP", "/a.qmp/b", "", "/a/b.qmp.bak"})
        EXPECT_EQ(CProjectSettings(str(bad)).status(), Status::InvalidFileName) << bad;
    const CProjectSettings odd(str("/a.qmp/b.qmp"));
    EXPECT_EQ(odd.status(), Status::SettingsFileMissing);
    EXPECT_EQ(odd.directory() + u'|' + odd.name(), str("/a.qmp|b"));

    // Only the final extension ends the name: a project whose name holds it reopens.
    CProjectSettings copy(tmp.path(), str("old.qmp copy"));
    ASSERT_EQ(copy.SetInventoryStyle(LIFO), Status::Success);
    const CProjectSettings reopened(copy.databasePath());
    ASSERT_EQ(reopened.status(), Status::Success);
    EXPECT_EQ(std::make_tuple(reopened.name(), reopened.settingsPath(), reopened.inventoryStyle()),
              std::make_tuple(str("old.qmp copy"), tmp.filePath(str("old.qmp copy.qms")), int(LIFO)));
}

class StatisticList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_settings.emplace(m_dir.path(), str("Shop"), kClock);
        ASSERT_EQ(m_settings->status(), Status::Success);
    }
    QByteArray file() const { return FileBytes(m_settings->settingsPath()); }
    QList<CStatistic> stored() const { return CProjectSettings(m_settings->databasePath()).statistics(); }

    QTemporaryDir m_dir;
    std::optional<CProjectSettings> m_settings;
};

// Renaming follows statistic operands only; deleting ignores case, adding and finding do not.
TEST_F(StatisticList, RenameFollowsStatisticOperandsAndOnlyDeleteIgnoresCase)
{
    const CStatistic user =
        statistic("B", CStatistic::OperandStatistic, "A", CStatistic::OperandStatistic, "A");
    const CStatistic fieldAndConstant =
        statistic("C", CStatistic::OperandField, "A", CStatistic::OperandConstant, "A");
    const CStatistic otherCase = statistic("D", CStatistic::OperandStatistic, "a");
    for (const CStatistic& s : {statistic("A"), user, fieldAndConstant, otherCase})
        ASSERT_TRUE(m_settings->AddStatistic(s));

    EXPECT_FALSE(m_settings->ModifyStatistic(0, statistic("C")));
    EXPECT_FALSE(m_settings->ModifyStatistic(4, statistic("E")));
    ASSERT_TRUE(m_settings->ModifyStatistic(0, statistic("Alpha")));
    const QList<CStatistic>& list = m_settings->statistics();
    EXPECT_EQ(list[1].LeftOperand + list[1].RightOperand, str("AlphaAlpha"));
    EXPECT_EQ(list.mid(2), (QList<CStatistic>{fieldAndConstant, otherCase}));
    // Keeping its own name, or taking one that differs only in case, is allowed.
    EXPECT_TRUE(m_settings->ModifyStatistic(1, statistic("B")));
    EXPECT_TRUE(m_settings->ModifyStatistic(2, statistic("alpha")));
    EXPECT_EQ(stored(), m_settings->statistics());

    EXPECT_TRUE(m_settings->AddStatistic(statistic("d")));
    EXPECT_FALSE(m_settings->AddStatistic(statistic("D")));
    EXPECT_EQ(m_settings->FindStatistic(str("d")), 4);
    EXPECT_EQ(m_settings->FindStatistic(str("b")), -1);
    EXPECT_TRUE(m_settings->DeleteStatistic(str("b")));
    EXPECT_EQ(m_settings->statistics(),
              (QList<CStatistic>{statistic("Alpha"), statistic("alpha"), otherCase, statistic("d")}));
    EXPECT_FALSE(m_settings->DeleteStatistic(str("Missing")));
    EXPECT_EQ(stored(), m_settings->statistics());
}

TEST_F(StatisticList, FailedSaveKeepsThePreviousFileAndMemory)
{
    ASSERT_TRUE(m_settings->AddStatistic(revenue()));
    const QByteArray before = file();
    for (qint64 budget = 0; budget < before.size(); ++budget) {
        FailDevice device(budget);
        EXPECT_EQ(m_settings->writeTo(device), Status::FileNotAccessible) << budget;
        const int status = writeFileSafely(m_settings->settingsPath(), [&](QIODevice& target) {
            FailDevice failing(budget, &target);
            return m_settings->writeTo(failing);
        });
        EXPECT_EQ(status, Status::FileNotAccessible) << budget;
    }
    EXPECT_EQ(file(), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{str("Shop.qms")});

    // A project whose folder has gone cannot save; the change is not kept either.
    CProjectSettings gone(m_dir.filePath(str("missing")), str("Shop"), kClock);
    EXPECT_EQ(gone.status(), Status::InvalidFileName);
    EXPECT_FALSE(gone.AddStatistic(revenue()));
    EXPECT_EQ(gone.lastSaveStatus(), Status::InvalidFileName);
    EXPECT_EQ(gone.SetInventoryStyle(LIFO), Status::InvalidFileName);
    EXPECT_EQ(std::make_tuple(gone.statisticCount(), gone.inventoryStyle()), std::make_tuple(0, int(FIFO)));
}

} // namespace
