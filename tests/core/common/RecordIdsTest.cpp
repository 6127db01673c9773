#include "core/common/RecordIds.h"
#include "core/common/ChangeList.h"
#include "core/common/StatusCodes.h"
#include "core/records/Pickers.h"

#include "QtPrinters.h"
#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

TEST(RecordIds, PickerEntriesCarryTheirId)
{
    // IDs are written as printf's "%06ld" writes them, the sign inside the width.
    for (const qint32 id : {0, 42, 999999, 1000000, -5, -123456, std::numeric_limits<qint32>::max(),
                            std::numeric_limits<qint32>::min()})
        EXPECT_EQ(FormatRecordId(id), QString::asprintf("%06ld", static_cast<long>(id))) << id;
    const QString entry = PickerEntryText(QStringLiteral("Bolt 10 mm"), 42);
    EXPECT_EQ(entry, QStringLiteral("Bolt 10 mm") + QString(50, QLatin1Char(' ')) + QStringLiteral("000042"));
    EXPECT_EQ(EntryId(entry), 42);
    EXPECT_EQ(EntryId(CustomerEntryText(QStringLiteral("Acme   Doe, Jane"), 1234567)), 1234567);
    EXPECT_EQ(EntryId(QString()), NoSelection);
    EXPECT_EQ(EntryId(QStringLiteral("no id here")), NoSelection);
    for (const qint32 number : {0, 7, 123456, 1234567, -3, std::numeric_limits<qint32>::min()}) {
        EXPECT_EQ(NumberedPickerEntryText(number, 99), PickerEntryText(FormatRecordId(number), 99)) << number;
        EXPECT_EQ(NumberedPickerEntryText(number, number),
                  FormatRecordId(number) + QString(50, QLatin1Char(' ')) + FormatRecordId(number))
            << number;
    }
    EXPECT_EQ(PickerEntryText(QString(), -7), QString(50, QLatin1Char(' ')) + QStringLiteral("-00007"));
}

TEST(RecordIds, APickerFindsAnIdInIdOrderAndInAnyOtherOrder)
{
    QStringList sorted;
    for (const qint32 id : {2, 3, 5, 8, 13, 21, 34})
        sorted.append(NumberedPickerEntryText(100 + id, id));
    for (int row = 0; row < sorted.size(); ++row)
        EXPECT_EQ(PickerIndexOf(sorted, EntryId(sorted.at(row))), row);
    EXPECT_EQ(PickerIndexOf(sorted, 4), -1);
    EXPECT_EQ(PickerIndexOf(sorted, 99), -1);
    EXPECT_EQ(PickerIndexOf({}, 1), -1);

    // A list out of ID order (customers by name, say) is still searched whole.
    const QStringList unsorted{CustomerEntryText(u"Zeta"_s, 1), CustomerEntryText(u"Alpha"_s, 9),
                               CustomerEntryText(u"Mid"_s, 4)};
    EXPECT_EQ(PickerIndexOf(unsorted, 1), 0);
    EXPECT_EQ(PickerIndexOf(unsorted, 9), 1);
    EXPECT_EQ(PickerIndexOf(unsorted, 4), 2);
}

TEST(ChangeList, KeepsEachIdOnceAndAtMostAThousandPerKind)
{
    ChangeList changes;
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_TRUE(changes.add(ListingKind::Items, 7));
    EXPECT_TRUE(changes.add(ListingKind::Items, 7));
    EXPECT_EQ(changes.ids(ListingKind::Items).size(), 1);
    for (qint32 id = 100; id < 1099; ++id)
        EXPECT_TRUE(changes.add(ListingKind::Items, id));
    EXPECT_FALSE(changes.add(ListingKind::Items, 5000));
    EXPECT_TRUE(changes.add(ListingKind::Stock, 5000));

    ChangeList other;
    other.add(ListingKind::Vendors, 1);
    changes.merge(other);
    EXPECT_TRUE(changes.contains(ListingKind::Vendors, 1));
}

TEST(ChangeList, RecordsOfUnlistedTablesAreKeptApartFromTheLists)
{
    // A receivable alone is a change, under its own table, not under the list
    // that shares its code.
    ChangeList sale;
    EXPECT_TRUE(sale.add(UnlistedKind::Receivables, 3));
    EXPECT_FALSE(sale.isEmpty());
    EXPECT_FALSE(sale.contains(ListingKind::Vendors, 3));

    ChangeList all;
    all.add(ListingKind::Invoices, 9);
    all.merge(sale);
    EXPECT_EQ(std::tuple(all.ids(UnlistedKind::Receivables), all.ids(ListingKind::Invoices)),
              std::tuple(QList<qint32>{3}, QList<qint32>{9}));
    all.clear();
    EXPECT_TRUE(all.isEmpty());
}

TEST(StatusCodes, ReportErrorCodeShowsTheMessageTitledWithTheApplication)
{
    ScriptedPrompter prompter;
    ReportErrorCode(prompter, Status::SettingsFileMissing);
    ReportErrorCode(prompter, 99);
    ASSERT_EQ(prompter.log().size(), 2);
    EXPECT_EQ(prompter.log()[0].text,
              QStringLiteral("The settings file for this project (.qms) was unable to be located."));
    EXPECT_EQ(prompter.log()[0].title, QStringLiteral("Quillmark 3.5"));
    EXPECT_EQ(prompter.log()[0].icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(prompter.log()[1].text,
              QStringLiteral("An unknown error has occurred with the current operation."));
}

} // namespace
