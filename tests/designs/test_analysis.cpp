#include "platform/AppError.h"
#include "wheel/design/MatchAnalysis.h"

#include <gtest/gtest.h>

using namespace quorbel;

namespace {

TSortivo_GS OneRow(const QString &name)
{
    TSortivo_GS formula;
    formula.Name = name;
    formula.BetSize = 7;
    formula.Rows = {{1, 2, 3, 4, 5, 6, 7}};
    return formula;
}

} // namespace

TEST(AnalyseFormula, OneRowInNineCountedByHand)
{
    // Of the 36 draws among 9 numbers, the row itself matches 7; the 7 * 2 draws that swap
    // one of its numbers for 8 or 9 match 6; the C(7,5) = 21 that swap two match 5.
    const MatchProfile profile = AnalyseFormula(OneRow(QStringLiteral("选9中7保5")));
    EXPECT_EQ(profile.draws, 36);
    EXPECT_EQ(profile.rows, 1);
    EXPECT_EQ(profile.drawsWithBest, (std::vector<std::int64_t>{0, 0, 0, 0, 0, 21, 14, 1}));

    const QString table = FormatProfile(profile);
    EXPECT_TRUE(table.contains(QStringLiteral("         7        1    2.78%     2.78%")));
    EXPECT_TRUE(table.contains(QStringLiteral("         6       14   38.89%    41.67%")));
    EXPECT_TRUE(table.contains(QStringLiteral("         5       21   58.33%   100.00%")));
    EXPECT_FALSE(table.contains(QStringLiteral("         4 ")));
}

TEST(AnalyseFormula, TwoRowsTakeTheBestMatch)
{
    // Among 8 numbers: rows 1..7 and 2..8. The draws 1..7 and 2..8 match 7; the other six
    // draws leave out one of 2..7 and match 6 with both rows.
    TSortivo_GS formula = OneRow(QStringLiteral("选8中7保6"));
    formula.Rows.append({2, 3, 4, 5, 6, 7, 8});
    const MatchProfile profile = AnalyseFormula(formula);
    EXPECT_EQ(profile.draws, 8);
    EXPECT_EQ(profile.drawsWithBest[7], 2);
    EXPECT_EQ(profile.drawsWithBest[6], 6);
}

TEST(AnalyseFormula, RefusesWhatItCannotCount)
{
    EXPECT_THROW(AnalyseFormula(OneRow(QStringLiteral("wheel"))), AppError);
    TSortivo_GS outside = OneRow(QStringLiteral("选9中7保6"));
    outside.Rows[0][3] = 10;
    EXPECT_THROW(AnalyseFormula(outside), AppError);
    TSortivo_GS twice = OneRow(QStringLiteral("选9中7保6"));
    twice.Rows[0][3] = 1;
    EXPECT_THROW(AnalyseFormula(twice), AppError);
}
