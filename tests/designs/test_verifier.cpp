#include "platform/Cp936.h"
#include "wheel/SortivoGS.h"
#include "wheel/design/DesignVerifier.h"
#include "wheel/design/WheelFileWriter.h"

#include <gtest/gtest.h>

using namespace quorbel;

namespace {

// 选9中7保6 in 4 rows: each row leaves out one pair of a matching of 1..8, so every
// draw (which leaves out two positions) shares six positions with some row.
TSortivo_GS GoodNine()
{
    TSortivo_GS formula;
    formula.Name = QStringLiteral("选9中7保6");
    formula.BetSize = 7;
    formula.FullCount = 36;
    formula.Rows = {{3, 4, 5, 6, 7, 8, 9}, {1, 2, 5, 6, 7, 8, 9}, {1, 2, 3, 4, 7, 8, 9}, {1, 2, 3, 4, 5, 6, 9}};
    return formula;
}

VerifyOptions Loose()
{
    VerifyOptions options;
    options.requireShipped = false;
    return options;
}

QByteArray Text(const char *utf8)
{
    return EncodeCp936(QString::fromUtf8(utf8));
}

} // namespace

TEST(VerifyFormula, ProvesAKnownGoodDesign)
{
    const FormulaReport report = VerifyFormula(GoodNine(), 4, Loose());
    EXPECT_TRUE(report.checked);
    EXPECT_TRUE(report.passed()) << report.problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(report.draws, 36);
    EXPECT_EQ(report.uncovered, 0);
    EXPECT_EQ(report.lowerBound, 4);
    EXPECT_EQ(report.target, 4);
}

TEST(VerifyFormula, FindsTheHoleOfADesignMissingARow)
{
    // Without the row that leaves out 7 and 8, the draws that leave out two of 7, 8, 9
    // meet every row in five positions only.
    TSortivo_GS formula = GoodNine();
    formula.Rows.removeLast();
    const FormulaReport report = VerifyFormula(formula, 3, Loose());
    EXPECT_FALSE(report.passed());
    EXPECT_EQ(report.uncovered, 3);
    ASSERT_EQ(report.uncoveredExamples.size(), 3u);
    EXPECT_EQ(report.uncoveredExamples[0], (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(report.uncoveredExamples[1], (std::vector<int>{1, 2, 3, 4, 5, 6, 8}));
    EXPECT_EQ(report.uncoveredExamples[2], (std::vector<int>{1, 2, 3, 4, 5, 6, 9}));
    ASSERT_EQ(report.problems.size(), 1);
    EXPECT_TRUE(report.problems[0].contains(QStringLiteral("{1 2 3 4 5 6 7}")));
}

TEST(VerifyFormula, ReportsEveryBrokenHeaderAndRow)
{
    struct Case
    {
        const char *what;
        void (*damage)(TSortivo_GS &);
        int rowLines;
        const char *expected;
    };
    const Case cases[] = {
        {"bet size", [](TSortivo_GS &f) { f.BetSize = 6; }, 4, "BetSize 6, expected 7"},
        {"full count", [](TSortivo_GS &f) { f.FullCount = 35; }, 4, "FullCount 35, expected C(9,7) = 36"},
        {"row count", [](TSortivo_GS &) {}, 5, "header counts 4 rows, the file holds 5 row lines"},
        {"zero position", [](TSortivo_GS &f) { f.Rows[1][0] = 0; }, 4, "row 2: position 0 outside 1..9"},
        {"position above n", [](TSortivo_GS &f) { f.Rows[0][6] = 10; }, 4, "row 1: position 10 outside 1..9"},
        {"repeated position", [](TSortivo_GS &f) { f.Rows[3][1] = 1; }, 4, "row 4: position 1 twice"},
        {"short row", [](TSortivo_GS &f) { f.Rows[2].removeLast(); }, 4, "row 3: 6 entries instead of 7"},
    };
    for (const Case &c : cases) {
        TSortivo_GS formula = GoodNine();
        c.damage(formula);
        const FormulaReport report = VerifyFormula(formula, c.rowLines, Loose());
        EXPECT_FALSE(report.passed()) << c.what;
        EXPECT_TRUE(report.problems.join(QLatin1Char('|')).contains(QString::fromUtf8(c.expected)))
            << c.what << ": " << report.problems.join(QLatin1Char('|')).toStdString();
    }
}

TEST(VerifyFormula, GoalAndNames)
{
    // Five rows for a goal of four: correct, but above the goal; a note unless goals are enforced.
    TSortivo_GS formula = GoodNine();
    formula.Rows.append({1, 2, 3, 4, 5, 6, 7});
    const FormulaReport noted = VerifyFormula(formula, 5, Loose());
    EXPECT_TRUE(noted.passed());
    EXPECT_EQ(noted.notes, QStringList{QStringLiteral("5 rows, above the goal of 4")});
    VerifyOptions goals = Loose();
    goals.enforceTargets = true;
    EXPECT_FALSE(VerifyFormula(formula, 5, goals).passed());

    // A name the program never looks up is skipped, not failed.
    formula.Name = QStringLiteral("选09中7保6");
    const FormulaReport skipped = VerifyFormula(formula, 5, Loose());
    EXPECT_FALSE(skipped.checked);
    EXPECT_TRUE(skipped.passed());

    // A formula name with draws of another size cannot keep the promise it states.
    formula.Name = QStringLiteral("选9中6保5");
    EXPECT_FALSE(VerifyFormula(formula, 5, Loose()).passed());
}

TEST(VerifyWheelFile, ReadsWithTheProgramsReaderAndCountsRowLines)
{
    const QByteArray bytes = FormatWheelFile({GoodNine()});
    EXPECT_TRUE(bytes.contains("\r\n"));
    const FileReport report = VerifyWheelFile(bytes, Loose());
    ASSERT_EQ(report.formulas.size(), 1);
    EXPECT_TRUE(report.passed());

    // One surplus row line: the reader ignores it, the count does not.
    const FileReport surplus = VerifyWheelFile(bytes + "1 2 3 4 5 6 7\r\n", Loose());
    EXPECT_FALSE(surplus.passed());
    EXPECT_EQ(CountRowLines(bytes + "\r\n\r\n1 2 3 4 5 6 7\r\n"), QVector<int>{5});
}

TEST(VerifyWheelFile, DuplicateAndMissingFormulas)
{
    const QByteArray bytes = FormatWheelFile({GoodNine(), GoodNine()});
    const FileReport report = VerifyWheelFile(bytes, Loose());
    ASSERT_EQ(report.formulas.size(), 2);
    EXPECT_TRUE(report.formulas[0].passed());
    EXPECT_FALSE(report.formulas[1].passed());

    VerifyOptions strict;
    const FileReport shipped = VerifyWheelFile(FormatWheelFile({GoodNine()}), strict);
    EXPECT_FALSE(shipped.passed());
    EXPECT_EQ(shipped.problems.size(), 15); // every shipped formula but 选9中7保6
    EXPECT_TRUE(shipped.problems.contains(QStringLiteral("missing formula 选16中7保5")));
}

TEST(VerifyWheelFile, HeaderWrittenByHandMatchesTheWriter)
{
    const QByteArray byHand = Text("[选9中7保6/0/7/0/4/36]\r\n"
                                   "3 4 5 6 7 8 9\r\n1 2 5 6 7 8 9\r\n1 2 3 4 7 8 9\r\n1 2 3 4 5 6 9\r\n");
    EXPECT_EQ(FormatWheelFile({GoodNine()}), byHand);
    const QString table = FormatReport(VerifyWheelFile(byHand, Loose()));
    EXPECT_TRUE(table.contains(QStringLiteral("选9中7保6")));
    EXPECT_TRUE(table.contains(QStringLiteral("yes")));
}
