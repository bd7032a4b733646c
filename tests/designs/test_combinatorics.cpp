#include "wheel/design/Combinatorics.h"
#include "wheel/design/DrawSpace.h"
#include "wheel/design/OrbitSpace.h"
#include "wheel/design/WheelTargets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace quorbel;

TEST(Combinatorics, BinomialTable)
{
    EXPECT_EQ(Binomial(9, 7), 36);
    EXPECT_EQ(Binomial(16, 7), 11440);
    EXPECT_EQ(Binomial(20, 10), 184756);
    EXPECT_EQ(Binomial(7, 0), 1);
    EXPECT_EQ(Binomial(6, 7), 0);
    EXPECT_EQ(Binomial(7, -1), 0);
}

TEST(Combinatorics, KSubsetsAreAllDistinctAndAscending)
{
    const auto subsets = KSubsets(10, 4);
    ASSERT_EQ(static_cast<std::int64_t>(subsets.size()), Binomial(10, 4));
    EXPECT_TRUE(std::is_sorted(subsets.begin(), subsets.end()));
    EXPECT_EQ(std::set<SubsetMask>(subsets.begin(), subsets.end()).size(), subsets.size());
    for (SubsetMask s : subsets) {
        EXPECT_EQ(PopCount(s), 4);
        EXPECT_LT(s, SubsetMask(1) << 10);
    }
    EXPECT_TRUE(KSubsets(kMaxDesignPositions + 1, 3).empty());
}

TEST(Combinatorics, MasksAndPositions)
{
    EXPECT_EQ(PositionsToMask({1, 3, 16}), SubsetMask(0b1000000000000101));
    EXPECT_EQ(MaskToPositions(0b1000000000000101), (std::vector<int>{1, 3, 16}));
    EXPECT_EQ(PositionsToMask({0, -2, 21}), SubsetMask(0)); // outside the range: ignored
}

TEST(DrawSpace, IndexOfRoundTripsAndRejectsOtherMasks)
{
    const DrawSpace space(12, 7);
    ASSERT_EQ(space.size(), 792);
    for (int i = 0; i < space.size(); ++i)
        ASSERT_EQ(space.indexOf(space.mask(i)), i);
    EXPECT_EQ(space.indexOf(0b111111), -1);              // six positions
    EXPECT_EQ(space.indexOf(SubsetMask(0x7F) << 6), -1); // reaches position 13
}

// The coverage lists agree with a direct count of shared positions.
class CoverageListsTest : public testing::TestWithParam<std::pair<int, int>>
{
};

TEST_P(CoverageListsTest, MatchBruteForce)
{
    const auto [n, t] = GetParam();
    const DrawSpace space(n, 7);
    const CoverageLists lists(space, t);
    ASSERT_EQ(lists.listLength(), BallSize(n, 7, t));
    for (int r = 0; r < space.size(); ++r) {
        std::vector<int> listed(lists.begin(r), lists.end(r));
        std::sort(listed.begin(), listed.end());
        std::vector<int> expected;
        for (int d = 0; d < space.size(); ++d)
            if (PopCount(space.mask(r) & space.mask(d)) >= t)
                expected.push_back(d);
        ASSERT_EQ(listed, expected) << "row " << r;
    }
}

INSTANTIATE_TEST_SUITE_P(Small, CoverageListsTest,
                         testing::Values(std::make_pair(9, 6), std::make_pair(11, 5), std::make_pair(12, 6), std::make_pair(10, 4)));

TEST(OrbitSpace, OrbitsPartitionTheSubsetsAndAreClosed)
{
    const DrawSpace space(14, 7);
    for (bool complement : {false, true}) {
        const OrbitSpace orbits(space, {7, 7}, 5, complement);
        int total = 0;
        for (int o = 0; o < orbits.orbitCount(); ++o) {
            total += orbits.orbitSize(o);
            for (const std::int32_t *m = orbits.membersBegin(o); m != orbits.membersEnd(o); ++m) {
                ASSERT_EQ(orbits.orbitOf(*m), o);
                ASSERT_EQ(orbits.orbitOf(space.indexOf(orbits.apply(space.mask(*m)))), o);
                if (complement) {
                    ASSERT_EQ(orbits.orbitOf(space.indexOf(0x3FFF & ~space.mask(*m))), o);
                }
            }
        }
        EXPECT_EQ(total, space.size());
    }
    // The generator turns 1..7 and 8..14 each one step round.
    const OrbitSpace orbits(space, {7, 7}, 5);
    EXPECT_EQ(orbits.apply(PositionsToMask({1, 7, 8, 14})), PositionsToMask({2, 1, 9, 8}));
}

TEST(OrbitSpace, TrivialGroupKeepsEverySubsetApart)
{
    const DrawSpace space(10, 7);
    const OrbitSpace orbits(space, {}, 6);
    EXPECT_EQ(orbits.orbitCount(), space.size());
    const CoverageLists lists(space, 6);
    for (int o = 0; o < orbits.orbitCount(); ++o)
        EXPECT_EQ(orbits.coverEnd(o) - orbits.coverBegin(o), lists.listLength());
}

TEST(Bounds, SphereBoundAndTable)
{
    EXPECT_EQ(BallSize(16, 7, 6), 64);
    EXPECT_EQ(BallSize(16, 7, 5), 820);
    EXPECT_EQ(SphereBound(16, 7, 6), 179);  // 11440 / 64 = 178.75
    EXPECT_EQ(SphereBound(12, 7, 6), 22);
    EXPECT_EQ(BestLowerBound(FormulaKey{12, 7, 6}), 26); // the published bound is higher
    EXPECT_EQ(BestLowerBound(FormulaKey{17, 7, 6}), SphereBound(17, 7, 6));
    EXPECT_EQ(SizeTarget(FormulaKey{16, 7, 5}), 31);
    EXPECT_EQ(SizeTarget(FormulaKey{17, 7, 5}), 0);
    const auto shipped = ShippedFormulas();
    ASSERT_EQ(shipped.size(), 16u);
    EXPECT_EQ(FormulaName(shipped.front()), QStringLiteral("选9中7保6"));
    EXPECT_EQ(FormulaName(shipped[8]), QStringLiteral("选9中7保5"));
    EXPECT_EQ(FormulaName(shipped.back()), QStringLiteral("选16中7保5"));
}
