#include "wheel/Selection.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quorbel;

TEST(FormatNumber, AtLeastTwoDigitsOfTheAbsoluteValue)
{
    const struct
    {
        qint32 number;
        const char *text;
    } cases[] = {
        {5, "05"}, {0, "00"}, {12, "12"}, {40, "40"}, {-7, "07"}, {-12, "12"}, {100, "100"},
        {std::numeric_limits<qint32>::min(), "2147483648"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatNumber(c.number), QString::fromLatin1(c.text)) << c.number;
}

TEST(SelectedText, EveryNumberFollowedByTwoBlanks)
{
    EXPECT_EQ(SelectedText({5, 12, 3}), QStringLiteral("05  12  03  "));
    EXPECT_EQ(SelectedText({}), QString());
}

TEST(RemoveFirst, RemovesOnlyTheFirstOccurrenceAndKeepsTheOrder)
{
    QVector<qint32> selected{5, 12, 3};
    RemoveFirst(selected, 12);
    EXPECT_EQ(selected, (QVector<qint32>{5, 3}));
    RemoveFirst(selected, 40);
    EXPECT_EQ(selected, (QVector<qint32>{5, 3}));

    QVector<qint32> twice{7, 1, 7};
    RemoveFirst(twice, 7);
    EXPECT_EQ(twice, (QVector<qint32>{1, 7}));
}

TEST(FormulaKey, CountInDecimalThenTheRule)
{
    EXPECT_EQ(FormulaKey(10, QStringLiteral("中7保5")), QStringLiteral("选10中7保5"));
    EXPECT_EQ(FormulaKey(9, QStringLiteral("中7保6")), QStringLiteral("选9中7保6"));
    EXPECT_EQ(FormulaKey(0, QString()), QStringLiteral("选0"));
}

TEST(CountLineText, CountAloneOrWithTheFormulaCounts)
{
    TSortivo_GS formula;
    formula.FullCount = 120;
    formula.Rows = QVector<QVector<qint32>>(14, QVector<qint32>(7, 1));
    EXPECT_EQ(CountLineText(10, &formula), QStringLiteral("已选号码 10 个 [复式投注数量 120 注，缩水投注数量 14 注]"));
    EXPECT_EQ(CountLineText(3, nullptr), QStringLiteral("已选号码 3 个 "));
    EXPECT_EQ(EmptyCountLineText(), QStringLiteral("已选号码 0 个"));
}
