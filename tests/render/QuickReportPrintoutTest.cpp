#include "PageDump.h"

#include "core/common/StatusCodes.h"
#include "core/reports/QuickReportSettings.h"
#include "core/reports/QuickReports.h"
#include "render/print/PrintJob.h"
#include "render/reports/QuickReportPrintout.h"

#include "FailDevice.h"
#include "FileBytes.h"
#include "ProjectBuilder.h"
#include "TempProject.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);

// A small shop: two vendors, three items, one purchase order partly received,
// and two customers, one who bought twice (once below cost) and one who never
// bought. Every quick report finds something to show in it.
struct Shop
{
    TempProject project;
    qint32 harbor = NoID;
    qint32 staplers = NoID;
    qint32 acme = NoID;

    Shop()
    {
        ProjectBuilder b(project);
        acme = b.vendor(u"Acme Paper"_s);
        const qint32 delta = b.vendor(u"Delta Office"_s);
        const qint32 stapler =
            b.pricedItem({.name = u"Stapler"_s, .vendor1 = acme, .stocked = 7, .taxable = true},
                         Money::fromWhole(10), 5.0f);
        const qint32 ledger =
            b.pricedItem({.name = u"Ledger"_s, .vendor1 = acme, .stocked = 2}, Money::fromWhole(100));
        b.pricedItem({.name = u"Binder"_s, .vendor1 = delta, .stocked = 40}, Money::fromWhole(3, 2500));
        const qint32 po = b.po(100, acme, day(1997, 3, 1));
        EXPECT_TRUE(b.receive(b.orderLine(ledger, po, 10), 4, day(1997, 3, 10)));

        harbor = b.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s, u"555-0142"_s);
        b.change<CCustomersRec>(harbor, [](CCustomersRec& c) {
            c.Address = u"9 Quay Street"_s;
            c.City = u"Portland"_s;
            c.State = u"ME"_s;
            c.Zip = u"04101"_s;
        });
        b.customer(QString(), u"Doe"_s, u"John"_s);
        staplers = b.invoice(harbor, 5000);
        b.sale(stapler, staplers, 3, Money::fromWhole(10), Money::fromWhole(2, 2857));
        b.payment(harbor, staplers, Money::fromWhole(31, 5000), Money::fromWhole(10));
        const qint32 ledgers = b.invoice(harbor, 5001);
        // Sold below cost: the gross profit of this line is negative.
        b.sale(ledger, ledgers, 1, Money::fromWhole(100), Money::fromWhole(120));
        b.payment(harbor, ledgers, Money::fromWhole(100), Money::fromWhole(20));
    }

    QuickReportContent report(QuickReportKind kind)
    {
        QuickReportParameters parameters;
        parameters.kind = kind;
        parameters.invoiceID = staplers;
        parameters.customerID = harbor;
        parameters.start = day(1997, 1, 1);
        parameters.end = day(1997, 12, 31);
        parameters.today = day(1997, 5, 20);
        parameters.sorting = ItemSorting::ByName;
        parameters.company = {
            u"Quill Stationers"_s, u"12 Mill Lane"_s, u"Bangor, ME 04401"_s, {}, u"555-0100"_s, {},
            u"shop@quill.test"_s,  u"quill.test"_s};
        return BuildQuickReport(project.tables(), parameters, kUs);
    }
};

QString Dump(const PrintJob& job)
{
    std::unique_ptr<Printout> printout = job.make();
    return DumpPrintout(*printout);
}

QString FileName(QuickReportKind kind)
{
    return QuickReportName(kind).toLower().replace(u' ', u'-');
}

// The nine reports of one shop as their pages show them, in the default fonts
// and one-inch margins.
TEST(QuickReportPrintout, EveryReportOfTheShopLaysOutAsExpected)
{
    Shop shop;
    const CReportDefinition fonts = QuickReportFonts::defaults();
    for (const QuickReportKind kind : QuickReportKinds()) {
        const QuickReportContent content = shop.report(kind);
        ASSERT_TRUE(content.ok()) << content.error.toStdString();
        ExpectDumpMatches(Dump(QuickReportJob(content, fonts, ListReportMargins{})),
                          u"quick/"_s + FileName(kind));
    }
}

// A table longer than a page repeats its headings on the next; the width
// fractions a report fixes, and equal shares otherwise, span the printable width;
// a report that could not be built says why and nothing else.
TEST(QuickReportPrintout, HeadingsRepeatColumnsSpanTheWidthAndErrorsStandAlone)
{
    QuickReportContent content;
    content.title = u"Long"_s;
    QuickTable table;
    table.headings = {u"ID"_s, u"Item"_s, u"Qty"_s};
    table.rightAligned = {false, false, true};
    for (int row = 1; row <= 120; ++row)
        table.rows.append({QString::number(row), u"Item %1"_s.arg(row), QString::number(row * 2)});
    content.tables = {table};
    content.closingLines = {u"Total: 240"_s};
    const QString dump = Dump(QuickReportJob(content, QuickReportFonts::defaults(), ListReportMargins{}));
    const QStringList pages = dump.split(u"page "_s, Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    for (const QString& page : pages) {
        EXPECT_TRUE(page.contains(u"] ID\n"_s) && page.contains(u"] Qty\n"_s)) << page.toStdString();
    }
    EXPECT_TRUE(pages.constLast().contains(u"] Total: 240\n"_s));
    EXPECT_FALSE(pages.constFirst().contains(u"Total: 240"_s));

    // 6.5 printable inches: fixed fractions, or three equal shares.
    EXPECT_EQ(QuickReportPrintout::columnWidths(table, 6.5), (QList<double>{6.5 / 3, 6.5 / 3, 6.5 / 3}));
    table.widths = {0.5, 0.25, 0.25};
    EXPECT_EQ(QuickReportPrintout::columnWidths(table, 6.5), (QList<double>{3.25, 1.625, 1.625}));

    QuickReportContent failed;
    failed.error = u"Unable to locate invoice"_s;
    const QString shown = Dump(QuickReportJob(failed, QuickReportFonts::defaults(), ListReportMargins{}));
    EXPECT_EQ(shown.count(u"  text "_s), 1) << shown.toStdString();
    EXPECT_TRUE(shown.contains(u"] Unable to locate invoice\n"_s));
}

// The shop's invoice as a printout with the default fonts and margins.
PrintJob InvoiceJob(Shop& shop)
{
    return QuickReportJob(shop.report(QuickReportKind::Invoice), QuickReportFonts::defaults(), ListReportMargins{});
}

// The saved invoice is one page, and its text carries the invoice's total.
TEST(QuickReportPrintout, TheInvoiceSavedAsPdfShowsItsTotal)
{
    Shop shop;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"invoice.pdf"_s);
    const PrintJob job = InvoiceJob(shop);
    EXPECT_EQ(job.title, u"INVOICE 5000"_s);
    QString error;
    ASSERT_TRUE(WritePdf(job, path, &error)) << error.toStdString();
    EXPECT_EQ(PdfPageCount(path), 1);

    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QProcess process;
    process.start(pdftotext, {u"-layout"_s, path, u"-"_s});
    ASSERT_TRUE(process.waitForFinished(10000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    // 3 x $10.00 taxed at 5 %: $31.50, of which $10.00 is paid.
    EXPECT_TRUE(text.contains(u"INVOICE 5000"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"$31.50"_s) && text.contains(u"$21.50"_s)) << text.toStdString();
}

// A PDF without its creation time, all that two writes of one job differ in.
QByteArray Undated(QByteArray pdf)
{
    const qsizetype from = pdf.indexOf("/CreationDate (");
    const qsizetype to = pdf.indexOf(')', from);
    return from < 0 || to < 0 ? pdf : pdf.remove(from, to - from);
}

// A disk that fails after any number of bytes of the PDF: the save says so and
// the previous file stays whole, with nothing left beside it; written whole
// through the same path, the PDF is the one a plain save writes.
TEST(QuickReportPrintout, ASavedPdfThatFailsPartWayLeavesThePreviousFile)
{
    Shop shop;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"invoice.pdf"_s);
    const PrintJob job = InvoiceJob(shop);
    ASSERT_TRUE(WritePdf(job, path));
    const QByteArray pdf = FileBytes(path);
    ASSERT_TRUE(WriteFileBytes(path, "the previous file"));
    const auto before = FolderSnapshot(dir.path());

    // The first and last bytes one by one, a hundred points between.
    QList<qint64> budgets;
    for (qint64 budget = 0; budget < pdf.size(); ++budget) {
        if (budget < 64 || budget >= pdf.size() - 64 || budget % (pdf.size() / 100) == 0)
            budgets.append(budget);
    }
    for (const qint64 budget : budgets) {
        const FailingFileWrites failing(budget);
        QString error;
        EXPECT_FALSE(WritePdf(job, path, &error)) << budget;
        EXPECT_EQ(error, StatusMessage(Status::FileNotAccessible)) << budget;
        EXPECT_EQ(FolderSnapshot(dir.path()), before) << budget;
    }
    const FailingFileWrites ample(pdf.size());
    ASSERT_TRUE(WritePdf(job, path));
    EXPECT_EQ(Undated(FileBytes(path)), Undated(pdf));
}

TEST(QuickReportPrintout, APdfIntoAFolderThatTakesNoNewFilesIsRefusedAsReadOnly)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not keep root from writing";
    Shop shop;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"invoice.pdf"_s);
    ASSERT_TRUE(WriteFileBytes(path, "the previous file"));
    const PrintJob job = QuickReportJob(shop.report(QuickReportKind::Invoice), QuickReportFonts::defaults(),
                                        ListReportMargins{});
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    QString error;
    EXPECT_FALSE(WritePdf(job, path, &error));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner));
    EXPECT_EQ(error, StatusMessage(Status::ReadOnly));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"invoice.pdf"_s});
    EXPECT_EQ(FileBytes(path), QByteArray("the previous file"));
}

} // namespace
