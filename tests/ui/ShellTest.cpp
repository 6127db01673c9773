#include "ui/common/DesktopServices.h"

#include "core/common/StatusCodes.h"
#include "core/project/Project.h"
#include "core/session/ProjectOpening.h"
#include "core/views/RecordLists.h"

#include "DesktopDriver.h"
#include "WidgetDriver.h"

#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Kind = ListingKind;
using C = MainWindow::Command;

// A project on disk with its settings file, filled through the builder's own connection.
struct DiskProject
{
    explicit DiskProject(const QString& name = u"test"_s) : project(CStockSet::kFifo, name), build(project)
    {
        CProjectSettings settings(project.dir(), name);
        EXPECT_EQ(settings.status(), 1);
    }
    QString path() const { return project.path(); }

    TempProject project;
    ProjectBuilder build;
};

// The application over temporary user settings; the test answers the New Project dialog.
class Shell : public ::testing::Test
{
protected:
    void TearDown() override { CloseApp(app); }

    void setRecent(const QString& path) { settings->setValue(u"Recent File List"_s, u"File1"_s, path); }
    // Starts on `project`, the most recent file.
    bool launchOn(const DiskProject& project)
    {
        setRecent(project.path());
        return launch();
    }

    bool launch(const QStringList& arguments = {})
    {
        app = std::make_unique<Application>(
            *settings,
            [this](QWidget*, const DesktopServices&) -> std::unique_ptr<CProjectSettings> {
                ++asked;
                if (answers.isEmpty())
                    return nullptr;
                const QString name = answers.takeFirst();
                return std::make_unique<CProjectSettings>(home.path(), name);
            },
            &prompter, &files, &clock);
        return app->start(arguments);
    }

    // Closes the window (which stores its layout) and starts again on settings read afresh.
    bool relaunch()
    {
        CloseApp(app);
        settings = std::make_unique<UserSettings>(home.filePath(u"user.ini"_s));
        return launch();
    }

    MainWindow& window() { return app->mainWindow(); }
    NavigationTreeWidget& tree() { return *window().navigationTree(); }
    QString openPath() const
    {
        return app->project().settings() ? app->project().settings()->databasePath() : QString();
    }
    qsizetype rows(Kind kind) { return app->lists().list(kind).count(); }
    void select(const QString& caption)
    {
        ASSERT_TRUE(tree().selectCaption(caption)) << caption.toStdString();
    }

    QTemporaryDir home;
    std::unique_ptr<UserSettings> settings = std::make_unique<UserSettings>(home.filePath(u"user.ini"_s));
    ScriptedPrompter prompter;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2024, 5, 6), QTime(9, 0))};
    QStringList answers; // project names the dialog gives, one per asking; none: Cancel
    int asked = 0;
    std::unique_ptr<Application> app;
};

TEST_F(Shell, WithoutAUsableRecentEntryTheUserIsAsked)
{
    // No entry: the dialog's new project is created and opened.
    answers = {u"fresh"_s};
    ASSERT_TRUE(launch());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(QFile::exists(home.filePath(u"fresh.qmp"_s)));
    EXPECT_EQ(settings->text(u"Recent File List"_s, u"File1"_s), home.filePath(u"fresh.qmp"_s));
    CloseApp(app);

    // An entry whose file is gone is no entry; Cancel ends the start.
    setRecent(home.filePath(u"gone.qmp"_s));
    asked = 0;
    EXPECT_FALSE(launch());
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(app->project().isOpen());
}

TEST_F(Shell, AFailingOpenLeavesTheOpenProjectOpen)
{
    DiskProject project;
    const qint32 vendor = project.build.vendor(u"Acme"_s);
    ASSERT_TRUE(launchOn(project));
    window().setShowAll(true);
    ASSERT_EQ(rows(Kind::Vendors), 1);

    // A database without its settings file: reported, then the dialog, cancelled.
    DiskProject broken(u"broken"_s);
    ASSERT_TRUE(QFile::remove(broken.project.dir() + u"/broken.qms"_s));
    EXPECT_FALSE(app->openProject(broken.path()));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(prompter.lastText(), u"The settings file for this project (.qms) was unable to be located."_s);
    EXPECT_EQ(window().listView(Kind::Vendors)->list().recordId(0), vendor);

    // A cancelled New Inventory Project changes nothing either.
    EXPECT_FALSE(app->newProject());
    EXPECT_EQ(openPath(), project.path());
    // Only projects that opened are offered again.
    EXPECT_EQ(app->recentFiles(), QStringList{project.path()});

    // A file that is no database: the dialog again, whose project then replaces.
    QFile junk(home.filePath(u"junk.qmp"_s));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a database");
    junk.close();
    CProjectSettings junkSettings(home.path(), u"junk"_s);
    answers = {u"replacement"_s};
    EXPECT_TRUE(app->openProject(junk.fileName()));
    EXPECT_EQ(openPath(), home.filePath(u"replacement.qmp"_s));
    EXPECT_EQ(rows(Kind::Vendors), 0); // the new project's lists
}

TEST_F(Shell, ARecentProjectThatIsGoneIsNamedAsSuchAndNoLongerOffered)
{
    DiskProject kept(u"kept"_s);
    // Its settings file outlived the database.
    const QString gone = home.filePath(u"gone.qmp"_s);
    ASSERT_EQ(CProjectSettings(home.path(), u"gone"_s).status(), Status::Success);
    settings->setValue(u"Recent File List"_s, u"File1"_s, kept.path());
    settings->setValue(u"Recent File List"_s, u"File2"_s, gone);
    ASSERT_TRUE(launch());
    QAction* entry = window().findChild<QAction*>(u"recentFile2"_s);
    ASSERT_TRUE(entry != nullptr && entry->isVisible());

    entry->trigger();
    EXPECT_EQ(prompter.texts(), QStringList{ProjectNotFoundMessage(gone)});
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(openPath(), kept.path());
    EXPECT_FALSE(entry->isVisible());
    EXPECT_EQ(app->recentFiles(), QStringList{kept.path()});
    EXPECT_EQ(UserSettings(home.filePath(u"user.ini"_s)).text(u"Recent File List"_s, u"File2"_s), QString());
}

TEST_F(Shell, StoredQueriesSitUnderTheirFoldersAndFilterTheList)
{
    DiskProject project;
    const qint32 vendor = project.build.vendor(u"Acme"_s);
    project.build.item({u"apple"_s, vendor});
    const qint32 cheap = project.build.item({u"berry"_s, vendor, NoID, Money::fromWhole(0, 5000)});
    project.build.item({u"cherry"_s, vendor});
    ASSERT_TRUE(
        project.project.db().CreateQueryDef(u"Cheap items"_s, u"SELECT * FROM [Items] WHERE Cost < 1"_s));
    ASSERT_TRUE(launchOn(project));

    // Show-all off: the folder lists nothing and says why, its query its records,
    // the folder again nothing.
    window().navigationTree()->SelectFolder(Kind::Items);
    EXPECT_EQ(rows(Kind::Items), 0);
    EXPECT_TRUE(window().currentListView()->emptyHint().contains(u"Display All Records At Root"_s));
    select(u"Cheap items"_s);
    ASSERT_EQ(rows(Kind::Items), 1);
    EXPECT_EQ(app->lists().list(Kind::Items).recordId(0), cheap);
    EXPECT_EQ(window().currentListView()->emptyHint(), QString());
    window().navigationTree()->SelectFolder(Kind::Items);
    EXPECT_EQ(rows(Kind::Items), 0);
    EXPECT_FALSE(window().currentListView()->emptyHint().isEmpty());

    // Show-all on: the folder lists every item, the query its own, the folder all again.
    window().action(C::DisplayAllRecords)->trigger();
    EXPECT_EQ(rows(Kind::Items), 3);
    EXPECT_EQ(window().currentListView()->emptyHint(), QString());
    select(u"Cheap items"_s);
    window().navigationTree()->SelectFolder(Kind::Items);
    EXPECT_EQ(window().recordsText(), u"Displayed Records: 3"_s);

    // Delete on the query's node deletes the query after a Yes; its folder is shown.
    select(u"Cheap items"_s);
    prompter.answer({true});
    QTest::keyClick(&tree(), Qt::Key_Delete);
    EXPECT_FALSE(project.project.db().QueryDefExists(u"Cheap items"_s));
    EXPECT_FALSE(tree().tree().findByCaption(u"Cheap items"_s).isValid());
    EXPECT_EQ(rows(Kind::Items), 3);
}

TEST_F(Shell, ReportNodesLeaveTheListAndDisableListCommands)
{
    DiskProject project;
    ASSERT_TRUE(launchOn(project));
    // The Quick Reports menu selects the report's node, which asks for its date
    // range first; cancelled, the pane stays empty.
    WhenModalOpens(u"Date Range"_s, [](QDialog& dialog) { dialog.reject(); });
    window().action(C::QuickInventorySummary)->trigger();
    EXPECT_EQ(tree().currentItem()->text(0), u"Inventory Summary"_s);
    EXPECT_EQ(window().currentListView(), nullptr);
    EXPECT_EQ(window().placeholderText(), QString());
    EXPECT_FALSE(window().action(C::FilePrint)->isEnabled());
    window().action(C::ViewRefresh)->trigger();
    EXPECT_EQ(prompter.lastText(), u"This option is only valid for list views."_s);

    // The View menu brings a list back.
    window().action(C::ViewStock)->trigger();
    EXPECT_EQ(window().currentKind(), 5);
    EXPECT_TRUE(window().action(C::FilePrint)->isEnabled());
}

TEST_F(Shell, TheCommandLineWinsOverTheRecentEntryAndADroppedProjectReplacesTheLists)
{
    DiskProject first(u"first"_s);
    // Enough rows for the progress window to come up while they are read.
    for (int i = 0; i < 20; ++i)
        first.build.vendor(u"V%1"_s.arg(i));
    DiskProject second(u"second"_s);
    setRecent(first.path());
    ASSERT_TRUE(launch({second.path()}));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(openPath(), second.path());
    // Display All Records At Root is off by default: the folder lists nothing.
    EXPECT_EQ(window().recordsText(), u"Displayed Records: 0"_s);
    window().setShowAll(true);
    window().navigationTree()->SelectFolder(Kind::Items);

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(first.path())});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: the application object passes drops on only
    // during a drag it runs itself.
    static_cast<QObject&>(window()).event(&drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(openPath(), first.path());
    EXPECT_EQ(tree().currentItem()->text(0), u"Vendor Information"_s);
    EXPECT_EQ(window().recordsText(), u"Displayed Records: 20"_s);
    EXPECT_EQ(app->recentFiles(), (QStringList{first.path(), second.path()}));
}

TEST_F(Shell, WithoutAProjectItsCommandsAreOffAndTheRecentProjectsAreNumbered)
{
    RecordLists lists{*settings};
    Project project;
    const DesktopServices services{prompter, files, clock};
    MainWindow window{*settings, lists, project, services};
    window.show();
    // Without a project or a list.
    EXPECT_FALSE(window.action(C::RecordSale)->isEnabled() || window.action(C::FilePrint)->isEnabled());

    // The recently used projects show in the File menu, numbered.
    window.setRecentFiles({u"/p/a.qmp"_s, u"/p/b.qmp"_s});
    const QAction* second = window.findChild<QAction*>(u"recentFile2"_s);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->text(), u"&2 /p/b.qmp"_s);
    EXPECT_TRUE(second->isVisible());
}

TEST_F(Shell, TheStockListFollowsAStyleChangedInProjectSettingsAtOnce)
{
    DiskProject project;
    const qint32 item = project.build.item({u"Nut"_s, project.build.vendor(u"V"_s)});
    QList<qint32> lots;
    for (const int month : {1, 2, 3}) {
        lots.append(project.build.lot(item, 1));
        project.build.change<CStockRec>(lots.constLast(),
                                        [&](CStockRec& rec) { rec.Date = day(1997, month, 1); });
    }
    ASSERT_TRUE(launchOn(project));
    window().setShowAll(true);
    window().action(C::ViewStock)->trigger();
    RecordList& stock = app->lists().list(Kind::Stock);
    // Sorted by item name, all equal: in the stock's own order.
    stock.setSortColumn(2);
    const auto shown = [&] {
        QList<qint32> ids;
        for (qsizetype row = 0; row < stock.count(); ++row)
            ids.append(stock.recordId(row));
        return ids;
    };
    ASSERT_EQ(shown(), lots);

    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        for (QRadioButton* radio : dialog->findChildren<QRadioButton*>())
            if (radio->text() == u"LIFO"_s)
                radio->click();
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text() == u"OK"_s)
                button->click();
    });
    window().action(C::ProjectSettings)->trigger();
    ASSERT_EQ(app->project().settings()->inventoryStyle(), LIFO);
    EXPECT_EQ(shown(), (QList<qint32>{lots[2], lots[1], lots[0]}));
}

TEST_F(Shell, PaneWidthColumnsAndShowAllSurviveARestart)
{
    DiskProject project;
    project.build.vendor(u"Acme"_s);
    ASSERT_TRUE(launchOn(project));
    QApplication::processEvents();
    window().splitter()->setSizes({230, 700});
    window().listView(Kind::Vendors)->horizontalHeader()->resizeSection(1, 177);
    window().setShowAll(true);
    window().toolBar(1)->hide();

    ASSERT_TRUE(relaunch());
    QApplication::processEvents();
    EXPECT_EQ(window().splitter()->sizes().constFirst(), 230);
    EXPECT_EQ(window().listView(Kind::Vendors)->horizontalHeader()->sectionSize(1), 177);
    EXPECT_TRUE(window().action(C::DisplayAllRecords)->isChecked());
    EXPECT_EQ(rows(Kind::Vendors), 1);
    EXPECT_TRUE(window().toolBar(1)->isHidden());
}

// A large display gets a window to match, a small one never a window larger
// than itself, and the familiar size in between.
TEST(MainWindowSize, TakesFourFifthsOfTheScreenButNotLessThanItsUsualSizeNorMoreThanTheScreen)
{
    const struct
    {
        QSize screen;
        QSize window;
    } cases[] = {
        {{3840, 2100}, {3072, 1680}}, {{1920, 1040}, {1536, 832}}, {{1280, 760}, {1024, 700}},
        {{1024, 700}, {1024, 700}},   {{800, 600}, {800, 600}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MainWindow::initialSize(c.screen), c.window)
            << c.screen.width() << "x" << c.screen.height();
}

} // namespace

TEST_F(Shell, EveryKeyboardShortcutReachesOneCommandAndNoneTakesAMenusLetter)
{
    // Qt runs neither of two commands that share a key, so a menu letter equal to
    // a command's Alt shortcut (Alt+S is Record Sale) would silence both.
    DiskProject project;
    ASSERT_TRUE(launchOn(project));
    QHash<QKeySequence, QString> owners;
    for (const QAction* action : window().findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            const auto taken = owners.constFind(key);
            EXPECT_TRUE(taken == owners.cend())
                << qPrintable(key.toString()) << " serves both " << qPrintable(*taken) << " and "
                << qPrintable(action->text());
            owners.insert(key, action->text());
        }
    }
    for (const QAction* menu : window().menuBar()->actions()) {
        const QKeySequence letter = QKeySequence::mnemonic(menu->text());
        ASSERT_FALSE(letter.isEmpty()) << qPrintable(menu->text());
        EXPECT_FALSE(owners.contains(letter))
            << qPrintable(menu->text()) << " opens with " << qPrintable(letter.toString()) << ", which "
            << qPrintable(owners.value(letter)) << " takes";
    }
}
