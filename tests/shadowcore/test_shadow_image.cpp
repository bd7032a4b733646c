#include "FakeForm.h"

#include "shadow/AlphaTable.h"
#include "shadow/ShadowImage.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quorbel;

namespace {

std::uint8_t AlphaAt(const ShadowBitmap &b, int x, int y)
{
    return b.Pixel(x, y)[ShadowBitmap::AlphaByte];
}

// A shadow whose layer updates are counted.
struct CountedShadow
{
    ShadowImage image;
    int layerUpdates = 0;

    explicit CountedShadow(PixelSteps steps = PixelSteps::Fast)
    {
        image.SetPixelSteps(steps);
        image.SetLayerUpdate([this] { ++layerUpdates; });
    }
    bool Build(const FakeForm &form, bool shown = true) { return image.BuildShadow(&form, shown); }
};

// The image both ways; they must agree to the bit.
ShadowBitmap BuildOnce(const FakeForm &form, PixelSteps steps)
{
    CountedShadow shadow(steps);
    shadow.image.FormAttached(&form);
    EXPECT_TRUE(shadow.Build(form));
    return shadow.image.Bitmap();
}

class MainWindowShadow : public ::testing::TestWithParam<PixelSteps>
{
};

} // namespace

TEST(AlphaTable, HoldsProductDividedBy255RoundedDown)
{
    EXPECT_EQ(AlphaTable[0][0], 0);
    EXPECT_EQ(AlphaTable[200][255], 200);
    EXPECT_EQ(AlphaTable[200][0], 0);
    EXPECT_EQ(AlphaTable[255][128], 128);
    EXPECT_EQ(AlphaTable[128][128], 64); // 16384 / 255 = 64.25
    EXPECT_EQ(AlphaTable[254][254], 253); // 64516 / 255 = 253.0039
    EXPECT_EQ(AlphaTable[17][15], 1);     // exactly 255 / 255
    EXPECT_EQ(AlphaTable[16][15], 0);
}

// The borderless 630 x 460 main window with a black shadow at full opacity.
TEST_P(MainWindowShadow, GivesTheKnownImage)
{
    FakeForm form;
    CountedShadow shadow(GetParam());
    shadow.image.FormAttached(&form);
    ASSERT_TRUE(shadow.Build(form));
    const ShadowBitmap &b = shadow.image.Bitmap();
    ASSERT_EQ(b.Width(), 662);
    ASSERT_EQ(b.Height(), 492);
    EXPECT_EQ(shadow.image.Blend().SourceConstantAlpha, 255);
    EXPECT_EQ(shadow.image.Blend().AlphaFormat, 1);
    EXPECT_EQ(shadow.layerUpdates, 1);

    int insideNonZero = 0, colourNonZero = 0;
    for (int y = 0; y < 492; ++y) {
        for (int x = 0; x < 662; ++x) {
            const std::uint8_t *p = b.Pixel(x, y);
            colourNonZero += p[0] != 0 || p[1] != 0 || p[2] != 0;
            if (x >= 16 && x <= 645 && y >= 16 && y <= 475)
                insideNonZero += p[3] != 0;
        }
    }
    EXPECT_EQ(insideNonZero, 0);
    EXPECT_EQ(colourNonZero, 0) << "a black shadow keeps only alpha";

    const std::vector<int> columnTop = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 31, 47, 71, 99, 121, 140};
    const std::vector<int> columnBottom = {91, 76, 63, 51, 41, 34, 27, 21, 17, 14, 10, 8, 7, 5, 4, 4};
    const std::vector<int> rowLeft = {0, 0, 1, 1, 3, 4, 7, 11, 17, 24, 37, 48, 64, 79, 97, 113};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(AlphaAt(b, 331, i), columnTop[i]) << "row " << i;
        EXPECT_EQ(AlphaAt(b, 331, 476 + i), columnBottom[i]) << "row " << 476 + i;
        EXPECT_EQ(AlphaAt(b, i, 246), rowLeft[i]) << "column " << i;
        EXPECT_EQ(AlphaAt(b, 661 - i, 246), rowLeft[i]) << "column " << 661 - i;
    }
}

INSTANTIATE_TEST_SUITE_P(BothWays, MainWindowShadow,
                         ::testing::Values(PixelSteps::Fast, PixelSteps::Straightforward),
                         [](const auto &info) {
                             return info.param == PixelSteps::Fast ? std::string("Fast")
                                                                   : std::string("Straightforward");
                         });

TEST(ShadowDecisions, FirstBuildAfterAttachStartsFromAnEmptyBitmap)
{
    FakeForm form;
    CountedShadow shadow;
    EXPECT_EQ(shadow.image.Bitmap().Width(), 0);
    EXPECT_EQ(shadow.image.Bitmap().Height(), 0);
    EXPECT_TRUE(shadow.image.Dirty());
    shadow.image.FormAttached(&form);
    EXPECT_TRUE(shadow.Build(form));
    EXPECT_FALSE(shadow.image.Dirty());
    EXPECT_EQ(shadow.image.Bitmap().Width(), 662);
    EXPECT_EQ(shadow.image.Bitmap().Height(), 492);
}

TEST(ShadowDecisions, AMoveDrawsNothing)
{
    FakeForm form;
    CountedShadow shadow;
    shadow.image.FormAttached(&form);
    ASSERT_TRUE(shadow.Build(form));
    const ShadowBitmap before = shadow.image.Bitmap();
    for (int i = 0; i < 5; ++i) {
        form.left += 37;
        form.top -= 11;
        form.clientOrigin = {form.left, form.top};
        EXPECT_FALSE(shadow.Build(form));
    }
    EXPECT_EQ(shadow.layerUpdates, 1);
    EXPECT_TRUE(shadow.image.Bitmap() == before);
}

TEST(ShadowDecisions, ASizeChangeRebuilds)
{
    FakeForm form;
    CountedShadow shadow;
    shadow.image.FormAttached(&form);
    ASSERT_TRUE(shadow.Build(form));
    form.height = 300;
    form.clientHeight = 300;
    EXPECT_TRUE(shadow.Build(form));
    EXPECT_EQ(shadow.image.Bitmap().Width(), 662);
    EXPECT_EQ(shadow.image.Bitmap().Height(), 332);
    EXPECT_EQ(shadow.layerUpdates, 2);
    // Width alone counts too.
    form.width = 100;
    form.clientWidth = 100;
    EXPECT_TRUE(shadow.Build(form));
    EXPECT_EQ(shadow.image.Bitmap().Width(), 132);
    EXPECT_FALSE(shadow.Build(form));
}

TEST(ShadowDecisions, AChangedTransparentColourRebuildsOnlyWhileItIsOn)
{
    FakeForm form;
    form.transparentColorValue = MakeColor(255, 0, 255);
    form.PaintClientWith(MakeColor(10, 20, 30), {}, 0);
    CountedShadow shadow;
    shadow.image.FormAttached(&form);
    EXPECT_EQ(shadow.image.MaskColor(), MakeColor(255, 0, 255));
    ASSERT_TRUE(shadow.Build(form));

    // Switching it on with the colour the image was built with: no rebuild.
    form.transparentColor = true;
    EXPECT_FALSE(shadow.Build(form));
    // A new value while on: rebuild, and the mask colour follows.
    form.transparentColorValue = MakeColor(0, 255, 0);
    EXPECT_TRUE(shadow.Build(form));
    EXPECT_EQ(shadow.image.MaskColor(), MakeColor(0, 255, 0));
    EXPECT_FALSE(shadow.Build(form));
    // A new value while off: nothing.
    form.transparentColor = false;
    form.transparentColorValue = MakeColor(1, 2, 3);
    EXPECT_FALSE(shadow.Build(form));
    EXPECT_EQ(shadow.layerUpdates, 2);
}

TEST(ShadowDecisions, AHiddenFormIsNeverDrawnFor)
{
    FakeForm form;
    CountedShadow shadow;
    shadow.image.FormAttached(&form);
    for (int i = 0; i < 3; ++i) {
        form.left += 5;
        EXPECT_FALSE(shadow.Build(form, false));
    }
    EXPECT_EQ(shadow.layerUpdates, 0);
    EXPECT_EQ(shadow.image.Bitmap().Width(), 0);
    EXPECT_TRUE(shadow.image.Dirty()) << "the rebuild waits until the form is shown";
    EXPECT_TRUE(shadow.Build(form, true));
}

TEST(ShadowDecisions, NoFormOrNoWindowDrawsNothing)
{
    FakeForm form;
    form.handle = false;
    CountedShadow shadow;
    shadow.image.FormAttached(&form);
    EXPECT_FALSE(shadow.Build(form));
    EXPECT_FALSE(shadow.image.BuildShadow(nullptr, true));
    EXPECT_EQ(shadow.layerUpdates, 0);
    EXPECT_TRUE(shadow.image.Dirty());
}

TEST(ShadowDecisions, AttachingAgainRedrawsAnUnchangedForm)
{
    FakeForm form;
    CountedShadow shadow;
    shadow.image.FormAttached(&form);
    ASSERT_TRUE(shadow.Build(form));
    shadow.image.FormAttached(nullptr); // detach
    EXPECT_TRUE(shadow.image.Dirty());
    shadow.image.FormAttached(&form);
    EXPECT_TRUE(shadow.Build(form));
    EXPECT_EQ(shadow.layerUpdates, 2);
}

TEST(ShadowOpacity, FollowsTheFormsAlphaBlendValueOnlyWhenBlending)
{
    FakeForm form;
    form.width = form.clientWidth = 200;
    form.height = form.clientHeight = 120;
    form.alphaBlendValue = 128;
    EXPECT_EQ(BuildOnce(form, PixelSteps::Fast), BuildOnce(form, PixelSteps::Fast));
    {
        CountedShadow shadow;
        shadow.image.FormAttached(&form);
        shadow.Build(form);
        EXPECT_EQ(shadow.image.Blend().SourceConstantAlpha, 255);
    }
    form.alphaBlend = true;
    CountedShadow shadow;
    shadow.image.FormAttached(&form);
    shadow.Build(form);
    EXPECT_EQ(shadow.image.Blend().SourceConstantAlpha, 128);
    // The pixels themselves stay as at full opacity: the window halves them.
    form.alphaBlend = false;
    EXPECT_EQ(shadow.image.Bitmap(), BuildOnce(form, PixelSteps::Fast));
}

TEST(ShadowBorder, GrowsTheShapeByAThirdOfTheBorders)
{
    FakeForm form;
    form.width = 300;
    form.height = 200;
    form.border = true;
    form.borders = {8, 5}; // 8 div 3 = 2 left and right, 5 div 3 = 1 top and bottom
    form.clientOrigin = {form.left + 8, form.top + 30};
    form.clientWidth = 284;
    form.clientHeight = 162;
    const ShadowBitmap bordered = BuildOnce(form, PixelSteps::Fast);
    form.border = false;
    const ShadowBitmap plain = BuildOnce(form, PixelSteps::Fast);

    // The hole is the grown rectangle: 2 more columns each side, 1 more row.
    for (int y = 15; y <= 16 + 200; ++y) {
        EXPECT_EQ(AlphaAt(bordered, 14, y), 0) << y;
        EXPECT_EQ(AlphaAt(bordered, 16 + 300 + 1, y), 0) << y;
    }
    EXPECT_NE(AlphaAt(bordered, 13, 100), 0);
    EXPECT_NE(AlphaAt(bordered, 16 + 300 + 2, 100), 0);
    EXPECT_NE(AlphaAt(bordered, 150, 14), 0);
    EXPECT_NE(AlphaAt(plain, 14, 100), 0);
    EXPECT_NE(AlphaAt(plain, 15, 100), 0);
    // The fringe of the larger white rectangle is stronger.
    EXPECT_GT(AlphaAt(bordered, 10, 100), AlphaAt(plain, 10, 100));
    EXPECT_GT(AlphaAt(bordered, 150, 10), AlphaAt(plain, 150, 10));
}

namespace {

// A window with its top left corner cut away: two rectangles.
FakeForm NotchedForm()
{
    FakeForm form;
    form.width = form.clientWidth = 300;
    form.height = form.clientHeight = 200;
    form.region = ShadowRegion({{100, 0, 300, 60}, {0, 60, 300, 200}});
    return form;
}

} // namespace

TEST(ShadowRegionPath, AComplexRegionShapesTheShadow)
{
    FakeForm form = NotchedForm();
    CountedShadow shadow;
    shadow.image.FormAttached(&form);
    ASSERT_TRUE(shadow.Build(form));
    EXPECT_TRUE(shadow.image.HoldsRegion());
    const ShadowBitmap &b = shadow.image.Bitmap();
    ASSERT_EQ(b.Width(), 332);

    // Inside the region: cut out.
    EXPECT_EQ(AlphaAt(b, 16 + 150, 16 + 30), 0);
    EXPECT_EQ(AlphaAt(b, 16 + 50, 16 + 100), 0);
    // In the notch, near both of the region's edges: the fringe shows.
    EXPECT_GT(AlphaAt(b, 16 + 98, 16 + 58), 100);
    // Deep in the notch, far from the shape: nothing.
    EXPECT_EQ(AlphaAt(b, 16 + 5, 16 + 2), 0);
    // A rectangle path would have cut the notch out entirely.
    FakeForm plain = form;
    plain.region.reset();
    EXPECT_EQ(AlphaAt(BuildOnce(plain, PixelSteps::Fast), 16 + 98, 16 + 58), 0);
}

TEST(ShadowRegionPath, PlainOrEmptyRegionsTakeTheRectanglePath)
{
    FakeForm form = NotchedForm();
    CountedShadow shadow;
    shadow.image.FormAttached(&form);
    ASSERT_TRUE(shadow.Build(form));
    ASSERT_TRUE(shadow.image.HoldsRegion());

    FakeForm plain = form;
    plain.region.reset();
    const ShadowBitmap rectangle = BuildOnce(plain, PixelSteps::Fast);

    const std::vector<ShadowRegion> regions = {
        ShadowRegion({{0, 0, 300, 200}}),                  // one rectangle
        ShadowRegion({{0, 0, 300, 100}, {0, 100, 300, 200}}), // two making one
        ShadowRegion(),                                    // empty
    };
    for (const ShadowRegion &r : regions) {
        form.region = r;
        form.height += 1; // force a rebuild
        form.clientHeight = form.height;
        plain.height = plain.clientHeight = form.height;
        ASSERT_TRUE(shadow.Build(form));
        EXPECT_FALSE(shadow.image.HoldsRegion());
        EXPECT_EQ(shadow.image.Bitmap(), BuildOnce(plain, PixelSteps::Fast));
    }
    (void)rectangle;
}

TEST(ShadowTransparentColour, ShadowShowsThroughTheTransparentPart)
{
    FakeForm form;
    form.width = form.clientWidth = 300;
    form.height = form.clientHeight = 200;
    form.clientOrigin = {form.left, form.top};
    form.transparentColor = true;
    form.transparentColorValue = MakeColor(255, 0, 255);
    // A transparent hole in the middle of an opaque client area.
    form.PaintClientWith(MakeColor(200, 200, 200), {100, 60, 200, 140}, MakeColor(255, 0, 255));

    CountedShadow shadow;
    shadow.image.FormAttached(&form);
    ASSERT_TRUE(shadow.Build(form));
    EXPECT_EQ(form.paints, 2) << "once to stamp, once to cut";
    const ShadowBitmap &b = shadow.image.Bitmap();
    // Opaque client pixels end black.
    EXPECT_EQ(AlphaAt(b, 16 + 50, 16 + 50), 0);
    EXPECT_EQ(AlphaAt(b, 16 + 250, 16 + 180), 0);
    // Inside the hole, near its edge: the blurred white of the stamp remains.
    EXPECT_GT(AlphaAt(b, 16 + 101, 16 + 100), 50);
    // Deep inside the hole the stamp left black, and the blur does not reach.
    EXPECT_EQ(AlphaAt(b, 16 + 150, 16 + 100), 0);
    // The outer fringe is as usual.
    EXPECT_GT(AlphaAt(b, 10, 100), 0);
}

TEST(ShadowTransparentColour, TheMaskSitsAtTheClientAreasPlace)
{
    // A bordered form: the client area lies 4 right and 20 down inside the window.
    FakeForm form;
    form.width = 300;
    form.height = 200;
    form.border = true;
    form.borders = {4, 4};
    form.clientOrigin = {form.left + 4, form.top + 20};
    form.clientWidth = 292;
    form.clientHeight = 176;
    form.transparentColor = true;
    form.transparentColorValue = MakeColor(0, 0, 0);
    form.PaintClientWith(MakeColor(0, 0, 0), {10, 10, 282, 166}, MakeColor(1, 1, 1));
    const ShadowBitmap b = BuildOnce(form, PixelSteps::Fast);
    // The frame keeps its blurred value; the opaque client part is black.
    EXPECT_EQ(AlphaAt(b, 16 + 4 + 100, 16 + 20 + 100), 0);
    EXPECT_GT(AlphaAt(b, 16 + 150, 16 + 2), 0);
    EXPECT_GT(AlphaAt(b, 16 + 150, 16 + 198), 0);
}

// Every path, both ways, bit for bit.
TEST(ShadowBothWays, AgreeOnEveryPath)
{
    std::vector<FakeForm> forms;
    FakeForm f;
    forms.push_back(f); // the main window
    f.width = f.clientWidth = 1;
    f.height = f.clientHeight = 1;
    forms.push_back(f); // tiny
    f.width = f.clientWidth = 0;
    f.height = f.clientHeight = 0;
    forms.push_back(f); // empty
    f = NotchedForm();
    forms.push_back(f); // region
    f.region = ShadowRegion({{20, 0, 280, 200}, {0, 20, 300, 180}, {10, 10, 290, 190}}); // overlapping
    f.alphaBlend = true;
    f.alphaBlendValue = 128;
    forms.push_back(f); // region, opacity
    f = FakeForm();
    f.width = 333;
    f.height = 211;
    f.border = true;
    f.borders = {7, 11};
    f.clientOrigin = {f.left + 7, f.top + 25};
    f.clientWidth = 319;
    f.clientHeight = 175;
    forms.push_back(f); // border
    f.transparentColor = true;
    f.transparentColorValue = MakeColor(255, 0, 255);
    f.PaintClientWith(MakeColor(12, 34, 56), {40, 30, 250, 120}, MakeColor(255, 0, 255));
    forms.push_back(f); // border and transparent colour
    f.border = false;
    f.region = NotchedForm().region;
    forms.push_back(f); // region and transparent colour

    for (size_t i = 0; i < forms.size(); ++i)
        EXPECT_TRUE(BuildOnce(forms[i], PixelSteps::Fast) == BuildOnce(forms[i], PixelSteps::Straightforward))
            << "form " << i;
}
