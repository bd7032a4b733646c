#include "platform/AppError.h"
#include "wheel/SortivoGS.h"
#include "wheel/design/CoveringAnnealer.h"
#include "wheel/design/DesignStore.h"
#include "wheel/design/DesignVerifier.h"
#include "wheel/design/WheelFileWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorbel;

namespace {

bool Covers(const DrawSpace &space, const OrbitSpace &orbits, const std::vector<int> &design, int t)
{
    return UncoveredDraws(space, ExpandOrbits(orbits, design), t).empty();
}

} // namespace

TEST(GreedyCovering, AlwaysCovers)
{
    for (int t : {5, 6}) {
        const DrawSpace space(11, 7);
        const OrbitSpace orbits(space, {}, t);
        EXPECT_TRUE(Covers(space, orbits, GreedyCovering(orbits, 7), t)) << t;
        const OrbitSpace cyclic(space, {11}, t);
        EXPECT_TRUE(Covers(space, cyclic, GreedyCovering(cyclic, 7), t)) << t;
    }
}

// Both local searches reach the proven optimum of small formulas from random rows.
class SearchReachesOptimum : public testing::TestWithParam<int>
{
};

TEST_P(SearchReachesOptimum, TenNumbersSixOfSeven)
{
    const DrawSpace space(10, 7);
    const OrbitSpace orbits(space, {}, 6);
    CoveringAnnealer search(orbits);
    AnnealSettings settings;
    settings.orbits = 8;
    settings.seconds = 30;
    settings.tabuTenure = GetParam();
    bool found = false;
    for (std::uint64_t seed = 1; seed <= 20 && !found; ++seed) {
        settings.seed = seed;
        const AnnealOutcome outcome = search.run(settings);
        if (outcome.covered) {
            EXPECT_EQ(outcome.uncovered, 0);
            EXPECT_EQ(RowCount(orbits, outcome.orbits), 8);
            EXPECT_TRUE(Covers(space, orbits, outcome.orbits, 6));
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

INSTANTIATE_TEST_SUITE_P(AnnealingAndTabu, SearchReachesOptimum, testing::Values(0, 5));

TEST(CoveringAnnealer, ReportsTheBestStateWhenItCannotCover)
{
    // Three rows cannot meet every draw of 10 in six positions (the optimum is 8).
    const DrawSpace space(10, 7);
    const OrbitSpace orbits(space, {}, 6);
    CoveringAnnealer search(orbits);
    AnnealSettings settings;
    settings.orbits = 3;
    settings.seconds = 0.2;
    const AnnealOutcome outcome = search.run(settings);
    EXPECT_FALSE(outcome.covered);
    EXPECT_EQ(static_cast<std::size_t>(outcome.uncovered),
              UncoveredDraws(space, ExpandOrbits(orbits, outcome.orbits), 6).size());
}

TEST(DescendingSearch, StopsAtTheTargetAndReportsEveryCovering)
{
    const DrawSpace space(12, 7);
    const OrbitSpace orbits(space, {}, 5);
    DescentSettings settings;
    settings.seconds = 30;
    settings.targetRows = 6;
    std::vector<std::size_t> sizes;
    const std::vector<int> best = DescendingSearch(orbits, GreedyCovering(orbits, 1), settings,
                                                   [&](const std::vector<int> &design) {
                                                       EXPECT_TRUE(Covers(space, orbits, design, 5));
                                                       sizes.push_back(design.size());
                                                   });
    EXPECT_EQ(RowCount(orbits, best), 6);
    EXPECT_TRUE(Covers(space, orbits, best, 5));
    EXPECT_TRUE(std::is_sorted(sizes.rbegin(), sizes.rend()));
}

TEST(DesignStore, KeepsOnlySmallerDesigns)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const DesignStore store(dir.filePath(QStringLiteral("wheels")));
    const FormulaKey key{9, 7, 6};
    std::vector<SubsetMask> rows;
    EXPECT_FALSE(store.load(key, rows));

    const std::vector<SubsetMask> five = {0x1FC, 0x1F3, 0x1CF, 0x13F, 0x7F};
    EXPECT_TRUE(store.keepIfSmaller(WheelDesign{key, five}));
    EXPECT_FALSE(store.keepIfSmaller(WheelDesign{key, five}));
    ASSERT_TRUE(store.load(key, rows));
    EXPECT_EQ(rows.size(), 5u);
    EXPECT_TRUE(store.keepIfSmaller(WheelDesign{key, {0x1FC, 0x1F3, 0x1CF, 0x13F}}));
    ASSERT_TRUE(store.load(key, rows));
    EXPECT_EQ(rows.size(), 4u);
    EXPECT_TRUE(store.fileFor(key).endsWith(QStringLiteral("n09t6.txt")));

    QFile damaged(store.fileFor(key));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("1 2 3 4 5 6 10\n");
    damaged.close();
    EXPECT_THROW(store.load(key, rows), AppError);
}

TEST(WheelFileWriter, RoundTripsThroughTheProgramsReader)
{
    const WheelDesign design{FormulaKey{9, 7, 6}, {0x13F, 0x1FC, 0x1CF, 0x1F3}};
    const TSortivo_GS formula = ToFormula(design);
    EXPECT_EQ(formula.FullCount, 36);
    EXPECT_EQ(formula.Rows.first(), (QVector<qint32>{1, 2, 3, 4, 5, 6, 9})); // rows sorted

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("GS.spt"));
    WriteWheelFile(path, {formula});
    TGSList loaded;
    LoadGS(path, loaded);
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0].Name, formula.Name);
    EXPECT_EQ(loaded[0].BetSize, 7);
    EXPECT_EQ(loaded[0].FullCount, 36);
    EXPECT_EQ(loaded[0].Rows, formula.Rows);
    EXPECT_TRUE(VerifyWheelFile(FormatWheelFile(loaded), VerifyOptions{false, true, 3}).passed());

    EXPECT_THROW(WriteWheelFile(dir.filePath(QStringLiteral("missing/GS.spt")), {formula}), AppError);
}
