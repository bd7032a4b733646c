#include "wheel/design/CoveringAnnealer.h"
#include "wheel/design/DesignSearch.h"
#include "wheel/design/DesignStore.h"
#include "wheel/design/RowWeightingSearch.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace quorbel;

namespace {

bool Covers(const OrbitSpace &orbits, std::vector<int> design, const std::vector<int> &fixed = {})
{
    design.insert(design.end(), fixed.begin(), fixed.end());
    return UncoveredDraws(orbits.space(), ExpandOrbits(orbits, design), orbits.t()).empty();
}

// A covering design far from the smallest: the greedy one for a guarantee one higher.
std::vector<int> LooseStart(const DrawSpace &space, const std::vector<int> &cycles, int t)
{
    return GreedyCovering(OrbitSpace(space, cycles, t + 1), 3);
}

struct OptimumCase
{
    int n;
    int t;
    bool exchange;
    int optimum; // proven smallest number of rows
};

void PrintTo(const OptimumCase &c, std::ostream *os)
{
    *os << "n" << c.n << "t" << c.t << (c.exchange ? " exchange" : " free");
}

class RowWeightingReachesOptimum : public testing::TestWithParam<OptimumCase>
{
};

} // namespace

// Down to the proven optimum, reporting every smaller covering design on the way.
TEST_P(RowWeightingReachesOptimum, FromALooseStart)
{
    const OptimumCase c = GetParam();
    const DrawSpace space(c.n, 7);
    const OrbitSpace orbits(space, {}, c.t);
    RowWeightingSettings settings;
    settings.exchange = c.exchange;
    settings.targetRows = c.optimum;
    settings.maxSteps = 2'000'000;
    settings.seconds = 120;

    const std::vector<int> start = LooseStart(space, {}, c.t);
    ASSERT_GT(int(start.size()), c.optimum + 3);
    std::vector<std::size_t> sizes;
    const std::vector<int> best = RowWeightingSearch(orbits, start, settings, [&](const std::vector<int> &design) {
        EXPECT_TRUE(Covers(orbits, design));
        sizes.push_back(design.size());
    });
    EXPECT_EQ(int(best.size()), c.optimum);
    EXPECT_TRUE(Covers(orbits, best));
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back(), best.size());
    EXPECT_TRUE(std::adjacent_find(sizes.begin(), sizes.end(), std::less_equal<>()) == sizes.end())
        << "every report is smaller than the one before";
}

INSTANTIATE_TEST_SUITE_P(Small, RowWeightingReachesOptimum,
                         testing::Values(OptimumCase{10, 6, false, 8}, OptimumCase{10, 6, true, 8},
                                         OptimumCase{12, 5, false, 6}, OptimumCase{12, 5, true, 6}));

TEST(RowWeightingSearch, KeepsTheFixedRowsOutOfTheMovableOnes)
{
    const DrawSpace space(12, 7);
    const OrbitSpace orbits(space, {}, 5);
    const std::vector<int> greedy = LooseStart(space, {}, 5);
    RowWeightingSettings settings;
    settings.fixed = {greedy.front()};
    settings.targetRows = 7;
    settings.maxSteps = 2'000'000;
    const std::vector<int> movable(greedy.begin() + 1, greedy.end());
    int reports = 0;
    const std::vector<int> best = RowWeightingSearch(orbits, movable, settings, [&](const std::vector<int> &design) {
        ++reports;
        EXPECT_TRUE(Covers(orbits, design, settings.fixed));
        EXPECT_EQ(std::count(design.begin(), design.end(), greedy.front()), 0);
    });
    EXPECT_GT(reports, 0);
    EXPECT_LE(int(best.size()) + 1, 7);
    EXPECT_TRUE(Covers(orbits, best, settings.fixed));
}

TEST(RowWeightingSearch, ReturnsAStartThatDoesNotCoverUntouched)
{
    const DrawSpace space(10, 7);
    const OrbitSpace orbits(space, {}, 6);
    const std::vector<int> start = {0, 1, 2};
    bool reported = false;
    RowWeightingSettings settings;
    settings.maxSteps = 1000;
    EXPECT_EQ(RowWeightingSearch(orbits, start, settings, [&](const std::vector<int> &) { reported = true; }), start);
    EXPECT_FALSE(reported);
}

TEST(RowWeightingSearch, StopsWhenAsked)
{
    const DrawSpace space(13, 7);
    const OrbitSpace orbits(space, {}, 6);
    const std::vector<int> start = GreedyCovering(orbits, 1);
    const std::atomic<bool> stop{true};
    RowWeightingSettings settings;
    settings.seconds = 600;
    EXPECT_EQ(RowWeightingSearch(orbits, start, settings, nullptr, &stop), start);
}

TEST(RowWeightingSearch, MovesWholeOrbitsOfAGroup)
{
    // Under a 6-cycle on 1..6 and one on 7..12 every reported design is a union of orbits
    // and covers every draw.
    const DrawSpace space(12, 7);
    const OrbitSpace orbits(space, {6, 6}, 5);
    for (bool exchange : {false, true}) {
        RowWeightingSettings settings;
        settings.exchange = exchange;
        settings.maxSteps = 20'000;
        const std::vector<int> start = LooseStart(space, {6, 6}, 5);
        const int startRows = RowCount(orbits, start);
        const std::vector<int> best = RowWeightingSearch(orbits, start, settings, [&](const std::vector<int> &design) {
            EXPECT_TRUE(Covers(orbits, design)) << exchange;
        });
        EXPECT_TRUE(Covers(orbits, best)) << exchange;
        EXPECT_LT(RowCount(orbits, best), startRows) << exchange;
    }
}

TEST(SearchFormula, RowWeightingStoresWhatItFinds)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const DesignStore store(dir.filePath(QStringLiteral("wheels")));
    SearchRequest request;
    request.key = FormulaKey{10, 7, 6};
    request.method = SearchMethod::RowWeighting;
    request.exchange = true;
    request.targetRows = 8;
    request.seconds = 120;
    QStringList log;
    const SearchReport report = SearchFormula(request, store, [&](const QString &line) { log << line; });
    EXPECT_EQ(report.bestRows, 8) << log.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(report.improved);
    std::vector<SubsetMask> rows;
    ASSERT_TRUE(store.load(request.key, rows));
    EXPECT_EQ(rows.size(), 8u);
    EXPECT_TRUE(UncoveredDraws(DrawSpace(10, 7), rows, 6).empty());
}
