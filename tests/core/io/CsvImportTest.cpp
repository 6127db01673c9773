#include "core/io/CsvImport.h"
#include "core/common/Clock.h"
#include "core/db/TableReads.h"
#include "core/io/CsvExport.h"
#include "core/project/ProjectTables.h"

#include <QDir>

#include <gtest/gtest.h>

#include "FileBytes.h"
#include "ProjectFixture.h"

using namespace Qt::StringLiterals;

namespace {

class CsvImport : public ProjectFixture
{
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        acme = b.vendor(u"Acme"_s, u"A-1"_s);
        twinA = b.vendor(u"Twin one"_s, u"T-2"_s);
        twinB = b.vendor(u"Twin two"_s, u"t-2"_s);
        path = QDir(project.dir()).filePath(u"in.csv"_s);
    }
    std::unique_ptr<CsvImportModel> model(CsvImportModel::Kind kind, const QByteArray& text)
    {
        EXPECT_TRUE(WriteFileBytes(path, text));
        auto made = std::make_unique<CsvImportModel>(t(), prompter, clock, kind, path);
        opened = made->checkPrerequisites();
        return made;
    }
    int count(const char* table)
    {
        const auto ids = ReadIdAndColumn(project.db(), QLatin1String(table), u"ID"_s);
        return ids ? static_cast<int>(ids->size()) : -1;
    }
    QStringList mapped(const CsvImportModel& m)
    {
        QStringList names;
        for (int column = 0; column < m.header().size(); ++column)
            names.append(m.fieldChoices().value(m.mapping(column)));
        return names;
    }

    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(9, 0))};
    qint32 acme = 0, twinA = 0, twinB = 0;
    QString path;
    bool opened = false;
};

// The mapping is guessed from the header however its names are spelt, a
// field takes one column, and a mapping without a name is refused whole.
TEST_F(CsvImport, MappingGuessedFromTheHeader)
{
    auto items = model(CsvImportModel::Kind::Items,
                       "ITEM NAME,selling_price,VendorID1,Colour,Cost,Vendor Number,Stocked,Price\r\n"
                       "Nut,1.50,1,red,0.25,A-1,3,2\r\n");
    ASSERT_TRUE(opened);
    EXPECT_EQ(mapped(*items),
              QStringList({u"Item Name"_s, u"Selling Price"_s, u"Vendor ID"_s, u"(Not imported)"_s, u"Cost"_s,
                           u"Vendor Number"_s, u"Stocked"_s, u"(Not imported)"_s}));
    EXPECT_EQ(items->previewRows().size(), 1);

    // Choosing Cost for the last column frees the column that had it.
    items->setMapping(7, items->fieldChoices().indexOf(u"Cost"_s));
    EXPECT_EQ(mapped(*items).value(4), u"(Not imported)"_s);
    EXPECT_EQ(mapped(*items).value(7), u"Cost"_s);

    items->setMapping(0, 0);
    EXPECT_FALSE(items->check().failure.isEmpty());
    EXPECT_FALSE(items->save().saved);
    EXPECT_TRUE(last().text.contains(u"Item Name"_s));
    EXPECT_EQ(count("Items"), 0);

    // A "Vendor" column is taken for names; numbers in it are refused with the way out.
    auto byVendor = model(CsvImportModel::Kind::Items, "Name,Vendor,Stock\r\nNut,a-1,2\r\n");
    ASSERT_TRUE(opened);
    EXPECT_EQ(mapped(*byVendor), QStringList({u"Item Name"_s, u"Primary Vendor"_s, u"Stocked"_s}));
    const CsvImportModel::CheckReport numbers = byVendor->check();
    ASSERT_EQ(numbers.refusals.size(), 1);
    EXPECT_EQ(
        numbers.refusals[0].reason,
        u"No vendor is named \"a-1\". It is a vendor's number: choose \"Vendor Number\" for its column."_s);
    byVendor->setMapping(1, byVendor->fieldChoices().indexOf(u"Vendor Number"_s));
    EXPECT_EQ(byVendor->check().accepted, 1);

    // Customers need some name; vendors their name.
    auto customers = model(CsvImportModel::Kind::Customers, "Phone,Zip\r\n555,123\r\n");
    ASSERT_TRUE(opened);
    EXPECT_TRUE(customers->check().failure.contains(u"Company"_s));
}

// Every row is checked as the item dialog checks what is typed, and the
// report names each refused row by its line. Nothing is written when the
// user declines; the rows that pass are written when the user agrees.
TEST_F(CsvImport, RowsRefusedWithTheirReasons)
{
    const QByteArray text = "Item Name,Vendor Number,Cost,Stocked,Taxable,Tax Rate,Secondary Vendor ID\r\n"
                            "Nut,a-1,\"$1,234.5678\",3,yes,7.25,\r\n" // 2: passes
                            "Bolt,A-1,0.10,0,FALSE,,2,,\r\n"            // 3: passes
                            "," +
                            QByteArray("A-1") + ",1,1,no,,\r\n" // 4: no name
                            + QByteArray(129, 'x') +
                            ",A-1,1,1,no,,\r\n"                    // 5: too long
                            "Washer,A-1,ten,1,no,,\r\n"            // 6: amount
                            "Washer,Z-9,1,1,no,,\r\n"              // 7: unknown
                            "Washer,T-2,1,1,no,,\r\n"              // 8: two vendors
                            "Washer,,1,1,no,,\r\n"                 // 9: no vendor
                            "Washer,A-1,1,-4,no,,\r\n"             // 10: count
                            "Washer,A-1,1,1,maybe,,\r\n"           // 11: yes/no
                            "Washer,A-1,1,1,no,,,extra\r\n"        // 12: fields
                            "\r\n"                                 // blank
                            "\"Multi\nline\",A-1,1,1,yes,101,\r\n" // 14: rate
                            "Washer,A-1,1,1,no,,99\r\n";           // 16: vendor ID
    auto items = model(CsvImportModel::Kind::Items, text);
    ASSERT_TRUE(opened);
    const CsvImportModel::CheckReport report = items->check();
    EXPECT_EQ(report.rows, 13);
    EXPECT_EQ(report.accepted, 2);
    EXPECT_EQ(report.refused, 11);
    QStringList lines;
    for (const CsvImportModel::Refusal& refusal : report.refusals)
        lines.append(u"%1 %2"_s.arg(refusal.line).arg(refusal.reason));
    EXPECT_EQ(lines, QStringList({
                         u"4 The Item Name is empty."_s,
                         u"5 Item Name is longer than 128 characters."_s,
                         u"6 Cost is not an amount: \"ten\"."_s,
                         u"7 No vendor has the number \"Z-9\"."_s,
                         u"8 2 vendors have the number \"T-2\"."_s,
                         u"9 The item names no vendor."_s,
                         u"10 Stocked is not a whole number from 0 to 1000000000: \"-4\"."_s,
                         u"11 Taxable is not Yes or No: \"maybe\"."_s,
                         u"12 The row has 8 fields; the first line names 7 columns."_s,
                         u"14 Tax Rate is not a rate from 0 to 100: \"101\"."_s,
                         u"16 No vendor has the ID \"99\"."_s,
                     }));

    prompter.answer({false});
    EXPECT_FALSE(items->save().saved);
    EXPECT_TRUE(last().question);
    EXPECT_TRUE(last().text.contains(u"Line 14: Tax Rate"_s));
    EXPECT_TRUE(last().text.contains(u"... and 1 more."_s)) << "the question names ten";
    EXPECT_EQ(count("Items"), 0);

    prompter.answer({true});
    ASSERT_TRUE(items->save().saved);
    EXPECT_EQ(last().text, u"2 items were imported."_s);
    ASSERT_EQ(count("Items"), 2);
    CItemsRec nut, bolt;
    ASSERT_TRUE(t().items().RecordRead(nut, items->changes().ids(ListingKind::Items).value(0)));
    ASSERT_TRUE(t().items().RecordRead(bolt, items->changes().ids(ListingKind::Items).value(1)));
    EXPECT_EQ(nut.Name, u"Nut"_s);
    EXPECT_EQ(nut.Cost, Money::fromWhole(1234, 5678));
    EXPECT_EQ(nut.VendorID1, acme);
    EXPECT_EQ(nut.VendorID2, acme) << "the primary vendor is the secondary one unless another is named";
    EXPECT_TRUE(nut.Taxable);
    EXPECT_FLOAT_EQ(nut.TaxRate, 7.25f);
    EXPECT_EQ(nut.Stocked, 3);
    EXPECT_EQ(bolt.VendorID2, twinA);
    EXPECT_EQ(bolt.Stocked, 0);
    EXPECT_EQ(count("Stock"), 1) << "a lot only for stock above 0, as the item dialog adds";
}

// A write that fails part-way takes back the rows written before it.
TEST_F(CsvImport, FailedWriteTakesEveryRowBack)
{
    auto vendors = model(CsvImportModel::Kind::Vendors, "Name,Phone\nFirst,1\nSecond,2\nThird,3\n");
    ASSERT_TRUE(opened);
    ASSERT_TRUE(
        project.db().execNative(u"CREATE TRIGGER third BEFORE INSERT ON Vendors WHEN NEW.Name = 'Third' "
                                "BEGIN SELECT RAISE(ABORT, 'forced'); END"_s));
    EXPECT_FALSE(vendors->save().saved);
    EXPECT_EQ(last().icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(count("Vendors"), 3);
    EXPECT_TRUE(vendors->changes().isEmpty());
}

// What the exports write, the import reads back as the same records.
TEST_F(CsvImport, ExportedTablesReadBack)
{
    b.customer(u"Fjord, \"Ltd\""_s, u"Øster"_s, u"Ann"_s, u"555-0101"_s);
    b.item({u"Widget"_s, acme, NoID, Money::fromWhole(40, 9400), 3});
    const QString exported = QDir(project.dir()).filePath(u"out.csv"_s);
    QString error;
    for (const auto& [table, kind] : {std::pair{"Vendors", CsvImportModel::Kind::Vendors},
                                      std::pair{"Customers", CsvImportModel::Kind::Customers},
                                      std::pair{"Items", CsvImportModel::Kind::Items}}) {
        ASSERT_TRUE(ExportTableCsv(project.db(), QLatin1String(table), exported, &error))
            << error.toStdString();
        const int before = count(table);
        auto imported = model(kind, FileBytes(exported));
        ASSERT_TRUE(opened) << table;
        EXPECT_EQ(imported->mapping(0), 0) << "the ID column is not imported";
        ASSERT_TRUE(imported->save().saved) << table << last().text.toStdString();
        EXPECT_EQ(count(table), 2 * before);
    }
    CCustomersRec first, copy;
    ASSERT_TRUE(t().customers().RecordRead(first, 1));
    ASSERT_TRUE(t().customers().RecordRead(copy, 2));
    EXPECT_EQ(QStringList({copy.Company, copy.Last, copy.First, copy.Phone}),
              QStringList({first.Company, first.Last, first.First, first.Phone}));
    CItemsRec widget, twin;
    ASSERT_TRUE(t().items().RecordRead(widget, 1));
    ASSERT_TRUE(t().items().RecordRead(twin, 2));
    EXPECT_EQ(twin.Cost, widget.Cost);
    EXPECT_EQ(twin.VendorID1, acme);
    EXPECT_EQ(twin.Stocked, 3);
}

// A file that is not CSV, or empty, is refused before the dialog opens.
TEST_F(CsvImport, UnreadableFilesRefused)
{
    model(CsvImportModel::Kind::Vendors, "Name\n\"open quote\n");
    EXPECT_FALSE(opened);
    EXPECT_TRUE(last().text.contains(u"Line 2"_s)) << last().text.toStdString();
    model(CsvImportModel::Kind::Vendors, "Name\nCaf\xe9\n");
    EXPECT_FALSE(opened);
    model(CsvImportModel::Kind::Vendors, "\r\n\r\n");
    EXPECT_FALSE(opened);
    EXPECT_TRUE(last().text.contains(u"empty"_s));
    CsvImportModel missing(t(), prompter, clock, CsvImportModel::Kind::Vendors, path + u".gone"_s);
    EXPECT_FALSE(missing.checkPrerequisites());
}

} // namespace
