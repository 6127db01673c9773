#include "core/common/Clock.h"
#include "core/records/AddCustomerModel.h"
#include "core/records/AddVendorModel.h"
#include "core/records/ImportModel.h"
#include "core/records/ImportVersion2.h"
#include "core/reports/QueryDefinitionModel.h"
#include "core/reports/QueryFields.h"

#include "FileBytes.h"
#include "ProjectFixture.h"
#include "Version2Records.h"

#include <QDir>
#include <QMap>
#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

#include <type_traits>

using namespace Qt::StringLiterals;

namespace {

// Texts a user can type or a file can carry that would change a statement
// built by pasting them into its text.
struct Hostile
{
    const char* label;
    QString text;
};

const QList<Hostile>& HostileTexts()
{
    static const QList<Hostile> texts = {
        {"single quotes", u"O'Brien's ''x'' '"_s},
        {"double quotes", u"say \"hi\" \"\""_s},
        {"brackets", u"[Vendors] ]x[ [Name"_s},
        {"hash", u"#5/15/1997# #"_s},
        {"semicolon", u"a; DELETE FROM [Items];"_s},
        {"comment", u"x -- y /* z"_s},
        {"quote and comment", u"' OR 1=1 --"_s},
        {"always true", u"' OR '1'='1"_s},
        {"placeholders", u"? :name @p $1 %1 %2"_s},
        {"backslashes", u"C:\\a\\' \\0 \\n"_s},
        {"NUL", u"a\0b\0"_s},
        {"invalid UTF-8", QString::fromUtf8("\xC3\x28 \xFF\xFE \xED\xA0\x80 \xF0\x9F")},
        {"line breaks", u"first\nsecond\r\nthird"_s},
        {"outside the BMP", u"\u00dcn\u00efc\u00f8d\u00e9 \u65e5\u672c \U0001F600"_s},
        {"blanks", u"  padded\t "_s},
        {"very long", QString(100000, u'\'')},
    };
    return texts;
}

// What a text field of `size` characters holds when filled with the text
// again and again; a character outside the BMP is never cut in half.
QString Filled(const QString& text, int size)
{
    QString out;
    while (out.size() < size)
        out += text;
    out.truncate(size);
    if (!out.isEmpty() && out.back().isHighSurrogate())
        out.chop(1);
    return out;
}

// Every row of every table, and the schema, as text by table and row: what a
// statement changed shows as a difference.
using Snapshot = QMap<QString, QMap<qint64, QString>>;

Snapshot SnapshotOf(ProjectDatabase& db)
{
    Snapshot snapshot;
    QSqlQuery tables(db.connection());
    EXPECT_TRUE(tables.exec(u"SELECT name FROM sqlite_master WHERE type = 'table'"_s));
    QStringList names{u"sqlite_master"_s};
    while (tables.next()) {
        const QString name = tables.value(0).toString();
        // The engine's own counter of IDs handed out moves with every append.
        if (name != u"sqlite_sequence"_s)
            names.append(name);
    }
    for (const QString& name : names) {
        QSqlQuery rows(db.connection());
        EXPECT_TRUE(rows.exec(u"SELECT rowid, * FROM \"%1\""_s.arg(name))) << name.toStdString();
        QMap<qint64, QString>& table = snapshot[name];
        while (rows.next()) {
            QStringList values;
            for (int i = 1; i < rows.record().count(); ++i)
                values.append(rows.value(i).isNull() ? u"<null>"_s : rows.value(i).toString());
            table.insert(rows.value(0).toLongLong(), values.join(u'\x1f'));
        }
    }
    return snapshot;
}

// The tables that gained rows, with how many; rows that changed or went are
// listed under "changed".
QMap<QString, int> Difference(const Snapshot& before, const Snapshot& after)
{
    QMap<QString, int> difference;
    for (auto table = after.begin(); table != after.end(); ++table) {
        const QMap<qint64, QString> old = before.value(table.key());
        for (auto row = old.begin(); row != old.end(); ++row) {
            if (table->value(row.key(), u"<gone>"_s) != row.value())
                difference[u"changed "_s + table.key()] += 1;
        }
        const int added = static_cast<int>(table->size() - old.size());
        if (added != 0)
            difference[table.key()] += added;
    }
    if (before.size() != after.size())
        difference[u"tables"_s] = static_cast<int>(after.size() - before.size());
    return difference;
}

QString Describe(const QString& text)
{
    return text.size() > 60 ? u"%1 characters"_s.arg(text.size()) : text;
}

template <typename Rec> void SetTexts(Rec& rec, const QString& text, bool fill)
{
    Rec::fields(rec, [&](const char*, auto& member, int size = 0) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(member)>, QString>)
            member = fill ? Filled(text, size) : text;
    });
}

// Every text field of the two records, by name, where they differ.
template <typename Rec> QStringList TextDifferences(const Rec& expected, const Rec& read)
{
    QStringList expectedTexts;
    Rec::fields(expected, [&](const char*, const auto& member, int = 0) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(member)>, QString>)
            expectedTexts.append(member);
    });
    QStringList differences;
    int i = 0;
    Rec::fields(read, [&](const char* name, const auto& member, int = 0) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(member)>, QString>) {
            if (member != expectedTexts.at(i))
                differences.append(QString::fromLatin1(name));
            ++i;
        }
    });
    return differences;
}

// The first text field too small for `text`, and its size; none when it fits.
template <typename Rec> std::optional<std::pair<QString, int>> TooSmall(const QString& text)
{
    std::optional<std::pair<QString, int>> found;
    const Rec probe;
    Rec::fields(probe, [&](const char* name, const auto& member, int size = 0) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(member)>, QString>) {
            if (!found && text.size() > size)
                found = std::make_pair(QString::fromLatin1(name), size);
        }
    });
    return found;
}

template <typename Rec> QString FirstTextField()
{
    QString first;
    const Rec probe;
    Rec::fields(probe, [&](const char* name, const auto& member, int = 0) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(member)>, QString>) {
            if (first.isEmpty())
                first = QString::fromLatin1(name);
        }
    });
    return first;
}

class HostileText : public ProjectFixture
{
protected:
    template <typename Rec> auto& set()
    {
        if constexpr (std::is_same_v<Rec, CVendorsRec>)
            return t().vendors();
        else if constexpr (std::is_same_v<Rec, CItemsRec>)
            return t().items();
        else if constexpr (std::is_same_v<Rec, CCustomersRec>)
            return t().customers();
        else if constexpr (std::is_same_v<Rec, CPORec>)
            return t().purchaseOrders();
        else
            return t().invoices();
    }

    // Appends a record of the kind with every text field holding the text, then
    // writes it again over a plain record: each reads back exactly and changes
    // nothing else, or is refused naming the first field too small for it.
    template <typename Rec> void sweep(const Hostile& hostile, bool fill)
    {
        const std::string where = std::string(Rec::kTable) + ", " + hostile.label + (fill ? ", filled" : "");
        const QString table = QString::fromLatin1(Rec::kTable);
        auto& records = set<Rec>();
        Rec rec;
        SetTexts(rec, hostile.text, fill);
        const auto tooSmall = fill ? std::nullopt : TooSmall<Rec>(hostile.text);

        Snapshot before = SnapshotOf(project.db());
        if (tooSmall) {
            EXPECT_FALSE(records.RecordAdd(rec)) << where;
            EXPECT_EQ(records.lastError(),
                      u"The %1 may hold at most %2 characters."_s.arg(tooSmall->first).arg(tooSmall->second))
                << where;
            EXPECT_EQ(Difference(before, SnapshotOf(project.db())), (QMap<QString, int>())) << where;
            return;
        }
        ASSERT_TRUE(records.RecordAdd(rec)) << where << ' ' << records.lastError().toStdString();
        Rec read;
        ASSERT_TRUE(records.RecordRead(read, rec.ID)) << where;
        EXPECT_EQ(TextDifferences(rec, read), QStringList()) << where;
        EXPECT_EQ(Difference(before, SnapshotOf(project.db())), (QMap<QString, int>{{table, 1}})) << where;
        // Found by its own text through a bound condition, and by no other.
        if (!fill) {
            const QString first = FirstTextField<Rec>();
            EXPECT_EQ(records.IDsWhere(u"[%1] = ?"_s.arg(first), {hostile.text}), QList<qint32>{rec.ID})
                << where;
        }

        Rec plain;
        SetTexts(plain, u"plain"_s, false);
        ASSERT_TRUE(records.RecordAdd(plain)) << where;
        before = SnapshotOf(project.db());
        Rec modified = rec;
        modified.ID = plain.ID;
        ASSERT_TRUE(records.RecordModify(modified)) << where;
        ASSERT_TRUE(records.RecordRead(read, plain.ID)) << where;
        EXPECT_EQ(TextDifferences(modified, read), QStringList()) << where;
        EXPECT_EQ(Difference(before, SnapshotOf(project.db())),
                  (QMap<QString, int>{{u"changed "_s + table, 1}}))
            << where;
    }
};

TEST_F(HostileText, EveryTextFieldOfEveryKindOfRecordKeepsItsTextAndTouchesNothingElse)
{
    b.vendor(u"Decoy"_s);
    b.customer(u"Decoy"_s, u"D"_s, u"D"_s);
    for (const Hostile& hostile : HostileTexts()) {
        // One commit a text keeps the sweep quick; what a statement does shows
        // inside the transaction as it would after it.
        Transaction transaction(project.db());
        for (const bool fill : {false, true}) {
            sweep<CVendorsRec>(hostile, fill);
            sweep<CItemsRec>(hostile, fill);
            sweep<CCustomersRec>(hostile, fill);
            sweep<CPORec>(hostile, fill);
            sweep<CSIRec>(hostile, fill);
        }
        ASSERT_TRUE(transaction.commit()) << hostile.label;
    }
    QSqlQuery check(project.db().connection());
    ASSERT_TRUE(check.exec(u"PRAGMA integrity_check"_s) && check.next());
    EXPECT_EQ(check.value(0).toString(), u"ok"_s);
}

// The vendor and customer windows save what was typed as it was typed; a text
// longer than its field is refused with that field's own message.
TEST_F(HostileText, TheRecordWindowsSaveTheTextOrNameTheFieldItDoesNotFit)
{
    for (const Hostile& hostile : HostileTexts()) {
        const std::string where = hostile.label;
        const bool fits = hostile.text.size() <= 128;
        prompter.clear();
        AddVendorModel vendor(t(), prompter);
        vendor.setName(hostile.text);
        vendor.setCity(hostile.text);
        EXPECT_EQ(vendor.save().saved, fits) << where;
        AddCustomerModel customer(t(), prompter);
        customer.setCompany(u"Co"_s);
        customer.setLastName(hostile.text);
        EXPECT_EQ(customer.save().saved, fits) << where;
        if (!fits) {
            EXPECT_EQ(prompter.texts(), QStringList({u"The Name may hold at most 128 characters."_s,
                                                     u"The Last may hold at most 128 characters."_s}))
                << where;
            continue;
        }
        EXPECT_TRUE(prompter.log().isEmpty()) << where;
        const CVendorsRec savedVendor = b.read<CVendorsRec>(vendor.lastSavedId());
        EXPECT_EQ(savedVendor.Name + savedVendor.City, hostile.text + hostile.text) << where;
        const QList<CCustomersRec> savedCustomer =
            t().customers().RecordsWhere(u"[Last] = ?"_s, {hostile.text});
        ASSERT_EQ(savedCustomer.size(), 1) << where;
    }
    EXPECT_EQ(b.rows("Vendors"), b.rows("Customers"));
}

// A stored query carries its name and value through the query text: each
// comes back as typed, selects exactly the records whose field holds the value,
// and the save changes nothing but the stored queries. A value that would
// split the query text is refused with the value's own message.
TEST_F(HostileText, StoredQueriesKeepTheirNameAndValueAndSelectExactlyThatValue)
{
    const int nameField = QueryFieldIndex(ListingKind::Vendors, u"Name"_s);
    ASSERT_GE(nameField, 0);
    QMap<QString, qint32> vendorIds;
    for (const Hostile& hostile : HostileTexts()) {
        if (hostile.text.size() <= 128)
            vendorIds.insert(hostile.text, b.vendor(hostile.text));
    }
    b.vendor(u"O"_s);
    b.vendor(u"1"_s);
    int stored = 0;
    for (const Hostile& hostile : HostileTexts()) {
        const std::string where = hostile.label;
        const Snapshot before = SnapshotOf(project.db());
        prompter.clear();
        QueryDefinitionModel model(project.tables(), prompter, ListingKind::Vendors);
        const QString name = hostile.text.trimmed().isEmpty() ? hostile.text + u"q"_s : hostile.text;
        model.setName(name);
        model.setCriterionField(0, nameField);
        model.setCriterionOperator(0, 0); // equal to
        model.setCriterionValue(0, hostile.text);
        const QueryDefinitionModel::Result result = model.save();
        // Line breaks would split the stored text's clauses; the engine reads a
        // statement only up to a NUL.
        if (hostile.text.contains(u'\n') || hostile.text.contains(QChar(u'\0'))) {
            EXPECT_FALSE(result.saved) << where;
            EXPECT_EQ(result.focus, QueryDefinitionModel::Field::Value1) << where;
            EXPECT_EQ(prompter.texts(), QStringList{u"The value specified does not fit its field.  Please "
                                                    u"check the value and re-enter it if necessary."_s})
                << where;
            EXPECT_EQ(Difference(before, SnapshotOf(project.db())), (QMap<QString, int>())) << where;
            continue;
        }
        ASSERT_TRUE(result.saved) << where << ' ' << prompter.lastText().toStdString();
        ++stored;
        EXPECT_TRUE(prompter.log().isEmpty()) << where;
        const QMap<QString, int> difference = Difference(before, SnapshotOf(project.db()));
        EXPECT_EQ(difference.keys().filter(u"changed"_s), QStringList()) << where;
        EXPECT_EQ(difference.value(u"Vendors"_s), 0) << where;

        // Read back as the Query Definition window reads a stored query.
        QueryDefinitionModel again(project.tables(), prompter, ListingKind::Vendors, name);
        ASSERT_TRUE(again.checkPrerequisites()) << where;
        EXPECT_EQ(again.name(), name) << where;
        EXPECT_EQ(again.criterionValue(0), hostile.text) << where;
        EXPECT_TRUE(project.db().QueryDefNames().contains(name)) << where;

        std::optional<QSqlQuery> run =
            project.db().prepare(project.db().QueryDefSql(name).value_or(QString()));
        ASSERT_TRUE(run && run->exec()) << where << ' ' << model.storedSql().toStdString();
        QList<qint32> selected;
        while (run->next())
            selected.append(run->value(u"ID"_s).toInt());
        const QList<qint32> expected =
            vendorIds.contains(hostile.text) ? QList<qint32>{vendorIds.value(hostile.text)} : QList<qint32>();
        EXPECT_EQ(selected, expected) << where << ' ' << Describe(model.storedSql()).toStdString();
    }
    EXPECT_EQ(project.db().QueryDefNames().size(), stored);
}

// Records imported from another project and from version 2.0 files keep
// their texts, and items find their vendors by those texts.
TEST_F(HostileText, ImportedRecordsKeepTheirTextsAndFindTheirVendorsByThem)
{
    TempProject source{CStockSet::kFifo, u"source"_s};
    ProjectBuilder src{source};
    FixedClock clock{QDateTime(QDate(2024, 3, 15), QTime(16, 45))};
    ImportModel model{project.tables(), prompter, clock};
    const auto run = [&](ImportModel::Source from, const QString& path) {
        model.setSource(from);
        model.setPath(path);
        return model.save().saved;
    };
    b.vendor(u"Kept"_s);
    const qint32 keptCustomer = b.customer(u"Kept"_s, u"K"_s, u"K"_s);

    QList<CVendorsRec> vendors;
    QList<CCustomersRec> customers;
    QList<CItemsRec> items;
    for (const Hostile& hostile : HostileTexts()) {
        if (hostile.text.size() > 30)
            continue; // refused by the record layer, as the sweep above shows
        CVendorsRec vendor;
        SetTexts(vendor, hostile.text, false);
        vendor.ID = src.add(vendor);
        vendors.append(vendor);
        CCustomersRec customer;
        SetTexts(customer, hostile.text, false);
        src.add(customer);
        customers.append(customer);
        CItemsRec item;
        SetTexts(item, hostile.text, false);
        item.VendorID1 = vendor.ID;
        item.VendorID2 = vendor.ID;
        src.add(item);
        items.append(item);
    }
    ASSERT_FALSE(vendors.isEmpty());
    const Snapshot before = SnapshotOf(project.db());
    ASSERT_TRUE(run(ImportModel::Source::ProjectItems, source.path())) << prompter.lastText().toStdString();
    ASSERT_TRUE(run(ImportModel::Source::ProjectCustomers, source.path()))
        << prompter.lastText().toStdString();
    EXPECT_TRUE(prompter.log().isEmpty()) << prompter.lastText().toStdString();
    const QMap<QString, int> difference = Difference(before, SnapshotOf(project.db()));
    EXPECT_EQ(difference.keys().filter(u"changed"_s), QStringList());
    EXPECT_EQ(difference.value(u"Vendors"_s), vendors.size());
    EXPECT_EQ(difference.value(u"Customers"_s), customers.size());
    EXPECT_EQ(difference.value(u"Items"_s), items.size());

    const QList<CVendorsRec> importedVendors = t().vendors().RecordsWhere(u"[ID] > 1"_s, {}, u"[ID]"_s);
    ASSERT_EQ(importedVendors.size(), vendors.size());
    for (qsizetype i = 0; i < vendors.size(); ++i)
        EXPECT_EQ(TextDifferences(vendors[i], importedVendors[i]), QStringList())
            << vendors[i].Name.toStdString();
    const QList<CCustomersRec> importedCustomers =
        t().customers().RecordsWhere(u"[ID] <> ?"_s, {keptCustomer}, u"[ID]"_s);
    ASSERT_EQ(importedCustomers.size(), customers.size());
    for (qsizetype i = 0; i < customers.size(); ++i)
        EXPECT_EQ(TextDifferences(customers[i], importedCustomers[i]), QStringList()) << i;
    const QList<CItemsRec> importedItems = t().items().RecordsWhere(QString(), {}, u"[ID]"_s);
    ASSERT_EQ(importedItems.size(), items.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        EXPECT_EQ(TextDifferences(items[i], importedItems[i]), QStringList()) << i;
        EXPECT_EQ(importedItems[i].VendorID1, importedVendors[i].ID) << i;
    }

    // A version 2.0 file holds bytes in its own code page, each text ending at
    // the first zero byte: what a record carries there arrives as it was.
    const QList<QByteArray> bytes = {"O'Brien's",   "\"q\" [Items]",    "#1/2/3#; --", "' OR 'x'='x",
                                     "? :a %1 \\'", "\xC3\x28\xFF\xFE", "a\nb\r\nc"};
    QByteArray vendorFile, itemFile;
    for (const QByteArray& text : bytes) {
        vendorFile += RecordBytes(ImportVersion2::kVendorRecordLength).text(0, text).text(50, text).bytes();
        itemFile += RecordBytes(ImportVersion2::kItemRecordLength)
                        .text(0, text.left(20))
                        .text(40, text)
                        .text(90, text)
                        .number(160, 1.5)
                        .number(208, 1)
                        .bytes();
    }
    const QString vendorPath = QDir(project.dir()).filePath(u"vendors.ddg"_s);
    const QString itemPath = QDir(project.dir()).filePath(u"items.ddg"_s);
    ASSERT_TRUE(WriteFileBytes(vendorPath, vendorFile));
    ASSERT_TRUE(WriteFileBytes(itemPath, itemFile));
    const Snapshot beforeFiles = SnapshotOf(project.db());
    ASSERT_TRUE(run(ImportModel::Source::Version2Vendors, vendorPath)) << prompter.lastText().toStdString();
    ASSERT_TRUE(run(ImportModel::Source::Version2Items, itemPath)) << prompter.lastText().toStdString();
    const QMap<QString, int> fileDifference = Difference(beforeFiles, SnapshotOf(project.db()));
    EXPECT_EQ(fileDifference.keys().filter(u"changed"_s), QStringList());
    EXPECT_EQ(fileDifference.value(u"Vendors"_s), bytes.size());
    for (const QByteArray& text : bytes) {
        // Every byte of these is the same character in the file's code page and in Latin-1.
        const QString expected = QString::fromLatin1(text);
        const QList<CVendorsRec> found = t().vendors().RecordsWhere(u"[Name] = ?"_s, {expected});
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        EXPECT_EQ(found.first().Number, expected);
        const QList<CItemsRec> item = t().items().RecordsWhere(u"[Description] = ?"_s, {expected});
        ASSERT_EQ(item.size(), 1) << text.toStdString();
        EXPECT_EQ(item.first().Name, expected.left(20));
        EXPECT_EQ(item.first().VendorID1, found.first().ID) << text.toStdString();
    }
}

} // namespace
