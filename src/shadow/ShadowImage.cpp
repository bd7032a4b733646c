#include "shadow/ShadowImage.h"

#include "shadow/AlphaTable.h"
#include "shadow/ShadowBlur.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorbel {

namespace {

constexpr std::uint8_t Black = 0;
constexpr std::uint8_t White = 255;

} // namespace

void ShadowImage::FormAttached(const AttachedForm *form)
{
    if (form)
        FMaskColor = form->TransparentColorValue();
    FDirty = true;
}

bool ShadowImage::BuildShadow(const AttachedForm *form, bool formShown)
{
    if (!formShown || !form || !form->HandleAllocated())
        return false;

    const int width = form->Width() + 2 * Margin;
    const int height = form->Height() + 2 * Margin;
    if (FBitmap.Width() != width || FBitmap.Height() != height) {
        FDirty = true;
        FBitmap.SetSize(width, height);
    } else if (form->TransparentColor() && form->TransparentColorValue() != FMaskColor) {
        FDirty = true;
    }
    if (!FDirty)
        return false;
    FDirty = false;

    if (FSteps == PixelSteps::Fast)
        FGrey.SetSize(width, height);
    FillRect({0, 0, width, height}, Black);

    // A window region that is more than one rectangle gives the shadow its shape;
    // none, an empty one or a plain rectangle all take the window rectangle.
    ShadowRegion region;
    if (form->WindowRegion(region) && region.Kind() == RegionKind::Complex)
        FRegion = std::move(region);
    else
        FRegion.reset();

    ShadowRect shape;
    if (FRegion) {
        FRegion->Offset(Margin, Margin);
        FClip = &*FRegion;
        shape = FRegion->BoundingBox();
    } else {
        shape = {0, 0, form->Width(), form->Height()};
        if (form->HasBorder()) {
            const ShadowBorders borders = form->WindowBorders();
            const int dx = static_cast<int>(borders.cx / 3);
            const int dy = static_cast<int>(borders.cy / 3);
            shape = {shape.left - dx, shape.top - dy, shape.right + dx, shape.bottom + dy};
        }
        shape = shape.Offset(Margin, Margin);
    }

    FillRect(shape, White);
    DrawFormMask(*form, true);
    BlurImage();
    // The hole: the form's own opaque area goes black again, the fringe stays.
    if (form->TransparentColor())
        DrawFormMask(*form, false);
    else
        FillRect(shape, Black);
    UpdateLayer(*form);
    FClip = nullptr;
    return true;
}

void ShadowImage::DrawFormMask(const AttachedForm &form, bool Stamp)
{
    if (!form.TransparentColor())
        return;
    const ShadowPoint origin = form.ClientOrigin();
    FMaskColor = form.TransparentColorValue();

    const ShadowBitmap client = form.PaintClient();
    const int w = client.Width();
    const int h = client.Height();
    // 1 where the rendering shows the transparent colour, 0 elsewhere.
    std::vector<std::uint8_t> mask(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t *p = client.Pixel(x, y);
            mask[static_cast<size_t>(y) * w + x] = p[ShadowBitmap::RedByte] == RedOf(FMaskColor) &&
                                                    p[ShadowBitmap::GreenByte] == GreenOf(FMaskColor) &&
                                                    p[ShadowBitmap::BlueByte] == BlueOf(FMaskColor);
        }
    }
    BlitMask(mask, w, h, origin.x - form.Left() + Margin, origin.y - form.Top() + Margin, Stamp);
}

std::vector<ShadowRect> ShadowImage::ClipRects() const
{
    const ShadowRect bounds{0, 0, FBitmap.Width(), FBitmap.Height()};
    if (!FClip)
        return {bounds};
    std::vector<ShadowRect> rects;
    for (const ShadowRect &r : FClip->Rects()) {
        const ShadowRect c = r.Intersect(bounds);
        if (!c.IsEmpty())
            rects.push_back(c);
    }
    return rects;
}

void ShadowImage::FillRect(const ShadowRect &rect, std::uint8_t grey)
{
    for (const ShadowRect &clip : ClipRects()) {
        const ShadowRect r = rect.Intersect(clip);
        if (r.IsEmpty())
            continue;
        for (int y = r.top; y < r.bottom; ++y) {
            if (FSteps == PixelSteps::Fast) {
                std::memset(FGrey.Row(y) + r.left, grey, static_cast<size_t>(r.Width()));
                continue;
            }
            for (int x = r.left; x < r.right; ++x) {
                std::uint8_t *p = FBitmap.Pixel(x, y);
                p[ShadowBitmap::BlueByte] = p[ShadowBitmap::GreenByte] = p[ShadowBitmap::RedByte] = grey;
                p[ShadowBitmap::AlphaByte] = 0;
            }
        }
    }
}

// A monochrome mask copied onto the colour image. Stamp: transparent-colour
// pixels black, all others white. Cut (AND): transparent-colour pixels keep
// their value, all others black.
void ShadowImage::BlitMask(const std::vector<std::uint8_t> &mask, int maskWidth, int maskHeight, int x0, int y0,
                           bool Stamp)
{
    const ShadowRect target{x0, y0, x0 + maskWidth, y0 + maskHeight};
    for (const ShadowRect &clip : ClipRects()) {
        const ShadowRect r = target.Intersect(clip);
        for (int y = r.top; y < r.bottom; ++y) {
            const std::uint8_t *bits = mask.data() + static_cast<size_t>(y - y0) * maskWidth;
            for (int x = r.left; x < r.right; ++x) {
                const bool transparent = bits[x - x0] != 0;
                if (FSteps == PixelSteps::Fast) {
                    std::uint8_t &g = FGrey.Row(y)[x];
                    g = Stamp ? (transparent ? Black : White) : (transparent ? g : Black);
                    continue;
                }
                std::uint8_t *p = FBitmap.Pixel(x, y);
                if (Stamp || !transparent) {
                    const std::uint8_t grey = Stamp && !transparent ? White : Black;
                    p[ShadowBitmap::BlueByte] = p[ShadowBitmap::GreenByte] = p[ShadowBitmap::RedByte] = grey;
                }
                p[ShadowBitmap::AlphaByte] = 0;
            }
        }
    }
}

void ShadowImage::BlurImage()
{
    if (FSteps == PixelSteps::Fast)
        BlurGrey(FGrey, BlurPasses);
    else
        Blur(FBitmap, BlurPasses);
}

void ShadowImage::UpdateLayer(const AttachedForm &form)
{
    FBlend.SourceConstantAlpha = form.AlphaBlend() ? form.AlphaBlendValue() : 255;
    if (FSteps == PixelSteps::Fast)
        PremultiplyFast();
    else
        PremultiplyStraightforward();
    if (FLayerUpdate)
        FLayerUpdate();
}

void ShadowImage::PremultiplyStraightforward()
{
    const TColor c = FShadowColor;
    for (int y = 0; y < FBitmap.Height(); ++y) {
        for (int x = 0; x < FBitmap.Width(); ++x) {
            std::uint8_t *p = FBitmap.Pixel(x, y);
            const std::uint8_t a = p[ShadowBitmap::BlueByte];
            p[ShadowBitmap::AlphaByte] = a;
            p[ShadowBitmap::BlueByte] = AlphaTable[BlueOf(c)][a];
            p[ShadowBitmap::GreenByte] = AlphaTable[GreenOf(c)][a];
            p[ShadowBitmap::RedByte] = AlphaTable[RedOf(c)][a];
        }
    }
}

// The grey of each pixel is its alpha; the colour bytes come from the table.
void ShadowImage::PremultiplyFast()
{
    const TColor c = FShadowColor;
    const size_t count = FGrey.bytes.size();
    const std::uint8_t *grey = FGrey.bytes.data();
    std::uint8_t *out = FBitmap.Bits();
    size_t i = 0;
#if defined(__SSE2__)
    if (c == 0) {
        // A black shadow premultiplies to zero colour bytes: only alpha remains.
        const __m128i zero = _mm_setzero_si128();
        for (; i + 16 <= count; i += 16) {
            const __m128i g = _mm_loadu_si128(reinterpret_cast<const __m128i *>(grey + i));
            const __m128i lo = _mm_unpacklo_epi8(zero, g); // 0, g per 16 bits
            const __m128i hi = _mm_unpackhi_epi8(zero, g);
            __m128i *dst = reinterpret_cast<__m128i *>(out + 4 * i);
            _mm_storeu_si128(dst + 0, _mm_unpacklo_epi16(zero, lo)); // 0, 0, 0, g per pixel
            _mm_storeu_si128(dst + 1, _mm_unpackhi_epi16(zero, lo));
            _mm_storeu_si128(dst + 2, _mm_unpacklo_epi16(zero, hi));
            _mm_storeu_si128(dst + 3, _mm_unpackhi_epi16(zero, hi));
        }
    }
#endif
    std::uint8_t pixels[256][4];
    for (int a = 0; a < 256; ++a) {
        pixels[a][ShadowBitmap::BlueByte] = AlphaTable[BlueOf(c)][a];
        pixels[a][ShadowBitmap::GreenByte] = AlphaTable[GreenOf(c)][a];
        pixels[a][ShadowBitmap::RedByte] = AlphaTable[RedOf(c)][a];
        pixels[a][ShadowBitmap::AlphaByte] = static_cast<std::uint8_t>(a);
    }
    for (; i < count; ++i)
        std::memcpy(out + 4 * i, pixels[grey[i]], 4);
}

} // namespace quorbel
