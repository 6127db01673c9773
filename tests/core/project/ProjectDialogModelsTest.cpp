#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/project/Backup.h"
#include "core/project/Backup.h"
#include "core/project/CompanyInfoModel.h"
#include "core/project/NewProjectModel.h"
#include "core/project/PrintMarginsModel.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectSettingsModel.h"

#include "FileBytes.h"
#include "QtPrinters.h"
#include "ScriptedPrompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QDateTime kCreated(QDate(2002, 3, 4), QTime(15, 30), Qt::LocalTime);

class NewProject : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    FixedClock clock{kCreated};
    ScriptedPrompter prompter;
    NewProjectModel model{clock, prompter};
};

TEST_F(NewProject, RefusesAMissingNameOrLocationAndReportsAFailedCreation)
{
    model.setLocation(dir.path());
    EXPECT_FALSE(model.save().saved);
    model.setName(u"Shop"_s);
    model.setLocation(QString());
    EXPECT_FALSE(model.save().saved);
    const QString missing = u"You must specify both a name and a location for the project"_s;
    EXPECT_EQ(prompter.texts(), (QStringList{missing, missing}));
    EXPECT_EQ(prompter.log().constFirst().title, u"New Inventory Project"_s);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    prompter.clear();
    model.setLocation(dir.filePath(u"no such folder"_s));
    EXPECT_FALSE(model.save().saved);
    EXPECT_EQ(prompter.texts(), QStringList{StatusMessage(Status::InvalidFileName)});
    EXPECT_EQ(model.settings(), nullptr);

    // A name within the dialog's limit of characters but beyond the file
    // system's limit of bytes is called too long, and leaves nothing behind.
    prompter.clear();
    model.setLocation(dir.path());
    model.setName(QString(100, QChar(0x5009)));
    EXPECT_FALSE(model.save().saved);
    EXPECT_EQ(prompter.texts(), QStringList{StatusMessage(Status::NameTooLong)});
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(NewProject, WritesTheSettingsFileWithTheChosenStyleUnderASingleSeparator)
{
    model.setName(QString(200, u'n'));
    EXPECT_EQ(model.name().size(), NewProjectModel::MaxNameLength);
    model.setName(u"Shop"_s);
    model.chooseLocation(dir.path() + u"//"_s);
    EXPECT_EQ(model.location(), dir.path());
    // A typed trailing separator does not double either.
    model.setLocation(dir.path() + u'/');
    model.setInventoryStyle(LIFO);
    ASSERT_TRUE(model.save().saved);
    EXPECT_TRUE(prompter.log().isEmpty());

    std::unique_ptr<CProjectSettings> made = model.takeSettings();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->settingsPath(), dir.path() + u"/Shop.qms"_s);
    const CProjectSettings reread(made->databasePath());
    EXPECT_EQ(reread.status(), Status::Success);
    EXPECT_EQ(reread.inventoryStyle(), LIFO);
    EXPECT_EQ(reread.created(), static_cast<quint32>(kCreated.toSecsSinceEpoch()));
}

TEST_F(NewProject, OpeningAnExistingProjectReadsItsSettingsOrWritesFreshOnes)
{
    // A project with its settings: they are taken as stored, whatever the dialog shows.
    {
        CProjectSettings stored(dir.path(), u"Kept"_s);
        ASSERT_EQ(stored.SetInventoryStyle(LIFO), Status::Success);
    }
    ASSERT_TRUE(model.openExisting(dir.filePath(u"Kept.qmp"_s)));
    EXPECT_EQ(model.takeSettings()->inventoryStyle(), LIFO);

    // A database whose settings file is missing or unreadable gets a fresh one.
    const QString lost = dir.filePath(u"Lost.qms"_s);
    const QString broken = dir.filePath(u"Broken.qms"_s);
    ASSERT_TRUE(WriteFileBytes(broken, "\x01\x02"));
    for (const QString& name : {u"Lost"_s, u"Broken"_s}) {
        ASSERT_TRUE(model.openExisting(dir.filePath(name + u".qmp"_s))) << name.toStdString();
        EXPECT_EQ(CProjectSettings(model.takeSettings()->databasePath()).status(), Status::Success);
    }
    EXPECT_TRUE(QFile::exists(lost));
    EXPECT_TRUE(prompter.log().isEmpty());

    // Neither readable nor writable: reported, and the dialog stays.
    EXPECT_FALSE(model.openExisting(dir.filePath(u"gone/Shop.qmp"_s)));
    EXPECT_EQ(prompter.texts(), QStringList{StatusMessage(Status::InvalidFileName)});
    EXPECT_EQ(model.settings(), nullptr);
}

TEST_F(NewProject, AFolderHoldingAProjectOfThatNameIsLeftAsItWasAndMayBeOpenedInstead)
{
    const FixedClock longAgo(QDateTime(QDate(1999, 1, 2), QTime(9, 0), Qt::LocalTime));
    CProjectSettings shop(dir.path(), u"Shop"_s, longAgo);
    CStatistic margin;
    margin.Name = u"Margin"_s;
    ASSERT_EQ(shop.SetInventoryStyle(LIFO), Status::Success);
    ASSERT_TRUE(shop.AddStatistic(margin));
    ASSERT_TRUE(WriteFileBytes(dir.filePath(u"Shop.qmp"_s), "database"));
    // A database whose settings file was lost counts as a project too.
    ASSERT_TRUE(WriteFileBytes(dir.filePath(u"Lost.qmp"_s), "database"));
    const auto before = FolderSnapshot(dir.path());

    model.setLocation(dir.path() + u'/');
    for (const QString& name : {u"Shop"_s, u"Lost"_s}) {
        model.setName(name);
        EXPECT_FALSE(model.save().saved) << name.toStdString();
        ASSERT_EQ(prompter.log().size(), 1);
        const ScriptedPrompter::Entry asked = prompter.log().constFirst();
        EXPECT_TRUE(asked.question);
        EXPECT_TRUE(asked.text.startsWith(u"A project named \""_s + name + u"\" already exists in "_s +
                                          QDir::toNativeSeparators(dir.path()) + u"."_s))
            << asked.text.toStdString();
        EXPECT_EQ(model.settings(), nullptr);
        EXPECT_EQ(FolderSnapshot(dir.path()), before);
        prompter.clear();
    }

    // Yes opens the project as it is stored, whatever the dialog shows.
    model.setName(u"Shop"_s);
    model.setInventoryStyle(FIFO);
    prompter.answer({true});
    ASSERT_TRUE(model.save().saved);
    const std::unique_ptr<CProjectSettings> opened = model.takeSettings();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(std::make_tuple(opened->databasePath(), opened->inventoryStyle(), opened->created(),
                              opened->statisticCount()),
              std::make_tuple(dir.filePath(u"Shop.qmp"_s), int(LIFO), shop.created(), 1));
    EXPECT_EQ(FolderSnapshot(dir.path()), before);
}

TEST(ProjectSettingsDialogModel, ShowsTheProjectAndStoresTheStyle)
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    const FixedClock clock(kCreated);
    CProjectSettings settings(dir.path(), u"Shop"_s, clock);
    QTemporaryDir home;
    UserSettings user(home.filePath(u"user.ini"_s));
    ProjectSettingsModel model(settings, prompter, &user);
    EXPECT_EQ(model.dateCreated(), u"Monday, March, 04, 2002"_s);
    EXPECT_EQ(model.backupsKept(), kDefaultBackupsKept);
    EXPECT_FALSE(ProjectSettingsModel(settings, prompter).backupsKept())
        << "shown only with the user's settings";
    // Late in the evening local time is still that day.
    EXPECT_EQ(ProjectSettingsModel::formatCreated(static_cast<quint32>(
                  QDateTime(QDate(1999, 12, 31), QTime(23, 59), Qt::LocalTime).toSecsSinceEpoch())),
              u"Friday, December, 31, 1999"_s);

    model.setInventoryStyle(LIFO);
    model.setBackupsKept(-3);
    ASSERT_TRUE(model.save().saved);
    EXPECT_EQ(CProjectSettings(settings.databasePath()).inventoryStyle(), LIFO);
    EXPECT_EQ(BackupsToKeep(user, settings.databasePath()), 0);

    // The settings file can no longer be written: told, and the style stays.
    ASSERT_TRUE(QDir(dir.path()).removeRecursively());
    model.setInventoryStyle(FIFO);
    EXPECT_FALSE(model.save().saved);
    EXPECT_EQ(prompter.log().size(), 1);
    EXPECT_EQ(settings.inventoryStyle(), LIFO);
}

TEST(ProjectSettingsDialogModel, AFolderOrFileThatTakesNoWritesIsNamedAsTheCause)
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    CProjectSettings settings(dir.path(), u"Shop"_s);
    ProjectSettingsModel model(settings, prompter);
    model.setInventoryStyle(LIFO);
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    for (const QString& path : {dir.path(), settings.settingsPath()}) {
        const QFileDevice::Permissions before = QFile::permissions(path);
        ASSERT_TRUE(QFile::setPermissions(path, readOnly));
        const bool written = model.save().saved;
        ASSERT_TRUE(QFile::setPermissions(path, before));
        if (written)
            GTEST_SKIP() << "permissions do not keep this user from writing";
        EXPECT_EQ(prompter.texts(), QStringList{StatusMessage(Status::ReadOnly)});
        EXPECT_EQ(CProjectSettings(settings.databasePath()).inventoryStyle(), FIFO);
        prompter.clear();
    }
}

class UserPreferences : public ::testing::Test
{
protected:
    std::unique_ptr<UserSettings> reopen()
    {
        return std::make_unique<UserSettings>(dir.filePath(u"user.ini"_s));
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
};

TEST_F(UserPreferences, MarginsRoundTripAndAnUnreadableOrNegativeOneIsRefused)
{
    {
        auto settings = reopen();
        PrintMarginsModel model(*settings, prompter);
        for (int side = 0; side < PrintMarginsModel::SideCount; ++side)
            EXPECT_EQ(model.text(static_cast<PrintMarginsModel::Side>(side)), u"1.0"_s);
        model.setText(PrintMarginsModel::Left, u" 0.5 "_s);
        model.setText(PrintMarginsModel::Top, u"0"_s);
        model.setText(PrintMarginsModel::Bottom, u"2.25"_s);
        ASSERT_TRUE(model.save().saved);
    }
    auto settings = reopen();
    PrintMarginsModel model(*settings, prompter);
    EXPECT_EQ(model.text(PrintMarginsModel::Left) + model.text(PrintMarginsModel::Right) +
                  model.text(PrintMarginsModel::Top),
              u"0.51.00"_s);
    // The stored name is the one older files use.
    EXPECT_EQ(settings->text(u"Margins"_s, u"Bottom"_s), u"2.25"_s);

    for (const QString& bad : {u"-0.1"_s, u"wide"_s, u"inf"_s}) {
        prompter.clear();
        model.setText(PrintMarginsModel::Top, u"3"_s);
        model.setText(PrintMarginsModel::Right, bad);
        const PrintMarginsModel::Result refused = model.save();
        EXPECT_FALSE(refused.saved) << bad.toStdString();
        EXPECT_EQ(refused.focus, PrintMarginsModel::Field::Right);
        ASSERT_EQ(prompter.log().size(), 1);
        EXPECT_TRUE(prompter.lastText().contains(u"right margin"_s)) << prompter.lastText().toStdString();
    }
    // Nothing of the refused input was stored.
    EXPECT_EQ(PrintMargins::load(*reopen()).top, u"0"_s);
}

TEST_F(UserPreferences, CompanyInformationRoundTripsUnderItsOwnKeys)
{
    const QStringList typed = {u"Acme"_s,     u"1 Main St"_s, u"Suite 2"_s,         u"Springfield"_s,
                               u"555-0100"_s, u"555-0101"_s,  u"sales@acme.test"_s, u"acme.test"_s};
    {
        auto settings = reopen();
        CompanyInfoModel model(*settings, prompter);
        for (int field = 0; field < CompanyInfoModel::LineCount; ++field) {
            EXPECT_TRUE(model.text(static_cast<CompanyInfoModel::Line>(field)).isEmpty());
            model.setText(static_cast<CompanyInfoModel::Line>(field), typed.at(field));
        }
        ASSERT_TRUE(model.save().saved);
    }
    auto settings = reopen();
    CompanyInfoModel model(*settings, prompter);
    for (int field = 0; field < CompanyInfoModel::LineCount; ++field)
        EXPECT_EQ(model.text(static_cast<CompanyInfoModel::Line>(field)), typed.at(field));
    EXPECT_EQ(settings->text(u"Company Info"_s, u"EMail"_s), u"sales@acme.test"_s);
    EXPECT_EQ(settings->text(u"Company Info"_s, u"Address3"_s), u"Springfield"_s);
}

} // namespace
