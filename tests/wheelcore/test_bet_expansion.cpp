#include "platform/AppError.h"
#include "wheel/BetExpansion.h"

#include <gtest/gtest.h>

using namespace quorbel;

namespace {

TSortivo_GS formula(const QString &name, const QVector<QVector<qint32>> &rows)
{
    TSortivo_GS gs;
    gs.Name = name;
    gs.BetSize = rows.isEmpty() ? 0 : qint32(rows.first().size());
    gs.Rows = rows;
    return gs;
}

const QVector<qint32> WorkedSelection{12, 3, 25, 7, 30, 18, 9, 21, 14};

} // namespace

TEST(GenerateBetLines, WorkedExampleGivesItsTwoLines)
{
    const TSortivo_GS gs = formula(QStringLiteral("选9中7保6"), {{1, 2, 3, 4, 5, 6, 7}, {3, 4, 5, 6, 7, 8, 9}});
    EXPECT_EQ(GenerateBetLines(gs, WorkedSelection),
              (QStringList{QStringLiteral(" 03  07  09  12  18  25  30 "), QStringLiteral(" 07  09  14  18  21  25  30 ")}));
}

TEST(GenerateBetLines, PositionsFollowTheMarkingOrderNotTheNumbers)
{
    const TSortivo_GS gs = formula(QStringLiteral("选9中7保6"), {{1, 2, 3, 4, 5, 6, 7}});
    const QVector<qint32> reordered{14, 21, 9, 18, 30, 7, 25, 3, 12};
    EXPECT_EQ(GenerateBetLines(gs, reordered), QStringList{QStringLiteral(" 07  09  14  18  21  25  30 ")});
}

TEST(GenerateBetLines, FormulaWithoutRowsGivesNoLines)
{
    EXPECT_TRUE(GenerateBetLines(formula(QStringLiteral("选9中7保6"), {}), WorkedSelection).isEmpty());
}

TEST(ExpandFormula, EntryKTakesTheNumberAtPositionK)
{
    const TSortivo_GS gs = formula(QStringLiteral("x"), {{9, 1, 5}, {2, 2, 8}});
    EXPECT_EQ(ExpandFormula(gs, WorkedSelection), (QVector<TBet>{{14, 12, 30}, {3, 3, 21}}));
}

TEST(ExchangeSort, SortsAscending)
{
    const struct
    {
        TBet input;
        TBet sorted;
    } table[] = {
        {{}, {}},
        {{4}, {4}},
        {{30, 18, 9, 12, 3, 25, 7}, {3, 7, 9, 12, 18, 25, 30}},
        {{1, 2, 3}, {1, 2, 3}},
        {{5, 5, 1, 5}, {1, 5, 5, 5}},
        {{40, 39, 38, 37, 36, 35, 34}, {34, 35, 36, 37, 38, 39, 40}},
    };
    for (const auto &row : table) {
        TBet bet = row.input;
        ExchangeSort(bet);
        EXPECT_EQ(bet, row.sorted);
    }
}

TEST(FormatBetLine, BlankNumberBlankForEachEntry)
{
    const QString line = FormatBetLine({3, 7, 9, 12, 18, 25, 30});
    EXPECT_EQ(line, QStringLiteral(" 03  07  09  12  18  25  30 "));
    EXPECT_EQ(line.size(), 28);
    EXPECT_EQ(FormatBetLine({}), QString());
}

TEST(PositionCheck, PositionsOutsideTheSelectionRefuseTheFormula)
{
    // n = 9 selected numbers; each formula has exactly one bad entry.
    const struct
    {
        QVector<QVector<qint32>> rows;
        int row, entry;
        qint32 position;
    } table[] = {
        {{{1, 2, 3, 4, 5, 6, 0}}, 1, 7, 0},          // a short row line leaves 0
        {{{1, 2, 3}, {4, -1, 6}}, 2, 2, -1},          // negative
        {{{1, 2, 3}, {4, 5, 6}, {7, 8, 10}}, 3, 3, 10}, // above the selection count
        {{{2147483647, 1, 2}}, 1, 1, 2147483647},
    };
    for (const auto &c : table) {
        const TSortivo_GS gs = formula(QStringLiteral("选9中7保6"), c.rows);
        const auto fault = FindPositionFault(gs, 9);
        ASSERT_TRUE(fault.has_value());
        EXPECT_EQ(fault->Row, c.row);
        EXPECT_EQ(fault->Entry, c.entry);
        EXPECT_EQ(fault->Position, c.position);
        try {
            GenerateBetLines(gs, WorkedSelection);
            ADD_FAILURE() << "formula accepted";
        } catch (const AppError &error) {
            EXPECT_EQ(error.message(), PositionFaultText(gs.Name, *fault, 9));
        }
    }
}

TEST(PositionCheck, WarningNamesFormulaRowEntryAndRange)
{
    EXPECT_EQ(PositionFaultText(QStringLiteral("选10中7保5"), PositionFault{3, 7, 0}, 10),
              QStringLiteral("计算公式“选10中7保5”有误：第 3 行第 7 个位置为 0，不在 1 到 10 之间，无法生成投注组合"));
}

TEST(PositionCheck, EveryPositionFromOneToNIsAccepted)
{
    const TSortivo_GS gs = formula(QStringLiteral("x"), {{1, 9}, {9, 1}});
    EXPECT_FALSE(FindPositionFault(gs, 9).has_value());
    EXPECT_TRUE(FindPositionFault(gs, 8).has_value());
}
