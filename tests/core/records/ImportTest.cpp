#include "core/common/Clock.h"
#include "core/records/ImportModel.h"
#include "core/records/ImportVersion2.h"

#include "FileBytes.h"
#include "ProjectFixture.h"
#include "Version2Records.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

using Source = ImportModel::Source;

const QString kUnableToImport = u"Unable to import file."_s;

QByteArray VendorRecord(const QByteArray& name, const QByteArray& number = {})
{
    return RecordBytes(ImportVersion2::kVendorRecordLength).text(0, name).text(50, number).bytes();
}

struct FileItem
{
    QByteArray name, vendor1, vendor2 = {};
    double quantity = 1, cost = 2.5, price = 0, reorderQuantity = 0, reorderLevel = 0;
};

QByteArray ItemRecord(const FileItem& f)
{
    return RecordBytes(ImportVersion2::kItemRecordLength)
        .text(0, f.name)
        .text(20, f.name + "-no")
        .text(40, "about " + f.name)
        .text(90, f.vendor1)
        .text(122, f.vendor2)
        .number(160, f.cost)
        .number(168, f.price)
        .number(184, f.reorderQuantity)
        .number(192, f.reorderLevel)
        .number(208, f.quantity)
        .bytes();
}

QString Amount(Money amount)
{
    return amount.isValid() ? QString::number(amount.toDouble(), 'f', 4) : u"invalid"_s;
}

// Every field of an item but its ID, and of its lots, as one line to compare.
QString Describe(ProjectTables& t, const CItemsRec& i)
{
    QStringList fields{i.Name, i.Number, i.Description};
    for (const qint32 n :
         {i.VendorID1, i.VendorID2, i.Stocked, i.Ordered, i.ReorderQuanity, i.ReorderLevel, i.CategoryID})
        fields << QString::number(n);
    fields << Amount(i.Cost) << Amount(i.SellingPrice) << (i.Taxable ? u"taxable"_s : u"untaxed"_s)
           << QString::number(i.TaxRate);
    for (const CStockRec& lot : t.stock().RecordsWhere(u"[ItemID] = ?"_s, {i.ID}))
        fields << u"lot %1 at %2 from %3, %4/%5, %6"_s.arg(
            QString::number(lot.Quanity), Amount(lot.Cost), QString::number(lot.VendorID),
            QString::number(lot.OrderID), QString::number(lot.POID), lot.Date.formatShortDate(UserLocale()));
    return fields.join(QLatin1Char('|'));
}

class Import : public ProjectFixture
{
protected:
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = QDir(project.dir()).filePath(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }
    bool run(Source from, const QString& path)
    {
        model.setSource(from);
        model.setPath(path);
        return model.save().saved;
    }
    bool importItems(const QList<FileItem>& items)
    {
        QByteArray bytes;
        for (const FileItem& f : items)
            bytes += ItemRecord(f);
        return run(Source::Version2Items, writeFile(u"items.ddg"_s, bytes));
    }
    QStringList itemLines()
    {
        QStringList lines;
        for (const CItemsRec& item : t().items().RecordsWhere(QString()))
            lines << Describe(t(), item);
        return lines;
    }
    qint32 vendorNamed(const QString& name)
    {
        const QList<qint32> ids = t().vendors().IDsWhere(u"[Name] = ?"_s, {name});
        return ids.size() == 1 ? ids.first() : NoID;
    }

    TempProject source{CStockSet::kFifo, u"source"_s};
    ProjectBuilder src{source};
    FixedClock clock{QDateTime(QDate(2024, 3, 15), QTime(16, 45))};
    ImportModel model{project.tables(), prompter, clock};
};

TEST_F(Import, Version2VendorsFillTheirFieldsAndAreMatchedByName)
{
    RecordBytes full(ImportVersion2::kVendorRecordLength);
    const int offsets[] = {0, 50, 85, 110, 135, 160, 185, 190, 205, 230, 255, 280, 305, 330, 335, 350};
    for (int i = 0; i < 16; ++i)
        full.text(offsets[i], "f" + QByteArray::number(i));
    // A name filling its slot without a zero byte ends there; Windows-1252 text.
    const QByteArray fullName(50, 'N');
    const QByteArray edge = RecordBytes(ImportVersion2::kVendorRecordLength)
                                .text(0, fullName)
                                .text(50, "NUM")
                                .text(85, "\x80 caf\xe9 \x93q\x94")
                                .bytes();
    // 760 bytes: two records and a trailing partial one that is ignored.
    ASSERT_TRUE(run(Source::Version2Vendors,
                    writeFile(u"vendors.ddg"_s, full.bytes() + edge + VendorRecord("Part").left(10))));
    EXPECT_TRUE(prompter.log().isEmpty());
    CVendorsRec v = b.read<CVendorsRec>(vendorNamed(u"f0"_s));
    EXPECT_EQ((QStringList{v.Name, v.Number, v.Contact, v.Phone, v.Street, v.City, v.State, v.Zip, v.Fax,
                           v.Contact2, v.Phone2, v.Street2, v.City2, v.State2, v.Zip2, v.Fax2}
                   .join(QLatin1Char(' '))),
              u"f0 f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 f12 f13 f14 f15"_s);
    const qint32 edgeID = vendorNamed(QString::fromLatin1(fullName));
    v = b.read<CVendorsRec>(edgeID);
    EXPECT_EQ(v.Number, u"NUM"_s);
    EXPECT_EQ(v.Contact, QString::fromUtf8("\u20ac caf\u00e9 \u201cq\u201d"));

    // The same names again in another case: overwritten under their IDs, every
    // field, none added.
    ASSERT_TRUE(run(Source::Version2Vendors,
                    writeFile(u"again.ddg"_s, VendorRecord(fullName.toLower(), "N-2") + VendorRecord("F0"))));
    EXPECT_EQ(b.rows("Vendors"), 2);
    v = b.read<CVendorsRec>(edgeID);
    EXPECT_EQ(v.Name + v.Number + v.Contact, QString::fromLatin1(fullName.toLower()) + u"N-2"_s);

    // Customers: every record added, the fields the file lacks left empty.
    RecordBytes customer(ImportVersion2::kCustomerRecordLength);
    const std::pair<int, QByteArray> fields[] = {{0, QByteArray(20, 'L')},  {20, "First"}, {40, "1 Main St"},
                                                 {80, "Springfield"},       {100, "ILX"},  {103, "62701"},
                                                 {115, QByteArray(20, '5')}};
    for (const auto& [offset, text] : fields)
        customer.text(offset, text);
    ASSERT_TRUE(run(Source::Version2Customers, writeFile(u"c.ddg"_s, customer.bytes().repeated(2))));
    const QList<CCustomersRec> customers = t().customers().RecordsWhere(QString());
    ASSERT_EQ(customers.size(), 2);
    const CCustomersRec& c = customers.first();
    EXPECT_EQ(
        (QStringList{c.Company, c.Last, c.First, c.Address, c.City, c.State, c.Zip, c.Phone, c.EMail, c.Notes}
             .join(QLatin1Char('|'))),
        u"|LLLLLLLLLLLLLLLLLLLL|First|1 Main St|Springfield|ILX|62701|55555555555555555555||"_s);
}

TEST_F(Import, Version2ItemsBringVendorsByNameAndAnInitialLot)
{
    const qint32 acme = b.vendor(u"ACME"_s);
    // 2.675 is stored just below itself, so cents round it down.
    FileItem widget{"Widget", "acme", "Bolt Co", 7.9, 2.675, 19.999, 12.99, 3.2};
    FileItem empty{"Empty", "New Vendor", "", 0, 1.0};
    ASSERT_TRUE(importItems({widget, empty}));
    EXPECT_TRUE(prompter.log().isEmpty());

    const qint32 bolt = vendorNamed(u"Bolt Co"_s);
    const qint32 fresh = vendorNamed(u"New Vendor"_s);
    ASSERT_EQ(b.rows("Vendors"), 3);

    const QStringList expected = {
        QStringLiteral("Widget|Widget-no|about Widget|%1|%2|7|0|12|3|0|2.6700|20.0000|untaxed|0|"
                       "lot 7 at 2.6700 from %1, -1/-1, 3/15/2024")
            .arg(acme)
            .arg(bolt),
        // No secondary vendor: the primary stands in; a quantity of 0 still has its lot.
        QStringLiteral("Empty|Empty-no|about Empty|%1|%1|0|0|0|0|0|1.0000|0.0000|untaxed|0|"
                       "lot 0 at 1.0000 from %1, -1/-1, 3/15/2024")
            .arg(fresh),
    };
    EXPECT_EQ(itemLines(), expected);
    EXPECT_EQ(model.changes().ids(ListingKind::Vendors), (QList<qint32>{bolt, fresh}));

    // The same file again doubles the items; its vendors are found, not added.
    ASSERT_TRUE(importItems({widget, empty}));
    EXPECT_EQ(itemLines().mid(2), expected);
    EXPECT_EQ(b.rows("Vendors"), 3);
}

TEST_F(Import, Version2DamagedRecordsAreLeftOutAndReported)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const FileItem good{"Good", "Vendor A"};
    const QList<FileItem> records = {
        good,
        {"NaN cost", "Ghost 1", "", 1, nan},
        {"Inf price", "Ghost 2", "", 1, 1, inf},
        {"Huge count", "Ghost 3", "", 1e300},
        {"Below zero", "Ghost 4", "", -3},
        {"Low level", "Ghost 5", "", 1, 1, 1, 1, -1},
        {"Huge cost", "Ghost 6", "", 1, 2e12},
        {"", "Ghost 7"},
        {"No vendor", ""},
        {"Over a long", "Ghost 8", "", 3e9},
        {"Denormal", "Ghost 9", "", 1, 1, 1, std::numeric_limits<double>::denorm_min()}, // a sound 0
        {"Just below", "Ghost 10", "", -0.9},                                            // truncates to 0
        good,
    };
    ASSERT_TRUE(importItems(records));

    QStringList names;
    for (const CItemsRec& item : t().items().RecordsWhere(QString()))
        names << item.Name + QLatin1Char(':') + QString::number(item.Stocked);
    EXPECT_EQ(names, (QStringList{u"Good:1"_s, u"Denormal:1"_s, u"Just below:0"_s, u"Good:1"_s}));
    // Nothing of a refused record was written, not even its vendors.
    for (int ghost = 1; ghost <= 8; ++ghost)
        EXPECT_EQ(vendorNamed(u"Ghost %1"_s.arg(ghost)), NoID) << ghost;
    EXPECT_EQ(prompter.texts(),
              QStringList{QStringLiteral("9 damaged records were left out of the import: record 2, "
                                         "record 3, record 4, record 5, record 6, record 7, record "
                                         "8, record 9, record 10.")});

    // A vendor without a name cannot be matched and is left out too.
    prompter.clear();
    ASSERT_TRUE(run(Source::Version2Vendors,
                    writeFile(u"v.ddg"_s, VendorRecord("", "orphan") + VendorRecord("Named"))));
    EXPECT_NE(vendorNamed(u"Named"_s), NoID);
    EXPECT_EQ(t().vendors().CountWhere(u"[Number] = 'orphan'"_s), 0);
    EXPECT_EQ(prompter.texts(), QStringList{u"1 damaged record was left out of the import: record 1."_s});
}

TEST_F(Import, Version2FilesOfAnySizeOrContentNeverHarmTheProject)
{
    // One byte short of a record, and empty: nothing imported, nothing said.
    const QByteArray twoItems = ItemRecord({"Cut", "V"}).repeated(2);
    const std::pair<Source, int> kinds[] = {
        {Source::Version2Items, ImportVersion2::kItemRecordLength},
        {Source::Version2Vendors, ImportVersion2::kVendorRecordLength},
        {Source::Version2Customers, ImportVersion2::kCustomerRecordLength}};
    for (const auto& [kind, length] : kinds)
        ASSERT_TRUE(run(kind, writeFile(u"short.ddg"_s, twoItems.left(length - 1))));
    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_EQ(b.rows("Items") + b.rows("Vendors") + b.rows("Customers"), 0);

    // Garbage: whatever is imported is sound and consistent.
    QRandomGenerator random(1997);
    QByteArray garbage(ImportVersion2::kItemRecordLength * 300 + 17, '\0');
    random.fillRange(reinterpret_cast<quint32*>(garbage.data()), garbage.size() / 4);
    for (const auto& kind : kinds)
        ASSERT_TRUE(run(kind.first, writeFile(u"garbage.ddg"_s, garbage)));
    for (const CItemsRec& item : t().items().RecordsWhere(QString())) {
        EXPECT_TRUE(item.Cost.isValid() && item.SellingPrice.isValid());
        EXPECT_TRUE(item.Stocked >= 0 && item.ReorderLevel >= 0 && item.ReorderQuanity >= 0);
    }

    // A file that cannot be opened fails with the message and writes nothing.
    const qint32 vendors = b.rows("Vendors");
    prompter.clear();
    EXPECT_FALSE(run(Source::Version2Vendors, QDir(project.dir()).filePath(u"missing.ddg"_s)));
    ASSERT_EQ(prompter.texts(), QStringList{kUnableToImport});
    EXPECT_EQ(b.rows("Vendors"), vendors);

    // A write that fails part way takes the whole import back, so running it
    // again cannot double what was already in.
    ASSERT_TRUE(project.db().execNative(QStringLiteral(
        "CREATE TRIGGER full_disk BEFORE INSERT ON \"Items\" WHEN (SELECT COUNT(*) FROM \"Items\") >= 2 "
        "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
    ASSERT_TRUE(project.db().execNative(u"DELETE FROM \"Items\""_s));
    ASSERT_TRUE(project.db().execNative(u"DELETE FROM \"Stock\""_s));
    const ChangeList before = model.changes();
    EXPECT_FALSE(importItems({{"One", "V1"}, {"Two", "V2"}, {"Three", "V3"}}));
    EXPECT_EQ(prompter.lastText(), kUnableToImport);
    EXPECT_EQ(b.rows("Items") + b.rows("Stock"), 0);
    EXPECT_EQ(b.rows("Vendors"), vendors);
    EXPECT_EQ(model.changes().ids(ListingKind::Vendors), before.ids(ListingKind::Vendors));
}

TEST_F(Import, AnotherProjectsRecordsComeOverByName)
{
    // The number stands for every other field the vendors have.
    const qint32 known = b.vendor(u"Known"_s, u"Ours"_s);
    const qint32 srcKnown = src.vendor(u"KNOWN"_s, u"Theirs"_s);
    const qint32 srcNew = src.vendor(u"O'Brien & Sons"_s, u"Cork"_s);
    // Totals that match no lot or line, as another project may hold them.
    const auto sourceItem = [&](const QString& name, qint32 vendor1, qint32 vendor2, qint32 stocked) {
        src.add(CItemsRec{.Name = name,
                          .Number = name,
                          .Description = name,
                          .VendorID1 = vendor1,
                          .VendorID2 = vendor2,
                          .CategoryID = 4,
                          .Cost = Money::fromWhole(3, 1250),
                          .SellingPrice = Money::fromWhole(5),
                          .Stocked = stocked,
                          .Ordered = 9,
                          .ReorderQuanity = 20,
                          .ReorderLevel = 6,
                          .Taxable = true,
                          .TaxRate = 7.25f});
    };
    sourceItem(u"Both"_s, srcNew, srcKnown, 11);
    sourceItem(u"Orphan"_s, 999, srcNew, 3); // its primary vendor is gone
    sourceItem(u"Half"_s, srcKnown, 998, 0); // its secondary vendor is gone
    sourceItem(u"Unset"_s, NoID, srcNew, 1);
    CCustomersRec customer;
    customer.Company = u"Co"_s;
    customer.EMail = u"doe@example.com"_s;
    src.add(customer);
    const QByteArray before = FileBytes(source.path());

    // Items bring the vendors first; a name the project knows keeps the project's vendor.
    ASSERT_TRUE(run(Source::ProjectItems, source.path()));
    EXPECT_EQ(prompter.texts(),
              QStringList{QStringLiteral("One or more required vendors are not in the project, so "
                                         "the items \nassociated to those vendors have been ignored.")});
    ASSERT_EQ(b.rows("Vendors"), 2);
    const qint32 obrien = vendorNamed(u"O'Brien & Sons"_s);
    EXPECT_EQ(b.read<CVendorsRec>(known).Number + b.read<CVendorsRec>(obrien).Number, u"OursCork"_s);
    EXPECT_EQ(itemLines(),
              (QStringList{QStringLiteral("Both|Both|Both|%1|%2|11|0|20|6|4|3.1250|5.0000|taxable|7.25|"
                                          "lot 11 at 3.1250 from %1, -1/-1, 3/15/2024")
                               .arg(obrien)
                               .arg(known),
                           QStringLiteral("Half|Half|Half|%1|%1|0|0|20|6|4|3.1250|5.0000|taxable|7.25|"
                                          "lot 0 at 3.1250 from %1, -1/-1, 3/15/2024")
                               .arg(known)}));

    // Nothing new the second time; customers always added.
    prompter.clear();
    ASSERT_TRUE(run(Source::ProjectVendors, source.path()));
    ASSERT_TRUE(run(Source::ProjectCustomers, source.path()));
    ASSERT_TRUE(run(Source::ProjectCustomers, source.path()));
    const QList<CCustomersRec> customers = t().customers().RecordsWhere(QString());
    ASSERT_EQ(customers.size(), 2);
    EXPECT_EQ(customers[1].Company + customers[1].EMail, u"Codoe@example.com"_s);
    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_EQ(FileBytes(source.path()), before);

    // The open project as its own source: read whole before anything is written,
    // so nothing waits for its own lock.
    ASSERT_TRUE(run(Source::ProjectItems, project.path()));
    EXPECT_EQ(itemLines().size() + b.rows("Vendors"), 6);
}

TEST_F(Import, SourcesThatCannotBeReadOrAreDamaged)
{
    const qint32 v = src.vendor(u"V"_s);
    EXPECT_FALSE(run(Source::ProjectVendors, writeFile(u"junk.qmp"_s, QByteArray(4096, 'x'))));
    ASSERT_EQ(prompter.texts(), (QStringList{u"Unable to open source database."_s, kUnableToImport}));

    // A database without the tables asked for.
    const QString bare = QDir(project.dir()).filePath(u"bare.qmp"_s);
    ASSERT_TRUE(ProjectDatabase().create(bare));
    const std::pair<Source, const char*> cases[] = {
        {Source::ProjectItems, "Unable to open vendor records!"},
        {Source::ProjectCustomers, "Unable to open customer records!"}};
    for (const auto& [from, message] : cases) {
        prompter.clear();
        EXPECT_FALSE(run(from, bare));
        EXPECT_EQ(prompter.texts(), (QStringList{QString::fromLatin1(message), kUnableToImport}));
    }

    // Records written by other hands: an amount no item can have, a negative
    // stock, a text longer than its field. Only the sound item comes over.
    ASSERT_TRUE(source.db().execNative(u"PRAGMA ignore_check_constraints = ON"_s));
    const auto item = [&](const QString& name, double cost, qint32 stocked) {
        QSqlQuery query(source.db().connection());
        query.prepare(
            QStringLiteral("INSERT INTO \"Items\" (\"Name\", \"VendorID1\", \"VendorID2\", \"Cost\", "
                           "\"SellingPrice\", \"Stocked\") VALUES (?, ?, ?, ?, 1, ?)"));
        for (const QVariant& value : QVariantList{name, v, v, cost, stocked})
            query.addBindValue(value);
        EXPECT_TRUE(query.exec());
        return FormatRecordId(query.lastInsertId().toInt());
    };
    item(u"Fine"_s, 1.5, 2);
    const QString negative = item(u"Negative"_s, 1.5, -4);
    const QString huge = item(u"Huge"_s, 1e200, 1);
    const QString longName = item(QString(300, QLatin1Char('L')), 1.5, 1);
    prompter.clear();
    ASSERT_TRUE(run(Source::ProjectItems, source.path()));
    ASSERT_EQ(itemLines().size(), 1);
    EXPECT_TRUE(itemLines().first().startsWith(u"Fine|"_s));
    EXPECT_EQ(prompter.texts(),
              QStringList{QStringLiteral("3 damaged records were left out of the import: item %1, "
                                         "item %2, item %3.")
                              .arg(negative, huge, longName)});

    // Items missing while vendors are there: the vendors are not imported either.
    ASSERT_TRUE(project.db().execNative(u"DELETE FROM \"Vendors\""_s));
    ASSERT_TRUE(source.db().execNative(u"DROP TABLE \"Items\""_s));
    prompter.clear();
    EXPECT_FALSE(run(Source::ProjectItems, source.path()));
    EXPECT_EQ(prompter.texts(), (QStringList{u"Unable to open item records!"_s, kUnableToImport}));
    EXPECT_EQ(b.rows("Vendors"), 0);
}

} // namespace
