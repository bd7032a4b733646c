#include "ads/ADListFile.h"

#include "platform/AppError.h"
#include "platform/Cp936.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorbel;

namespace {

const QLocale C = QLocale::c();

QStringList Lines(std::initializer_list<const char *> lines)
{
    QStringList result;
    for (const char *line : lines)
        result << QString::fromUtf8(line);
    return result;
}

TADRec Rec(qint32 kind, const char *caption, const char *picFile, const char *picURL, const char *hint,
           const char *target)
{
    return TADRec{kind, QString::fromUtf8(caption), QString::fromUtf8(picFile), QString::fromUtf8(picURL),
                  QString::fromUtf8(hint), QString::fromUtf8(target)};
}

void ExpectEntries(const TADList &actual, const std::vector<TADRec> &expected)
{
    ASSERT_EQ(actual.size(), qsizetype(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[qsizetype(i)].Kind, expected[i].Kind);
        EXPECT_EQ(actual[qsizetype(i)].Caption, expected[i].Caption);
        EXPECT_EQ(actual[qsizetype(i)].PicFile, expected[i].PicFile);
        EXPECT_EQ(actual[qsizetype(i)].PicURL, expected[i].PicURL);
        EXPECT_EQ(actual[qsizetype(i)].Hint, expected[i].Hint);
        EXPECT_EQ(actual[qsizetype(i)].Target, expected[i].Target);
    }
}

} // namespace

// --- Entry blocks ---------------------------------------------------------------

struct EntriesCase
{
    const char *name;
    QStringList lines;
    std::vector<TADRec> expected;
};

void PrintTo(const EntriesCase &c, std::ostream *out)
{
    *out << c.name;
}

class ADEntries : public testing::TestWithParam<EntriesCase>
{
};

TEST_P(ADEntries, ReadsBlocksByPosition)
{
    ExpectEntries(ParseADEntries(GetParam().lines), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ADEntries,
    testing::Values(
        EntriesCase{"Empty", {}, {}},
        EntriesCase{"HeaderOnly", Lines({"17|7|"}), {}},
        EntriesCase{"OneTextEntry", Lines({"17|7|x", "*", "1", "看广告", "提示", "http://a.example/"}),
                    {Rec(1, "看广告", "", "", "提示", "http://a.example/")}},
        EntriesCase{"StarAsFirstLineIsTheHeader", Lines({"*", "1", "cap", "*", "3", "home", "h", "t"}),
                    {Rec(3, "home", "", "", "h", "t")}},
        EntriesCase{"LinesBeforeFirstStarIgnored", Lines({"h|7|", "a", "b", "c", "*", "1", "cap"}),
                    {Rec(1, "cap", "", "", "", "")}},
        EntriesCase{"StarAsLastLineAddsEmptyEntry", Lines({"h|7|", "*", "1", "cap", "*"}),
                    {Rec(1, "cap", "", "", "", ""), Rec(0, "", "", "", "", "")}},
        EntriesCase{"FifthAndSixthLinesIgnored",
                    Lines({"h|7|", "*", "1", "c", "h", "t", "x5", "x6", "*", "3", "c2"}),
                    {Rec(1, "c", "", "", "h", "t"), Rec(3, "c2", "", "", "", "")}},
        EntriesCase{"PaddedStarIsAFieldLine", Lines({"h|7|", "*", "1", " *", "* ", "t"}),
                    {Rec(1, " *", "", "", "* ", "t")}},
        EntriesCase{"PictureSplitsAtFirstBar", Lines({"h|7|", "*", "2", "a.gif|b|c", "hint", "target"}),
                    {Rec(2, "", "a.gif", "b|c", "hint", "target")}},
        EntriesCase{"TextKeepsBars", Lines({"h|7|", "*", "1", "a.gif|b|c"}), {Rec(1, "a.gif|b|c", "", "", "", "")}},
        EntriesCase{"PictureWithoutBarFillsNeither", Lines({"h|7|", "*", "2", "a.gif", "hint"}),
                    {Rec(2, "", "", "", "hint", "")}},
        EntriesCase{"KindTwoWithTwoLinesFillsHintOnly", Lines({"h|7|", "*", "2", "a.gif|http://x/a.gif", "hint"}),
                    {Rec(2, "", "a.gif", "http://x/a.gif", "hint", "")}},
        EntriesCase{"KindNotAnInteger", Lines({"h|7|", "*", "1 ", "cap", "hint"}), {Rec(0, "", "", "", "hint", "")}},
        EntriesCase{"OtherKindIgnoresSecondLine", Lines({"h|7|", "*", "5", "cap", "hint", "t"}),
                    {Rec(5, "", "", "", "hint", "t")}},
        EntriesCase{"NothingIsTrimmed", Lines({"h|7|", "*", "3", " cap ", " hint", "t "}),
                    {Rec(3, " cap ", "", "", " hint", "t ")}}),
    [](const testing::TestParamInfo<EntriesCase> &info) { return std::string(info.param.name); });

// --- Header ---------------------------------------------------------------------

struct HeaderCase
{
    const char *name;
    const char *line;
    const char *version;
    qint32 interval;
    bool timeRead;
};

void PrintTo(const HeaderCase &c, std::ostream *out)
{
    *out << c.name;
}

class ADHeader : public testing::TestWithParam<HeaderCase>
{
};

TEST_P(ADHeader, ReadsFields)
{
    const TADHeader header = ParseADHeader(QString::fromUtf8(GetParam().line), C);
    EXPECT_EQ(header.Version, QString::fromUtf8(GetParam().version));
    EXPECT_EQ(header.Interval, GetParam().interval);
    EXPECT_EQ(header.DownloadTime.isValid(), GetParam().timeRead);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ADHeader,
    testing::Values(HeaderCase{"Empty", "", "", 7, false}, HeaderCase{"NoBar", "17", "", 7, false},
                    HeaderCase{"OneBar", "17|3", "17", 7, false}, HeaderCase{"OneBarAtEnd", "17|", "17", 7, false},
                    HeaderCase{"Full", "17|3|5 Mar 2024 15:04:07", "17", 3, true},
                    HeaderCase{"DateOnly", "17|3|5 Mar 2024", "17", 3, true},
                    HeaderCase{"IntervalNotInteger", "17|x|5 Mar 2024 15:04:07", "17", 7, true},
                    HeaderCase{"IntervalZero", "17|0|5 Mar 2024", "17", 0, true},
                    HeaderCase{"IntervalNegative", "17|-2|5 Mar 2024", "17", -2, true},
                    HeaderCase{"EmptyVersion", "|7|5 Mar 2024 15:04:07", "", 7, true},
                    HeaderCase{"TimeUnreadable", "17|7|soon", "17", 7, false},
                    HeaderCase{"FourthField", "17|7|x|5 Mar 2024 15:04:07", "17", 7, false},
                    HeaderCase{"VersionUntrimmed", " 17 |7|", " 17 ", 7, false}),
    [](const testing::TestParamInfo<HeaderCase> &info) { return std::string(info.param.name); });

TEST(ADHeaderFile, MissingOrEmptyFileGivesDefaults)
{
    QTemporaryDir dir;
    const TADHeader missing = ReadADHeader(dir.filePath(QStringLiteral("Ad.his")), C);
    EXPECT_EQ(missing.Version, QString());
    EXPECT_EQ(missing.Interval, 7);
    EXPECT_FALSE(missing.DownloadTime.isValid());

    QFile empty(dir.filePath(QStringLiteral("empty.his")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_EQ(ReadADHeader(empty.fileName(), C).Version, QString());
}

TEST(ADHeaderFile, ReadsFirstLineOfFile)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("Ad.his")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("17|2|5 Mar 2024 15:04:07\r\n*\r\n1\r\n");
    file.close();
    const TADHeader header = ReadADHeader(file.fileName(), C);
    EXPECT_EQ(header.Version, QStringLiteral("17"));
    EXPECT_EQ(header.Interval, 2);
    EXPECT_EQ(header.DownloadTime, QDateTime(QDate(2024, 3, 5), QTime(15, 4, 7)));
}

TEST(ADHeaderFile, UnreadableFileRaises)
{
    QTemporaryDir dir;
    // A folder where the cache should be: it exists but cannot be read as a file.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Ad.his")));
    EXPECT_THROW(ReadADHeader(dir.filePath(QStringLiteral("Ad.his")), C), AppError);
}

// --- Served list ------------------------------------------------------------------

struct ValidityCase
{
    const char *name;
    QStringList lines;
    bool valid;
};

void PrintTo(const ValidityCase &c, std::ostream *out)
{
    *out << c.name;
}

class ADServedList : public testing::TestWithParam<ValidityCase>
{
};

TEST_P(ADServedList, Validity)
{
    EXPECT_EQ(IsValidServedList(GetParam().lines), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ADServedList,
    testing::Values(ValidityCase{"Example", Lines({"17|7", "*", "1", "cap", "hint", "http://a/", "$"}), true},
                    ValidityCase{"HeaderAndEnd", Lines({"17|7|", "$"}), true},
                    ValidityCase{"EmptyVersionStillValid", Lines({"|7", "$"}), true},
                    ValidityCase{"NoLines", {}, false},
                    ValidityCase{"OnlyEnd", Lines({"$"}), false},
                    ValidityCase{"NoEnd", Lines({"17|7", "*", "1"}), false},
                    ValidityCase{"EndWithBlank", Lines({"17|7", "$ "}), false},
                    ValidityCase{"EmptyLineAfterEnd", Lines({"17|7", "$", ""}), false},
                    ValidityCase{"NoBarInHeader", Lines({"17", "*", "$"}), false}),
    [](const testing::TestParamInfo<ValidityCase> &info) { return std::string(info.param.name); });

TEST(ADServedList, EmptyLineAfterEndSurvivesLineSplitting)
{
    // "$" CR LF CR LF: the second line end makes an empty last line.
    EXPECT_FALSE(IsValidServedList(SplitTextLines("17|7\r\n$\r\n\r\n")));
    EXPECT_TRUE(IsValidServedList(SplitTextLines("17|7\r\n$\r\n")));
    EXPECT_TRUE(IsValidServedList(SplitTextLines("17|7\n$")));
    // A NUL ends the text.
    EXPECT_TRUE(IsValidServedList(SplitTextLines(QByteArray("17|7\r$\0trailing", 14))));
}

TEST(ADServedList, VersionIsTextBeforeFirstBar)
{
    EXPECT_EQ(ServedListVersion(Lines({"17|7|x", "$"})), QStringLiteral("17"));
    EXPECT_EQ(ServedListVersion(Lines({"|7", "$"})), QString());
}

struct CacheCase
{
    const char *name;
    const char *servedHeader;
    const char *cacheHeader;
};

void PrintTo(const CacheCase &c, std::ostream *out)
{
    *out << c.name;
}

class ADCacheForm : public testing::TestWithParam<CacheCase>
{
};

TEST_P(ADCacheForm, DropsEndAndStampsHeader)
{
    const QDateTime now(QDate(2024, 3, 5), QTime(15, 4, 7));
    const QStringList served = {QString::fromUtf8(GetParam().servedHeader), QStringLiteral("*"),
                                QStringLiteral("1"), QStringLiteral("cap"), QStringLiteral("$")};
    const QStringList cache = ServedListToCache(served, now, C);
    EXPECT_EQ(cache, (QStringList{QString::fromUtf8(GetParam().cacheHeader), QStringLiteral("*"), QStringLiteral("1"),
                                  QStringLiteral("cap")}));
}

INSTANTIATE_TEST_SUITE_P(Cases, ADCacheForm,
                         testing::Values(CacheCase{"OpenHeader", "17|7", "17|7|5 Mar 2024 15:04:07"},
                                         CacheCase{"ClosedHeader", "17|7|", "17|7|5 Mar 2024 15:04:07"},
                                         CacheCase{"MoreFields", "17|7|x", "17|7|x|5 Mar 2024 15:04:07"},
                                         CacheCase{"VersionOnly", "17|", "17|5 Mar 2024 15:04:07"}),
                         [](const testing::TestParamInfo<CacheCase> &info) { return std::string(info.param.name); });

TEST(ADCacheForm, ExampleReadsBackAsOneEntryWithWeeklyRefresh)
{
    const QStringList served = Lines({"17|7", "*", "1", "广告", "提示", "http://a.example/", "$"});
    const QDateTime now(QDate(2024, 3, 5), QTime(15, 4, 7));
    const QByteArray bytes = EncodeTextLines(ServedListToCache(served, now, C));

    const QStringList lines = SplitTextLines(bytes);
    ASSERT_EQ(lines.size(), 6);
    const TADHeader header = ParseADHeader(lines.first(), C);
    EXPECT_EQ(header.Version, QStringLiteral("17"));
    EXPECT_EQ(header.Interval, 7);
    EXPECT_EQ(header.DownloadTime, now);
    ExpectEntries(ParseADEntries(lines), {Rec(1, "广告", "", "", "提示", "http://a.example/")});
}

TEST(ADCacheForm, MoreFieldsReadBackWithUnreadableTime)
{
    const QStringList cache = ServedListToCache(Lines({"17|7|x", "$"}), QDateTime::currentDateTime(), C);
    const TADHeader header = ParseADHeader(cache.first(), C);
    EXPECT_EQ(header.Interval, 7);
    EXPECT_FALSE(header.DownloadTime.isValid());
}

TEST(ADCacheForm, WritesCp936WithCrLfAfterEveryLine)
{
    const QByteArray bytes = EncodeTextLines({QStringLiteral("17|7|"), QStringLiteral("广告")});
    EXPECT_EQ(bytes, QByteArray("17|7|\r\n") + EncodeCp936(QStringLiteral("广告")) + QByteArray("\r\n"));
    EXPECT_EQ(EncodeCp936(QStringLiteral("广告")), QByteArray("\xB9\xE3\xB8\xE6"));
}
