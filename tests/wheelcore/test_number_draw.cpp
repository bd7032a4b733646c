#include "platform/AppError.h"
#include "wheel/NumberDraw.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QSet>

#include <random>

using namespace quorbel;

namespace {

// Upper 0.1 % point of the chi-square distribution with 19 degrees of freedom:
// a fair draw stays below it, with a fixed seed always.
constexpr double ChiSquare19Bound = 43.82;

constexpr int Draws = 20000;

// How often each number 1..highest appears among `Draws` picks of `count`.
// Within one pick the counts are tied (they sum to `count`), so the plain sum
// is rescaled to the chi-square with highest - 1 degrees of freedom.
double numberFrequencyChiSquare(const DrawOneNumber &drawOne, int count, int highest)
{
    QVector<double> observed(highest + 1, 0);
    for (int d = 0; d < Draws; ++d) {
        for (qint32 n : DrawDistinctNumbers(count, highest, drawOne))
            observed[n] += 1;
    }
    const double p = double(count) / highest;
    const double expected = Draws * p;
    double sum = 0;
    for (int n = 1; n <= highest; ++n)
        sum += (observed[n] - expected) * (observed[n] - expected);
    return sum * (highest - 1) / (highest * expected * (1 - p));
}

// How often each of the 20 three-number sets of 1..6 comes out: a fair draw
// makes every set equally likely (19 degrees of freedom).
double setFrequencyChiSquare(const DrawOneNumber &drawOne)
{
    QMap<int, double> observed;
    for (int d = 0; d < Draws; ++d) {
        int mask = 0;
        for (qint32 n : DrawDistinctNumbers(3, 6, drawOne))
            mask |= 1 << n;
        observed[mask] += 1;
    }
    const double expected = Draws / 20.0;
    double sum = 0;
    for (double o : observed)
        sum += (o - expected) * (o - expected) / expected;
    // Sets that never came out count too.
    sum += (20 - observed.size()) * expected;
    return sum;
}

// Which number is drawn first, out of 1..20 (19 degrees of freedom).
double firstNumberChiSquare(const DrawOneNumber &drawOne)
{
    QVector<double> observed(21, 0);
    for (int d = 0; d < Draws; ++d)
        observed[DrawDistinctNumbers(9, 20, drawOne).first()] += 1;
    const double expected = Draws / 20.0;
    double sum = 0;
    for (int n = 1; n <= 20; ++n)
        sum += (observed[n] - expected) * (observed[n] - expected) / expected;
    return sum;
}

DrawOneNumber fairDraw(quint64 seed)
{
    auto source = std::make_shared<NumberSource>(seed);
    return [source](qint32 highest) { return source->Draw(highest); };
}

// Deliberately wrong: a 5-bit random value reduced modulo the range, so the
// low numbers come up more often.
DrawOneNumber moduloBiasedDraw(quint64 seed)
{
    auto engine = std::make_shared<std::mt19937>(quint32(seed));
    return [engine](qint32 highest) { return qint32(((*engine)() % 32) % quint32(highest)) + 1; };
}

// Deliberately wrong, and subtly: one draw in twenty is forced to 1.
DrawOneNumber favoursOneDraw(quint64 seed)
{
    auto engine = std::make_shared<std::mt19937>(quint32(seed));
    return [engine](qint32 highest) {
        if ((*engine)() % 20 == 0)
            return qint32(1);
        return qint32((*engine)() % quint32(highest)) + 1;
    };
}

} // namespace

TEST(DrawDistinctNumbers, DistinctNumbersInRangeInDrawOrder)
{
    NumberSource source(42);
    for (int round = 0; round < 200; ++round) {
        const QVector<qint32> drawn = DrawDistinctNumbers(16, 20, source);
        ASSERT_EQ(drawn.size(), 16);
        const QSet<qint32> distinct(drawn.begin(), drawn.end());
        EXPECT_EQ(distinct.size(), 16);
        for (qint32 n : drawn) {
            EXPECT_GE(n, 1);
            EXPECT_LE(n, 20);
        }
    }
}

TEST(DrawDistinctNumbers, RepeatsAreDrawnAgainAndOrderIsKept)
{
    const QVector<qint32> script{7, 7, 3, 7, 3, 12, 1};
    int next = 0;
    const QVector<qint32> drawn = DrawDistinctNumbers(4, 20, [&](qint32) { return script[next++]; });
    EXPECT_EQ(drawn, (QVector<qint32>{7, 3, 12, 1}));
    EXPECT_EQ(next, 7);
}

TEST(DrawDistinctNumbers, AllNumbersAndNoneAreDrawable)
{
    NumberSource source(1);
    QVector<qint32> all = DrawDistinctNumbers(40, 40, source);
    std::sort(all.begin(), all.end());
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(all[i], i + 1);
    EXPECT_TRUE(DrawDistinctNumbers(0, 20, source).isEmpty());
}

TEST(DrawDistinctNumbers, ImpossibleRequestsAreRefusedInsteadOfLoopingForEver)
{
    NumberSource source(1);
    const struct
    {
        int count;
        qint32 highest;
    } table[] = {{21, 20}, {-1, 20}, {1, 0}, {17, 16}};
    for (const auto &c : table)
        EXPECT_THROW(DrawDistinctNumbers(c.count, c.highest, source), AppError) << c.count << " of " << c.highest;

    EXPECT_THROW(DrawDistinctNumbers(3, 20, [](qint32) { return qint32(21); }), AppError);
    EXPECT_THROW(DrawDistinctNumbers(3, 20, [](qint32) { return qint32(0); }), AppError);
}

TEST(NumberSource, SameSeedSameNumbersOtherSeedOtherNumbers)
{
    NumberSource a(2024), b(2024), c(2025);
    const QVector<qint32> first = DrawDistinctNumbers(16, 40, a);
    EXPECT_EQ(first, DrawDistinctNumbers(16, 40, b));
    EXPECT_NE(first, DrawDistinctNumbers(16, 40, c));
}

TEST(NumberSource, ClockSeedsDiffer)
{
    NumberSource a = NumberSource::FromClock();
    NumberSource b = NumberSource::FromClock();
    EXPECT_NE(DrawDistinctNumbers(16, 40, a), DrawDistinctNumbers(16, 40, b));
}

TEST(DrawUniformity, FairDrawPassesEveryChiSquare)
{
    EXPECT_LT(numberFrequencyChiSquare(fairDraw(7), 9, 20), ChiSquare19Bound);
    EXPECT_LT(setFrequencyChiSquare(fairDraw(8)), ChiSquare19Bound);
    EXPECT_LT(firstNumberChiSquare(fairDraw(9)), ChiSquare19Bound);
}

TEST(DrawUniformity, BiasedDrawsFailTheSameBound)
{
    EXPECT_GT(numberFrequencyChiSquare(moduloBiasedDraw(7), 9, 20), ChiSquare19Bound);
    EXPECT_GT(setFrequencyChiSquare(moduloBiasedDraw(8)), ChiSquare19Bound);
    EXPECT_GT(firstNumberChiSquare(moduloBiasedDraw(9)), ChiSquare19Bound);

    EXPECT_GT(numberFrequencyChiSquare(favoursOneDraw(7), 9, 20), ChiSquare19Bound);
    EXPECT_GT(setFrequencyChiSquare(favoursOneDraw(8)), ChiSquare19Bound);
    EXPECT_GT(firstNumberChiSquare(favoursOneDraw(9)), ChiSquare19Bound);
}
