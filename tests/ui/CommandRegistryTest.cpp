#include "ui/app/CommandRegistry.h"
#include "ui/app/Application.h"
#include "ui/app/MainWindow.h"
#include "ui/app/NavigationTreeWidget.h"
#include "ui/views/RecordListView.h"

#include "core/common/Clock.h"
#include "ui/common/DesktopServices.h"
#include "core/common/UserSettings.h"
#include "core/db/Records.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectTables.h"
#include "core/views/RecordLists.h"

#include "ProjectBuilder.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

using Kind = ListingKind;
using C = MainWindow::Command;
using Action = CProjectCommands::Action;

// A model that keeps the dialog-model contract: it adds or renames a vendor
// through the project's tables, and refuses an empty name.
class VendorNameModel final : public DialogModel
{
public:
    enum class Field
    {
        None,
        Name
    };

    // `filterSeen` receives the vendor table's filter as it was while the window was open.
    VendorNameModel(ProjectTables& tables, qint32 vendorId, QString& filterSeen)
        : m_tables(tables), m_id(vendorId), m_filterSeen(filterSeen)
    {
    }

    QString caption() const override { return u"Vendor Name"_s; }

    void setName(const QString& name) { m_name = name; }
    SaveResult<Field> save()
    {
        m_filterSeen = m_tables.vendors().filter();
        if (m_name.isEmpty())
            return SaveResult<Field>::refused(Field::Name);
        CVendorsRec rec;
        if (m_id != NoSelection) {
            EXPECT_TRUE(m_tables.vendors().RecordRead(rec, m_id));
            rec.Name = m_name;
            EXPECT_TRUE(m_tables.vendors().RecordModify(rec));
        } else {
            rec.Name = m_name;
            EXPECT_TRUE(m_tables.vendors().RecordAdd(rec));
        }
        m_changes.add(Kind::Vendors, rec.ID);
        return SaveResult<Field>::ok();
    }

private:
    ProjectTables& m_tables;
    qint32 m_id;
    QString m_name;
    QString& m_filterSeen;
};

// Its dialog: one edit and OK, which saves and closes.
class VendorNameDialog final : public QDialog
{
public:
    VendorNameDialog(VendorNameModel& model, QWidget* parent) : QDialog(parent), m_edit(new QLineEdit(this))
    {
        auto* ok = new QPushButton(u"OK"_s, this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_edit);
        layout->addWidget(ok);
        connect(ok, &QPushButton::clicked, this, [this, &model] {
            model.setName(m_edit->text());
            if (model.save().saved)
                accept();
        });
    }

private:
    QLineEdit* m_edit;
};

// Answers the next modal dialog: types `name` and presses OK.
void answerWithName(const QString& name)
{
    QTimer::singleShot(0, [name] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>()->setText(name);
        dialog->findChild<QPushButton*>()->click();
    });
}

class Registry : public ::testing::Test
{
protected:
    Registry() : build(project)
    {
        CProjectSettings projectSettings(project.dir(), u"test"_s);
        EXPECT_EQ(projectSettings.status(), 1);
    }

    void launch(bool showAll = true)
    {
        settings.setValue(u"Recent File List"_s, u"File1"_s, project.path());
        app = std::make_unique<Application>(
            settings, [](QWidget*, const DesktopServices&) { return std::unique_ptr<CProjectSettings>(); },
            &prompter, &files, &clock);
        ASSERT_TRUE(app->start({}));
        window().setShowAll(showAll);
    }
    void TearDown() override
    {
        if (app)
            window().close();
        app.reset();
    }

    MainWindow& window() { return app->mainWindow(); }
    RecordListView& show(Kind kind)
    {
        window().navigationTree()->SelectFolder(kind);
        return *window().currentListView();
    }
    bool lit(int command) { return window().action(command)->isEnabled(); }
    // The vendor window registered for an action, with its last model kept.
    void registerVendorWindow(Action action)
    {
        window().commands().addWindow(
            action, DialogWindow(
                        [this](const WindowRequest& r) {
                            return std::make_unique<VendorNameModel>(r.tables, r.id, filterSeen);
                        },
                        [](VendorNameModel& model, const WindowRequest& r) {
                            return std::make_unique<VendorNameDialog>(model, r.parent);
                        }));
    }

    TempProject project{CStockSet::kFifo, u"test"_s};
    ProjectBuilder build;
    QTemporaryDir home;
    UserSettings settings{home.filePath(u"user.ini"_s)};
    ScriptedPrompter prompter;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2024, 5, 6), QTime(9, 0))};
    std::unique_ptr<Application> app;
    QString filterSeen = u"(no window)"_s;
};

TEST_F(Registry, DeleteModifyAndDetailsFollowTheListItsSelectionAndTheWindowsRegistered)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    build.item({u"Nut"_s, acme, NoID, Money(), 5}); // with a lot in stock
    launch();
    RecordListView& vendors = show(Kind::Vendors);
    ASSERT_TRUE(vendors.selectByRecordID(acme));

    window().commands().addWindow(Action::DeleteVendor, [](const WindowRequest&) { return WindowOutcome(); });
    window().commands().addWindow(Action::VendorDetails,
                                  [](const WindowRequest&) { return WindowOutcome(); });
    EXPECT_TRUE(lit(C::RecordDelete));
    EXPECT_TRUE(lit(C::RecordDetails));
    EXPECT_TRUE(lit(C::RecordModify));
    // The pop-up shows the same command, so it greys and lights with it.
    EXPECT_TRUE(window().contextMenu(Kind::Vendors)->actions().contains(window().action(C::RecordDelete)));

    vendors.clearSelection();
    EXPECT_FALSE(lit(C::RecordDelete));
    EXPECT_FALSE(lit(C::RecordDetails));
    ASSERT_TRUE(vendors.selectByRecordID(acme));
    EXPECT_TRUE(lit(C::RecordDelete));

    // The stock list has nothing to delete, even with a lot selected.
    window().commands().addWindow(Action::DeleteItem, [](const WindowRequest&) { return WindowOutcome(); });
    RecordListView& stock = show(Kind::Stock);
    ASSERT_GT(stock.list().count(), 0);
    ASSERT_TRUE(stock.selectByRecordID(stock.list().recordId(0)));
    EXPECT_FALSE(lit(C::RecordDelete));
    EXPECT_FALSE(lit(C::RecordDetails));

    // Back on vendors the selection kept there lights Delete again; a report greys it.
    show(Kind::Vendors);
    EXPECT_TRUE(lit(C::RecordDelete));
    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Customer Balances"_s));
    EXPECT_FALSE(lit(C::RecordDelete));
}

TEST_F(Registry, AWindowsChangesShowInTheListAndItsLastRecordIsSelected)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 bolt = build.vendor(u"Bolt"_s);
    ASSERT_TRUE(project.db().CreateQueryDef(u"Every vendor"_s, u"SELECT * FROM [Vendors]"_s));
    launch(false);
    registerVendorWindow(Action::AddVendor);
    registerVendorWindow(Action::ModifyVendor);
    // The list comes from a stored query, which the window must not see.
    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Every vendor"_s));
    RecordListView& vendors = *window().currentListView();
    ASSERT_EQ(vendors.list().count(), 2);
    ASSERT_TRUE(vendors.selectByRecordID(acme));

    // Modify renames the selected vendor; the row shows the new name, still selected.
    answerWithName(u"Acme Renamed"_s);
    window().action(C::RecordModify)->trigger();
    const qsizetype row = vendors.list().positionOfRecord(acme);
    ASSERT_GE(row, 0);
    EXPECT_EQ(vendors.list().cellText(row, 1), u"Acme Renamed"_s); // "Vendor Name"
    EXPECT_EQ(vendors.selectedRecordID(), acme);
    // While the window was open every table showed all its records.
    EXPECT_EQ(filterSeen, QString());

    // Insert Vendor adds a row, which becomes the selected one.
    ASSERT_TRUE(vendors.selectByRecordID(bolt));
    answerWithName(u"Cog"_s);
    window().action(C::InsertVendor)->trigger();
    ASSERT_EQ(vendors.list().count(), 3);
    const qint32 added = vendors.selectedRecordID();
    EXPECT_NE(added, acme);
    EXPECT_NE(added, bolt);
    EXPECT_NE(added, NoSelection);
    EXPECT_TRUE(prompter.log().isEmpty());
}

TEST_F(Registry, ADeletionTakesTheRowAndReadsTheRowsThatReferredToIt)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 nut = build.item({u"Nut"_s, acme});
    launch();
    show(Kind::Items);
    RecordListView& vendors = show(Kind::Vendors);
    ASSERT_TRUE(vendors.selectByRecordID(acme));
    window().commands().addWindow(Action::DeleteVendor, [&](const WindowRequest& r) {
        // The vendor goes with its item, as the deletion cascade does.
        EXPECT_EQ(r.recordId, acme);
        EXPECT_TRUE(r.tables.items().RecordDelete(nut));
        EXPECT_TRUE(r.tables.vendors().RecordDelete(acme));
        WindowOutcome outcome;
        outcome.changes.add(Kind::Vendors, acme);
        return outcome;
    });
    window().action(C::RecordDelete)->trigger();
    EXPECT_EQ(vendors.list().count(), 0);
    EXPECT_EQ(app->lists().list(Kind::Items).count(), 0);
    EXPECT_FALSE(lit(C::RecordDelete));
}

TEST_F(Registry, CustomerInvoicesListsTheSelectedCustomersInvoicesOnly)
{
    const qint32 ann = build.customer(u"Ann's"_s, u"Smith"_s, u"Ann"_s);
    const qint32 bob = build.customer(QString(), u"Jones"_s, u"Bob"_s);
    const qint32 first = build.invoice(ann, 101);
    const qint32 second = build.invoice(ann, 102);
    build.invoice(bob, 103);
    launch();

    // Only from the customer list, with a customer selected.
    show(Kind::Vendors);
    window().action(C::ViewCustomerInvoices)->trigger();
    EXPECT_EQ(prompter.lastText(), u"Invalid operation for this screen."_s);
    RecordListView& customers = show(Kind::Customers);
    customers.clearSelection();
    window().action(C::ViewCustomerInvoices)->trigger();
    EXPECT_EQ(prompter.lastText(), u"Must first select a customer."_s);
    EXPECT_EQ(window().currentKind(), static_cast<int>(Kind::Customers));

    ASSERT_TRUE(customers.selectByRecordID(ann));
    window().action(C::ViewCustomerInvoices)->trigger();
    ASSERT_EQ(window().currentKind(), static_cast<int>(Kind::Invoices));
    const RecordList& invoices = app->lists().list(Kind::Invoices);
    ASSERT_EQ(invoices.count(), 2);
    EXPECT_EQ((QSet<qint32>{invoices.recordId(0), invoices.recordId(1)}), (QSet<qint32>{first, second}));
    EXPECT_EQ(window().recordsText(), u"Displayed Records: 2"_s);

    // The folder itself lists every invoice again.
    show(Kind::Invoices);
    EXPECT_EQ(invoices.count(), 3);
}

// The toolbars show icons, from the theme or the bundled set, and no text.
TEST_F(Registry, EveryToolbarButtonHasAnIcon)
{
    launch();
    for (int bar = 0; bar < 3; ++bar) {
        QToolBar* toolBar = window().toolBar(bar);
        EXPECT_EQ(toolBar->toolButtonStyle(), Qt::ToolButtonIconOnly);
        for (QAction* action : toolBar->actions()) {
            if (action->isSeparator())
                continue;
            EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
            EXPECT_FALSE(action->icon().pixmap(24, 24).isNull()) << action->text().toStdString();
            EXPECT_FALSE(action->toolTip().isEmpty());
        }
    }
}

} // namespace
