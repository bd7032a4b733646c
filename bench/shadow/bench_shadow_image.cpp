// One build of the main window's 662 x 492 shadow, the fast way and the
// straightforward way, and one move (which must not draw).
#include "shadow/ShadowImage.h"

#include <benchmark/benchmark.h>

using namespace quorbel;

namespace {

// The borderless 630 x 460 main window.
struct MainWindow : AttachedForm
{
    int left = 100, top = 80;
    bool HandleAllocated() const override { return true; }
    int Left() const override { return left; }
    int Top() const override { return top; }
    int Width() const override { return 630; }
    int Height() const override { return 460; }
    ShadowPoint ClientOrigin() const override { return {left, top}; }
    int ClientWidth() const override { return 630; }
    int ClientHeight() const override { return 460; }
    bool HasBorder() const override { return false; }
    ShadowBorders WindowBorders() const override { return {}; }
    bool WindowRegion(ShadowRegion &) const override { return false; }
    bool AlphaBlend() const override { return false; }
    std::uint8_t AlphaBlendValue() const override { return 255; }
    bool TransparentColor() const override { return false; }
    TColor TransparentColorValue() const override { return 0; }
    ShadowBitmap PaintClient() const override { return {}; }
};

void Build(benchmark::State &state, PixelSteps steps)
{
    MainWindow form;
    ShadowImage image;
    image.SetPixelSteps(steps);
    for (auto _ : state) {
        image.FormAttached(&form); // asks for a rebuild
        const bool built = image.BuildShadow(&form, true);
        benchmark::DoNotOptimize(built);
        benchmark::DoNotOptimize(image.Bitmap().Bits());
    }
}

void BM_BuildFast(benchmark::State &state) { Build(state, PixelSteps::Fast); }
void BM_BuildStraightforward(benchmark::State &state) { Build(state, PixelSteps::Straightforward); }

void BM_MoveDecision(benchmark::State &state)
{
    MainWindow form;
    ShadowImage image;
    image.FormAttached(&form);
    image.BuildShadow(&form, true);
    for (auto _ : state) {
        form.left ^= 1;
        const bool built = image.BuildShadow(&form, true);
        benchmark::DoNotOptimize(built);
    }
}

} // namespace

BENCHMARK(BM_BuildFast)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildStraightforward)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveDecision)->Unit(benchmark::kNanosecond);
