#include "core/io/Csv.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include "FailDevice.h"
#include "QtPrinters.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray written(const QList<QStringList>& records)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CsvWriter out(buffer);
    for (const QStringList& record : records)
        out.writeRecord(record);
    EXPECT_TRUE(out.flush());
    return buffer.data();
}

QList<QStringList> readBack(const QByteArray& text)
{
    const auto read = ReadCsv(text);
    if (const CsvError* error = std::get_if<CsvError>(&read)) {
        ADD_FAILURE() << "line " << error->line << ": " << error->message.toStdString();
        return {};
    }
    return std::get<QList<QStringList>>(read);
}

CsvError refusal(const QByteArray& text, qsizetype maxFieldBytes = CsvReader::kDefaultMaxFieldBytes)
{
    const auto read = ReadCsv(text, maxFieldBytes);
    EXPECT_TRUE(std::holds_alternative<CsvError>(read)) << text.left(40).toStdString();
    return std::holds_alternative<CsvError>(read) ? std::get<CsvError>(read) : CsvError{};
}

// Quotes only where a field needs them; every text comes back as it went in,
// line breaks, quotes, blanks, letters beyond Latin and NUL included.
TEST(CsvText, HostileTextRoundTrips)
{
    const QList<QStringList> records = {
        {u"plain"_s, u"a,b"_s, u"say \"hi\""_s, u"two\r\nlines"_s, u"lf\nonly"_s, u"cr\ronly"_s},
        {u" lead"_s, u"trail\t"_s, u""_s, u"\"\""_s, u"Ωμέγα 東京 🍣"_s, QString(QChar(0)) + u"nul"_s},
        {u"\uFEFFmark"_s, u"\uFEFF\uFEFF"_s},
        {u""_s},
        {u""_s, u""_s},
        {u"last"_s},
    };
    const QByteArray bytes = written(records);
    EXPECT_TRUE(
        bytes.startsWith("plain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\"lf\nonly\",\"cr\ronly\"\r\n"
                         "\" lead\",\"trail\t\",,\"\"\"\"\"\",Ωμέγα 東京 🍣,"));
    EXPECT_TRUE(bytes.endsWith("\r\n\r\n,\r\nlast\r\n"));
    EXPECT_EQ(readBack(bytes), records);
    // A mark that begins the file's first field is the field's, not the file's.
    const QList<QStringList> marked = {{u"\uFEFFfirst"_s}};
    EXPECT_EQ(readBack(written(marked)), marked);

    // Through a device, with fields and doubled quotes across its blocks.
    const QString big = QString(70000, u'x') + u"\"\""_s + QString(70000, u'é');
    const QList<QStringList> large = {{big, u"after"_s}, {u"next"_s}};
    QByteArray file = "\xEF\xBB\xBF" + written(large);
    QBuffer device(&file);
    device.open(QIODevice::ReadOnly);
    CsvReader reader(device);
    QList<QStringList> read;
    for (QStringList fields; reader.readRecord(fields);)
        read.append(fields);
    EXPECT_FALSE(reader.error().has_value());
    EXPECT_EQ(read, large);
}

TEST(CsvText, ReaderTakesLineFeedsAndAMissingLastBreak)
{
    EXPECT_EQ(readBack("a,b\nc,\"d\ne\"\n\nf"),
              (QList<QStringList>{{u"a"_s, u"b"_s}, {u"c"_s, u"d\ne"_s}, {u""_s}, {u"f"_s}}));
    EXPECT_EQ(readBack("\xEF\xBB\xBF"), QList<QStringList>());
    EXPECT_EQ(readBack("x,"), (QList<QStringList>{{u"x"_s, u""_s}}));
}

TEST(CsvText, ReaderRefusesWhatIsNotValidWithItsLine)
{
    struct Case
    {
        QByteArray text;
        qint64 line;
        const char* says;
    };
    const Case cases[] = {
        {"a\r\nb,\"open\r\nstill open\r\n", 2, "never closed"},
        {"a\n\"q\"x,b\n", 2, "after the closing quote"},
        {"a\nb\n\"q\" \n", 3, "after the closing quote"},
        {"a\nab\"c\n", 2, "quote inside a field"},
        {"a\rb\n", 1, "carriage return"},
        {"ok\n\"multi\nline \xC3\x28\"\n", 3, "not UTF-8"},
        {"\xC0\xAF\n", 1, "not UTF-8"},        // an overlong slash
        {"x\n\xED\xA0\x80\n", 2, "not UTF-8"}, // a surrogate
        {"\xF4\x90\x80\x80", 1, "not UTF-8"},  // past U+10FFFF
        {"\xE2\x82", 1, "not UTF-8"},          // cut short
    };
    for (const Case& c : cases) {
        const CsvError error = refusal(c.text);
        EXPECT_EQ(error.line, c.line) << c.text.toStdString();
        EXPECT_TRUE(error.message.contains(QLatin1String(c.says))) << error.message.toStdString();
        EXPECT_TRUE(error.message.contains(QString::number(c.line))) << error.message.toStdString();
    }

    // A field past the limit is refused as it grows, quoted and open or not.
    EXPECT_EQ(refusal("ok\n\"" + QByteArray(4000, 'a'), 16).line, 2);
    EXPECT_TRUE(refusal("a," + QByteArray(17, 'b'), 16).message.contains(u"longer than 16"_s));
    EXPECT_TRUE(refusal(QByteArray(CsvReader::kMaxFields + 1, ',')).message.contains(u"fields"_s));
    QByteArray wide;
    for (int i = 0; i < 20; ++i)
        wide += QByteArray(CsvReader::kMaxRecordBytes / 16, 'w') + ',';
    EXPECT_TRUE(
        refusal("a\n" + wide, CsvReader::kMaxRecordBytes / 8).message.contains(u"record on line 2"_s));

    // Once refused, the reader gives nothing more.
    CsvReader reader(QByteArray("a\"b\nc\n"));
    QStringList fields;
    EXPECT_FALSE(reader.readRecord(fields));
    EXPECT_FALSE(reader.readRecord(fields));
    EXPECT_EQ(reader.error()->line, 1);
}

TEST(CsvText, ReadFailureIsARefusalNotAnEnd)
{
    FailDevice device(6, QByteArray("a,b\nc,d\ne,f\n"));
    CsvReader reader(device);
    QStringList fields;
    EXPECT_TRUE(reader.readRecord(fields));
    EXPECT_FALSE(reader.readRecord(fields));
    ASSERT_TRUE(reader.error().has_value());
}

TEST(CsvValues, TextsAreFixedWhateverTheLocale)
{
    EXPECT_EQ(CsvMoneyText(Money::fromWhole(40, 9400)), u"40.94"_s);
    EXPECT_EQ(CsvMoneyText(Money::fromWhole(1234567)), u"1234567.00"_s);
    EXPECT_EQ(CsvMoneyText(Money::fromTenThousandths(-125)), u"-0.0125"_s);
    EXPECT_EQ(CsvMoneyText(Money::fromTenThousandths(std::numeric_limits<qint64>::min())),
              u"-922337203685477.5808"_s);
    EXPECT_EQ(CsvMoneyText(Money::invalid()), QString());
    EXPECT_EQ(CsvMoneyText(Money::null()), QString());

    EXPECT_EQ(CsvDateText(DateTime::fromDate(QDate(2025, 4, 20))), u"2025-04-20"_s);
    EXPECT_EQ(CsvDateText(DateTime::fromQDateTime(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58)))),
              u"1999-12-31T23:59:58"_s);
    EXPECT_EQ(CsvDateText(DateTime::null()), QString());
    EXPECT_EQ(CsvDateText(DateTime::invalid()), QString());

    EXPECT_EQ(CsvValueText(QVariant(true)), u"TRUE"_s);
    EXPECT_EQ(CsvValueText(QVariant(0.1)), u"0.1"_s);
    EXPECT_EQ(CsvValueText(QVariant(7.25f)), u"7.25"_s);
    EXPECT_EQ(CsvValueText(QVariant(0.1f)), u"0.1"_s);
    EXPECT_EQ(CsvValueText(QVariant(qint64(-42))), u"-42"_s);
    EXPECT_EQ(CsvValueText(QVariant()), QString());
}

// Every amount comes back to the ten-thousandth through a file.
TEST(CsvValues, AmountsRoundTripExactly)
{
    const qint64 counts[] = {0, 1, -1, 9999, 409400, -123456789, 9223372036854775};
    QStringList texts;
    for (const qint64 count : counts)
        texts.append(CsvMoneyText(Money::fromTenThousandths(count)));
    const QList<QStringList> read = readBack(written({texts}));
    ASSERT_EQ(read.size(), 1);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const std::optional<Money> back = ParseCurrency(read[0][i], QLocale::c());
        ASSERT_TRUE(back.has_value()) << read[0][i].toStdString();
        EXPECT_EQ(back->tenThousandths(), counts[i]) << read[0][i].toStdString();
    }
}

} // namespace
