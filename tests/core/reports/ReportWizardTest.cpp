#include "core/reports/ReportWizardModel.h"

#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"
#include "core/db/Dialect.h"
#include "core/reports/ReportFile.h"

#include "FileBytes.h"
#include "ProjectFixture.h"
#include "Texts.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

using Page = ReportWizardModel::Page;

QString completion(const char* head)
{
    return str(head) + str("\n\nYou can manually edit this report using the Manage Reports\n"
                           "command.  This will allow you to optionally add such things\n"
                           "as statistics, or additional columns to your report.\n");
}

} // namespace

class ReportWizard : public ProjectFixture
{
protected:
    ReportWizardModel wizard() { return ReportWizardModel(t(), prompter, m_clock); }
    ReportFile file() const { return ReportFile(ReportFile::pathForDatabase(project.path())); }
    // Finishes with the given type and name; on success checks what every
    // generated report shares and returns the stored report.
    CReportDefinition finish(ReportWizardModel& model, int type, const QString& name)
    {
        model.setType(type);
        model.setName(name);
        EXPECT_TRUE(model.save().saved) << name.toStdString();
        ReportFile reports = file();
        EXPECT_TRUE(reports.getByName(name));
        const CReportDefinition report = reports.readBuffer();
        EXPECT_EQ(report.title, name);
        EXPECT_EQ(report.applyQuery != 0, project.db().QueryDefExists(name));
        EXPECT_EQ(report.queryName, report.applyQuery ? name : QString());
        EXPECT_EQ(last().title, str("Report Wizard"));
        return report;
    }
    // What a stored query selects, in its order.
    QStringList selected(const QString& queryName, const char* column = "Name")
    {
        std::optional<QSqlQuery> query =
            project.db().prepare(project.db().QueryDefSql(queryName).value_or(QString()));
        QStringList values;
        EXPECT_TRUE(query && query->exec());
        while (query && query->next())
            values << query->value(QString::fromLatin1(column)).toString();
        return values;
    }

    FixedClock m_clock{QDateTime(QDate(1997, 5, 15), QTime(9, 30))};
};

TEST_F(ReportWizard, EachTypeStoresItsReportAndQueryAndSaysSo)
{
    const qint32 acme = b.vendor(str("Acme"));
    // Stock plus what is on order, against the reorder level.
    const qint32 low = b.item({.name = str("Low"), .vendor1 = acme, .stocked = 4, .reorderLevel = 10});
    b.item({.name = str("Level"), .vendor1 = acme, .stocked = 10, .reorderLevel = 10});
    const qint32 covered =
        b.item({.name = str("Covered"), .vendor1 = acme, .stocked = 6, .reorderLevel = 10});
    b.item({.name = str("Bolt low"), .vendor1 = b.vendor(str("Bolt Co")), .stocked = 0, .reorderLevel = 3});
    const qint32 po = b.po(1, acme);
    b.orderLine(covered, po, 5);
    b.orderLine(low, po, 2);
    const qint32 customer = b.customer(str("Acme"), str("Smith"), str("Ann"));
    const int dates[][2] = {{2, 28}, {3, 1}, {3, 31}, {4, 1}};
    for (int i = 0; i < 4; ++i) {
        const qint32 id = b.invoice(customer, 101 + i);
        b.change<CSIRec>(id, [&](CSIRec& rec) { rec.Date = day(1999, dates[i][0], dates[i][1]); });
    }

    // With criteria the wizard is given a vendor and a date range; a type that
    // has no use for them makes no query.
    struct Case
    {
        int type;
        const char* name;
        bool criteria;
        const char* sql; // the stored query, none when nullptr
        QStringList selects;
        const char* message;
    };
    const QString itemsOfAcme = str("SELECT TOP 100 PERCENT * FROM [Items] WHERE VendorID1 = %1 ");
    const Case cases[] = {
        {ReportWizardModel::ItemListing, "All Items", false, nullptr, QStringList(),
         "An item listing report by the name of 'All Items' has been created under\n"
         "the item folder."},
        {ReportWizardModel::ItemListing, "Acme's", true, "ORDER BY Name", strs({"Covered", "Level", "Low"}),
         "An item listing report by the name of 'Acme's' and\n"
         "a query by the name of 'Acme's' have been created under\nthe item folder."},
        {ReportWizardModel::VendorListing, "Suppliers", true, nullptr, QStringList(),
         "A vendor listing report by the name of 'Suppliers' has been created under\n"
         "the vendors folder."},
        {ReportWizardModel::CustomerListing, "Clients", true, nullptr, QStringList(),
         "A customer listing report by the name of 'Clients' has been created under\n"
         "the customers folder."},
        {ReportWizardModel::InvoiceListing, "March 1999", true,
         "SELECT TOP 100 PERCENT * FROM [SI] WHERE Date >= #3/1/1999# AND Date <= #3/31/1999# ORDER BY Date",
         strs({"102", "103"}),
         "A sales listing report by the name of 'March 1999' and\n"
         "a query by the name of 'March 1999' have been created under\nthe sales folder."},
        {ReportWizardModel::InvoiceListing, "Sales", false, nullptr, QStringList(),
         "A sales listing report by the name of 'Sales'has been created under\n"
         "the sales folder."},
        // The reorder query is always made, but the message does not mention it.
        {ReportWizardModel::ReorderReport, "Reorder", false,
         "SELECT TOP 100 PERCENT * FROM [Items] WHERE Stocked <= ReorderLevel-Ordered ORDER BY Name",
         strs({"Bolt low", "Level", "Low"}),
         "A reorder report by the name of 'Reorder'has been created under\nthe items folder."},
        {ReportWizardModel::ReorderReport, "Acme reorder", true,
         "AND Stocked <= ReorderLevel-Ordered ORDER BY Name", strs({"Level", "Low"}),
         "A reorder report by the name of 'Acme reorder' and\n"
         "a query by the name of 'Acme reorder' have been created under\nthe items folder."},
    };
    for (const Case& c : cases) {
        ReportWizardModel model = wizard();
        model.setVendorID(acme);
        model.setApplyVendorCriteria(c.criteria);
        model.setUseDates(c.criteria);
        model.setStartDateText(str("3/1/1999"));
        model.setThruDateText(str("3/31/1999"));
        const QString name = str(c.name);
        EXPECT_EQ(finish(model, c.type, name).applyQuery != 0, c.sql != nullptr) << c.name;
        EXPECT_EQ(last().text, completion(c.message));
        if (!c.sql)
            continue;
        QString sql = str(c.sql);
        if (!sql.startsWith(str("SELECT")))
            sql.prepend(itemsOfAcme.arg(acme));
        EXPECT_EQ(project.db().QueryDefSql(name), NormalizeStoredQuery(sql)) << c.name;
        EXPECT_EQ(selected(name, c.type == ReportWizardModel::InvoiceListing ? "Number" : "Name"), c.selects);
    }
}

TEST_F(ReportWizard, RefusalsKeepTheWizardOpenAndWriteNothing)
{
    const qint32 acme = b.vendor(str("Acme"));
    ReportWizardModel first = wizard();
    finish(first, ReportWizardModel::VendorListing, str("Taken report"));
    ASSERT_TRUE(project.db().CreateQueryDef(str("Taken query"), str("SELECT * FROM [Vendors]")));
    const QByteArray before = FileBytes(file().path());

    const char* reportTaken =
        "A report by this name already exists.  Please specify a unique name for the report.";
    const char* queryTaken =
        "A query by this name already exists.  Please specify a unique name for the report.";
    const std::pair<const char*, const char*> names[] = {
        {"", "You must enter a name for the report."},
        {"Taken report", reportTaken},
        {"PURCHASE_ORDER", reportTaken},
        {"TAKEN QUERY", queryTaken},
    };
    for (const auto& [name, message] : names) {
        for (int type : {int(ReportWizardModel::ReorderReport), int(ReportWizardModel::CustomerListing)}) {
            ReportWizardModel model = wizard();
            model.setType(type);
            model.setVendorID(acme);
            model.setApplyVendorCriteria(true);
            model.setName(str(name));
            EXPECT_EQ(model.save().focus, ReportWizardModel::Field::Name) << name;
            EXPECT_EQ(last().text, str(message));
        }
    }

    // A vendor criterion needs a vendor; used dates must be readable.
    ReportWizardModel items = wizard();
    items.setType(ReportWizardModel::ItemListing);
    items.setApplyVendorCriteria(true);
    EXPECT_FALSE(items.leavePage(Page::Vendor));
    EXPECT_EQ(last().text, str("You must select a vendor to apply vendor criteria."));
    items.setName(str("Nobody's"));
    EXPECT_EQ(items.save().focus, ReportWizardModel::Field::Vendor);
    ReportWizardModel invoices = wizard();
    invoices.setType(ReportWizardModel::InvoiceListing);
    invoices.setName(str("Bad dates"));
    invoices.setThruDateText(str("3/45/1999"));
    EXPECT_TRUE(invoices.leavePage(Page::Date)); // not used: not read
    invoices.setUseDates(true);
    EXPECT_FALSE(invoices.leavePage(Page::Date));
    EXPECT_EQ(last().text, StatusMessage(Status::InvalidDate));
    EXPECT_EQ(invoices.save().focus, ReportWizardModel::Field::ThruDate);
    invoices.setStartDateText(QString());
    EXPECT_EQ(invoices.save().focus, ReportWizardModel::Field::StartDate);

    EXPECT_EQ(FileBytes(file().path()), before);
    EXPECT_EQ(project.db().QueryDefNames(), strs({"Taken query"}));
}

TEST_F(ReportWizard, AReportThatCannotBeWrittenTakesItsQueryBack)
{
    // A folder where the temporary file would go makes the report write fail.
    const QString temporary = ReportFile::temporaryPath(file().path());
    ASSERT_TRUE(QDir().mkdir(temporary));
    ReportWizardModel model = wizard();
    model.setType(ReportWizardModel::ReorderReport);
    model.setName(str("Reorder"));
    EXPECT_FALSE(model.save().saved);
    EXPECT_EQ(last().text, StatusMessage(Status::FileNotAccessible));
    EXPECT_FALSE(project.db().QueryDefExists(str("Reorder")));
    EXPECT_FALSE(QFile::exists(file().path()));

    ASSERT_TRUE(QDir().rmdir(temporary));
    finish(model, ReportWizardModel::ReorderReport, str("Reorder"));
    EXPECT_EQ(file().count(), 1);
}

TEST_F(ReportWizard, SalesTaxTypeCreatesNothing)
{
    ReportWizardModel model = wizard();
    model.setType(ReportWizardModel::SalesTaxReport);
    model.setUseDates(true);
    model.setName(str("Tax"));
    EXPECT_TRUE(model.save().saved);
    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_FALSE(QFile::exists(file().path()));
    EXPECT_TRUE(project.db().QueryDefNames().isEmpty());
}
