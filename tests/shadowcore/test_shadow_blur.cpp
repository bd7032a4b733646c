#include "shadow/ShadowBlur.h"

#include <gtest/gtest.h>

#include <random>

using namespace quorbel;

TEST(ShadowBlur, ClampsKeepIndicesInsideTheBitmap)
{
    ShadowBitmap bitmap(7, 4);
    ShadowBlur blur(bitmap);
    EXPECT_EQ(blur.ClampX(-3), 0);
    EXPECT_EQ(blur.ClampX(0), 0);
    EXPECT_EQ(blur.ClampX(6), 6);
    EXPECT_EQ(blur.ClampX(7), 6);
    EXPECT_EQ(blur.ClampY(-1), 0);
    EXPECT_EQ(blur.ClampY(3), 3);
    EXPECT_EQ(blur.ClampY(40), 3);
}

// A single white pixel shows the order: rows above a visited pixel already hold
// this pass's values, so the spread downwards goes on within the same pass.
TEST(ShadowBlur, WorksInPlaceFromTheTopLeft)
{
    ShadowBitmap bitmap(5, 5);
    std::uint8_t *p = bitmap.Pixel(2, 2);
    p[0] = p[1] = p[2] = 255;
    p[3] = 77;
    ShadowBlur(bitmap).BlurPass(1);
    auto grey = [&](int x, int y) { return bitmap.Pixel(x, y)[0]; };
    EXPECT_EQ(grey(1, 1), 63); // 255 / 4 from the lower right sample
    EXPECT_EQ(grey(3, 1), 63);
    EXPECT_EQ(grey(2, 2), 31); // (63 + 63) / 4: row 1 already holds new values
    EXPECT_EQ(grey(0, 2), 15);
    EXPECT_EQ(grey(1, 3), 11); // (15 + 31) / 4
    EXPECT_EQ(grey(3, 3), 11);
    // The last row samples itself: pixels to the left are new, to the right old.
    const int lastRow[] = {3, 1, 5, 2, 4};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(grey(x, 4), lastRow[x]) << x;
    EXPECT_EQ(bitmap.Pixel(2, 2)[1], 31);
    EXPECT_EQ(bitmap.Pixel(2, 2)[3], 77) << "alpha is left alone";
}

// The fast grey blur against the byte-by-byte one on noise and on shapes, for
// sizes around the distances (rows and columns that clamp on both sides).
TEST(ShadowBlur, GreyBlurMatchesTheStraightforwardOne)
{
    std::mt19937 random(1234);
    const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {2, 3}, {5, 4}, {7, 7}, {16, 2}, {23, 17}, {37, 41}, {64, 9}};
    for (const auto &size : sizes) {
        for (int pattern = 0; pattern < 2; ++pattern) {
            const int w = size[0], h = size[1];
            ShadowBitmap bitmap(w, h);
            GreyPlane plane;
            plane.SetSize(w, h);
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const std::uint8_t g = pattern == 0 ? static_cast<std::uint8_t>(random())
                                                        : (x > w / 4 && y > h / 3 && x < w - 2 ? 255 : 0);
                    std::uint8_t *p = bitmap.Pixel(x, y);
                    p[0] = p[1] = p[2] = g;
                    plane.Row(y)[x] = g;
                }
            }
            Blur(bitmap, 3);
            BlurGrey(plane, 3);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(plane.Row(y)[x], bitmap.Pixel(x, y)[0])
                        << w << " x " << h << " pattern " << pattern << " at " << x << ", " << y;
        }
    }
}
