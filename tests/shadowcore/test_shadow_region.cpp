#include "shadow/ShadowRegion.h"

#include <gtest/gtest.h>

using namespace quorbel;

TEST(ShadowRegion, KindFollowsTheCoveredArea)
{
    struct Case
    {
        const char *name;
        std::vector<ShadowRect> rects;
        RegionKind kind;
    };
    const Case cases[] = {
        {"none", {}, RegionKind::Null},
        {"only empty rectangles", {{5, 5, 5, 9}, {1, 1, 0, 4}}, RegionKind::Null},
        {"one rectangle", {{0, 0, 10, 10}}, RegionKind::Simple},
        {"two halves", {{0, 0, 10, 5}, {0, 5, 10, 10}}, RegionKind::Simple},
        {"overlapping into one", {{0, 0, 8, 10}, {2, 0, 10, 10}}, RegionKind::Simple},
        {"an L", {{0, 0, 10, 5}, {0, 5, 5, 10}}, RegionKind::Complex},
        {"apart", {{0, 0, 2, 2}, {5, 5, 7, 7}}, RegionKind::Complex},
        {"a cross", {{3, 0, 6, 9}, {0, 3, 9, 6}}, RegionKind::Complex},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ShadowRegion(c.rects).Kind(), c.kind) << c.name;
}

TEST(ShadowRegion, OffsetMovesTheBoundingBox)
{
    ShadowRegion region({{3, 0, 6, 9}, {0, 3, 9, 6}});
    region.Offset(16, 16);
    EXPECT_EQ(region.BoundingBox(), (ShadowRect{16, 16, 25, 25}));
    EXPECT_TRUE(ShadowRegion().BoundingBox().IsEmpty());
}
