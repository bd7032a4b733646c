#include "platform/AppError.h"
#include "platform/Cp936.h"
#include "wheel/SortivoGS.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using quorbel::TGSList;
using quorbel::TSortivo_GS;
using Rows = QVector<QVector<qint32>>;

namespace {

// Writes the fixture in code page 936, as the program's files are.
TGSList load(const QString &text)
{
    TGSList list;
    quorbel::LoadGSFromBytes(quorbel::EncodeCp936(text), list);
    return list;
}

struct FormulaCase
{
    const char *name;
    QString file;
    QString formulaName;
    qint32 value1, betSize, value3, fullCount;
    Rows rows;
};

class LoadGSRules : public testing::TestWithParam<FormulaCase>
{
};

TEST_P(LoadGSRules, ReadsTheSingleFormula)
{
    const FormulaCase &c = GetParam();
    const TGSList list = load(c.file);
    ASSERT_EQ(list.size(), 1);
    const TSortivo_GS &f = list[0];
    EXPECT_EQ(f.Name, c.formulaName);
    EXPECT_EQ(f.Value1, c.value1);
    EXPECT_EQ(f.BetSize, c.betSize);
    EXPECT_EQ(f.Value3, c.value3);
    EXPECT_EQ(f.FullCount, c.fullCount);
    EXPECT_EQ(f.Rows, c.rows);
}

const QVector<qint32> R1234567{1, 2, 3, 4, 5, 6, 7};
const QVector<qint32> Zero7(7, 0);

INSTANTIATE_TEST_SUITE_P(
    Table, LoadGSRules,
    testing::Values(
        FormulaCase{"Example", QStringLiteral("[选9中7保6/0/7/0/2/36]\r\n1 2 3 4 5 6 7\r\n3 4 5 6 7 8 9\r\n"),
                    QStringLiteral("选9中7保6"), 0, 7, 0, 36, Rows{R1234567, {3, 4, 5, 6, 7, 8, 9}}},
        FormulaCase{"MixedLineEnds", QStringLiteral("[选9中7保6/1/7/2/2/36]\r1 2 3 4 5 6 7\n3 4 5 6 7 8 9\r\n"),
                    QStringLiteral("选9中7保6"), 1, 7, 2, 36, Rows{R1234567, {3, 4, 5, 6, 7, 8, 9}}},
        FormulaCase{"RowsBeforeFirstHeaderSkipped", QStringLiteral("9 9 9\r\n\r\n[A/0/3/0/1/5]\r\n1 2 3\r\n"),
                    QStringLiteral("A"), 0, 3, 0, 5, Rows{{1, 2, 3}}},
        FormulaCase{"EmptyLinesDoNotCount", QStringLiteral("[A/0/3/0/2/5]\r\n\r\n1 2 3\n\n\r\n4 5 6\r\n"),
                    QStringLiteral("A"), 0, 3, 0, 5, Rows{{1, 2, 3}, {4, 5, 6}}},
        FormulaCase{"BareNameHeader", QStringLiteral("[选9中7保6]\r\n1 2 3 4 5 6 7\r\n"), QStringLiteral("选9中7保6"),
                    0, 0, 0, 0, Rows{}},
        FormulaCase{"MissingBracketLosesLastCharacter", QStringLiteral("[A/0/7/0/2/36\r\n"), QStringLiteral("A"), 0, 7,
                    0, 3, Rows{Zero7, Zero7}},
        FormulaCase{"TrailingBlankMakesZero", QStringLiteral("[A/0/7 /0/1/36]\r\n1 2 3\r\n"), QStringLiteral("A"), 0,
                    0, 0, 36, Rows{{}}},
        FormulaCase{"LeadingBlanksInNumbers", QStringLiteral("[A/ 4/  3/ 2/ 1/ 9]\r\n1 2 3\r\n"), QStringLiteral("A"),
                    4, 3, 2, 9, Rows{{1, 2, 3}}},
        FormulaCase{"TextAfterSixthFieldIgnored", QStringLiteral("[A/0/1/0/1/9/extra/more]\r\n5\r\n"),
                    QStringLiteral("A"), 0, 1, 0, 9, Rows{{5}}},
        FormulaCase{"NameUntrimmed", QStringLiteral("[ A /0/1/0/0/0]\r\n"), QStringLiteral(" A "), 0, 1, 0, 0,
                    Rows{}},
        FormulaCase{"MoreFieldsThanBetSize", QStringLiteral("[A/0/3/0/1/0]\r\n1 2 3 4 5\r\n"), QStringLiteral("A"), 0,
                    3, 0, 0, Rows{{1, 2, 3}}},
        FormulaCase{"FewerFieldsFillZero", QStringLiteral("[A/0/4/0/1/0]\r\n1 2\r\n"), QStringLiteral("A"), 0, 4, 0,
                    0, Rows{{1, 2, 0, 0}}},
        FormulaCase{"LeadingBlankShiftsRow", QStringLiteral("[A/0/7/0/1/0]\r\n 1 2 3 4 5 6 7\r\n"),
                    QStringLiteral("A"), 0, 7, 0, 0, Rows{{0, 1, 2, 3, 4, 5, 6}}},
        FormulaCase{"DoubleBlankGivesZero", QStringLiteral("[A/0/7/0/1/0]\r\n1  2 3 4 5 6 7\r\n"), QStringLiteral("A"),
                    0, 7, 0, 0, Rows{{1, 0, 2, 3, 4, 5, 6}}},
        FormulaCase{"FewerRowLinesLeaveZeroRows", QStringLiteral("[A/0/7/0/3/0]\r\n1 2 3 4 5 6 7\r\n"),
                    QStringLiteral("A"), 0, 7, 0, 0, Rows{R1234567, Zero7, Zero7}},
        FormulaCase{"SurplusRowLinesSkipped", QStringLiteral("[A/0/7/0/1/0]\r\n1 2 3 4 5 6 7\r\n7 6 5 4 3 2 1\r\n"),
                    QStringLiteral("A"), 0, 7, 0, 0, Rows{R1234567}},
        FormulaCase{"ZeroBetSizeAdvancesRows", QStringLiteral("[A/0/0/0/2/0]\r\n1 2\r\n3 4\r\n"), QStringLiteral("A"), 0,
                    0, 0, 0, Rows{{}, {}}},
        FormulaCase{"NegativeBetSizeWithoutRows", QStringLiteral("[A/0/-3/0/0/0]\r\n1 2\r\n"), QStringLiteral("A"), 0,
                    -3, 0, 0, Rows{}},
        FormulaCase{"NonNumericFieldsReadZero", QStringLiteral("[A/x/7/y/1/z]\r\nq 2 w 4 5 6 7\r\n"), QStringLiteral("A"),
                    0, 7, 0, 0, Rows{{0, 2, 0, 4, 5, 6, 7}}},
        FormulaCase{"NulEndsFile", QString::fromUtf8("[A/0/1/0/2/0]\r\n5\r\n", 17) + QChar(0) + QStringLiteral("6\r\n"),
                    QStringLiteral("A"), 0, 1, 0, 0, Rows{{5}, {0}}}),
    [](const testing::TestParamInfo<FormulaCase> &info) { return std::string(info.param.name); });

TEST(LoadGS, EmptyFileGivesEmptyTable)
{
    const TGSList list = load(QString());
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(quorbel::FindGS(list, QStringLiteral("选9中7保6")), -1);
}

TEST(LoadGS, KeepsFileOrderAndAppends)
{
    TGSList list = load(QStringLiteral("[B/0/1/0/1/0]\r\n1\r\n[A/0/1/0/1/0]\r\n2\r\n"));
    quorbel::LoadGSFromBytes(quorbel::EncodeCp936(QStringLiteral("[C/0/1/0/0/0]\r\n")), list);
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0].Name, "B");
    EXPECT_EQ(list[1].Name, "A");
    EXPECT_EQ(list[1].Rows, (Rows{{2}}));
    EXPECT_EQ(list[2].Name, "C");
}

struct BadHeaderCase
{
    const char *name;
    const char *header;
    const char *messageStart;
};

class LoadGSBadHeaders : public testing::TestWithParam<BadHeaderCase>
{
};

TEST_P(LoadGSBadHeaders, StopWithRangeErrorKeepingEarlierFormulas)
{
    const QString text = QStringLiteral("[Good/0/2/0/1/1]\r\n1 2\r\n") + QString::fromUtf8(GetParam().header) +
                         QStringLiteral("\r\n1 2\r\n[Later/0/2/0/1/1]\r\n3 4\r\n");
    TGSList list;
    try {
        quorbel::LoadGSFromBytes(quorbel::EncodeCp936(text), list);
        FAIL() << "no error raised";
    } catch (const quorbel::AppError &error) {
        EXPECT_TRUE(error.message().startsWith(QString::fromUtf8(GetParam().messageStart))) << qPrintable(error.message());
    }
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].Name, "Good");
    EXPECT_EQ(list[0].Rows, (Rows{{1, 2}}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoadGSBadHeaders,
    testing::Values(BadHeaderCase{"NegativeRowCount", "[Bad/0/7/0/-1/0]", "Range check error"},
                    BadHeaderCase{"NegativeBetSizeWithRows", "[Bad/0/-7/0/2/0]", "Range check error"},
                    BadHeaderCase{"HugeRowCount", "[Bad/0/7/0/2147483647/0]", "Range check error: the formula \"Bad\" declares 2147483647 rows"},
                    BadHeaderCase{"RowCountJustOverLimit", "[Bad/0/0/0/1000000/0]", "Range check error: the formula \"Bad\" declares 1000000 rows"},
                    BadHeaderCase{"EntriesOverLimit", "[Bad/0/40/0/200000/0]", "Range check error: the formula \"Bad\" declares 200000 rows"},
                    BadHeaderCase{"HugeBetSize", "[Bad/0/2147483647/0/1/0]", "Range check error: the formula \"Bad\" declares 2147483647 numbers"},
                    BadHeaderCase{"BetSizeOverBoard", "[Bad/0/41/0/1/0]", "Range check error: the formula \"Bad\" declares 41 numbers"}),
    [](const testing::TestParamInfo<BadHeaderCase> &info) { return std::string(info.param.name); });

TEST(LoadGS, AcceptsLimitsExactly)
{
    const TGSList list = load(QStringLiteral("[Max/0/40/0/3/0]\r\n[Many/0/0/0/999997/0]\r\n[Wide/0/2147483647/0/0/0]\r\n1\r\n\r\n"));
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0].Rows.size(), 3);
    EXPECT_EQ(list[0].Rows[0].size(), 40);
    EXPECT_EQ(list[1].Rows.size(), 999997);
    EXPECT_EQ(list[2].BetSize, 2147483647); // no rows: the bet size is never used
    EXPECT_TRUE(list[2].Rows.isEmpty());
}

TEST(LoadGS, ManyLargeFormulasStopAtTheTableLimit)
{
    // Each header alone is acceptable; together they would take gigabytes.
    QString text;
    for (int i = 0; i < 50; ++i)
        text += QStringLiteral("[F%1/0/40/0/100000/0]\r\n").arg(i);
    TGSList list;
    EXPECT_THROW(quorbel::LoadGSFromBytes(quorbel::EncodeCp936(text), list), quorbel::AppError);
    EXPECT_EQ(list.size(), 2); // 2 x 100000 x 40 entries fill the table
}

TEST(LoadGS, MissingFileRaisesOpenErrorAndAddsNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("GS.spt"));
    TGSList list;
    try {
        quorbel::LoadGS(path, list);
        FAIL() << "no error raised";
    } catch (const quorbel::AppError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(path));
    }
    EXPECT_TRUE(list.isEmpty());
}

TEST(LoadGS, ReadsGbkFileFromDisk)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("GS.spt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[\xd1\xa1\x31\x30\xd6\xd0\x37\xb1\xa3\x35/0/7/0/1/120]\r\n1 2 3 4 5 6 7\r\n");
    file.close();
    TGSList list;
    quorbel::LoadGS(file.fileName(), list);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].Name, QStringLiteral("选10中7保5"));
    EXPECT_EQ(list[0].FullCount, 120);
}

TEST(FindGS, MatchesExactlyAndReturnsTheFirst)
{
    const TGSList list = load(QStringLiteral("[选9中7保6/0/1/0/0/1]\r\n[选9中7保5/0/1/0/0/2]\r\n[选9中7保6/0/1/0/0/3]\r\n"));
    EXPECT_EQ(quorbel::FindGS(list, QStringLiteral("选9中7保6")), 0);
    EXPECT_EQ(quorbel::FindGS(list, QStringLiteral("选9中7保5")), 1);
    for (const QString &miss : {QStringLiteral("选09中7保6"), QStringLiteral("选9中7保6 "), QStringLiteral(" 选9中7保6"),
                                QStringLiteral("选9中7保"), QString()})
        EXPECT_EQ(quorbel::FindGS(list, miss), -1) << qPrintable(miss);
    EXPECT_EQ(quorbel::FindGS(TGSList{}, QString()), -1);
}

TEST(CutToken, CutsAtFirstDelimiter)
{
    struct Case
    {
        QString rest;
        QString head, restAfter;
    };
    const Case cases[] = {{"a/b/c", "a", "b/c"}, {"/b", "", "b"}, {"abc", "abc", ""}, {"", "", ""}, {"a/", "a", ""}};
    for (const Case &c : cases) {
        QString rest = c.rest, head = "junk";
        quorbel::CutToken(rest, QLatin1Char('/'), head);
        EXPECT_EQ(head, c.head) << qPrintable(c.rest);
        EXPECT_EQ(rest, c.restAfter) << qPrintable(c.rest);
    }
}

} // namespace
