#include "shadow/ShadowBlur.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorbel {

int ShadowBlur::ClampX(int v) const
{
    if (v < 0)
        return 0;
    return v < FBitmap.Width() ? v : FBitmap.Width() - 1;
}

int ShadowBlur::ClampY(int v) const
{
    if (v < 0)
        return 0;
    return v < FBitmap.Height() ? v : FBitmap.Height() - 1;
}

void ShadowBlur::BlurPass(int k)
{
    static constexpr int Channels[] = {ShadowBitmap::BlueByte, ShadowBitmap::GreenByte, ShadowBitmap::RedByte};
    for (int y = 0; y < FBitmap.Height(); ++y) {
        for (int x = 0; x < FBitmap.Width(); ++x) {
            const int left = ClampX(x - k);
            const int right = ClampX(x + k);
            const int up = ClampY(y - k);
            const int down = ClampY(y + k);
            std::uint8_t *pixel = FBitmap.Pixel(x, y);
            for (int c : Channels) {
                const int sum = FBitmap.Pixel(left, up)[c] + FBitmap.Pixel(right, up)[c] +
                                FBitmap.Pixel(left, down)[c] + FBitmap.Pixel(right, down)[c];
                pixel[c] = static_cast<std::uint8_t>(sum >> 2);
            }
        }
    }
}

void Blur(ShadowBitmap &bitmap, int passes)
{
    ShadowBlur blur(bitmap);
    for (int k = 1; k <= passes; ++k)
        blur.BlurPass(k);
}

namespace {

inline int Clamp(int v, int size)
{
    if (v < 0)
        return 0;
    return v < size ? v : size - 1;
}

// One row, pixel by pixel in visiting order: right for the rows whose samples
// lie in the row itself (the top row, the bottom row), where pixels to the left
// already hold new values.
void BlurRowInOrder(GreyPlane &plane, int y, int k)
{
    const int w = plane.width;
    std::uint8_t *row = plane.Row(y);
    const std::uint8_t *up = plane.Row(Clamp(y - k, plane.height));
    const std::uint8_t *down = plane.Row(Clamp(y + k, plane.height));
    for (int x = 0; x < w; ++x) {
        const int l = Clamp(x - k, w);
        const int r = Clamp(x + k, w);
        row[x] = static_cast<std::uint8_t>((up[l] + up[r] + down[l] + down[r]) >> 2);
    }
}

// A row whose samples all lie in other rows: the row above is final, the row
// below untouched, and no pixel of this row is read, so any order gives the
// same result.
void BlurRowFromOthers(std::uint8_t *__restrict row, const std::uint8_t *__restrict up,
                       const std::uint8_t *__restrict down, int w, int k)
{
    auto pixel = [&](int x) {
        const int l = Clamp(x - k, w);
        const int r = Clamp(x + k, w);
        row[x] = static_cast<std::uint8_t>((up[l] + up[r] + down[l] + down[r]) >> 2);
    };
    int x = 0;
    for (; x < k && x < w; ++x)
        pixel(x);
    const int end = w - k; // columns [k, w - k) need no clamping
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; x + 16 <= end; x += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(up + x - k));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(up + x + k));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(down + x - k));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i *>(down + x + k));
        __m128i lo = _mm_add_epi16(_mm_add_epi16(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero)),
                                   _mm_add_epi16(_mm_unpacklo_epi8(c, zero), _mm_unpacklo_epi8(d, zero)));
        __m128i hi = _mm_add_epi16(_mm_add_epi16(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero)),
                                   _mm_add_epi16(_mm_unpackhi_epi8(c, zero), _mm_unpackhi_epi8(d, zero)));
        lo = _mm_srli_epi16(lo, 2);
        hi = _mm_srli_epi16(hi, 2);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(row + x), _mm_packus_epi16(lo, hi));
    }
#endif
    for (; x < end; ++x)
        row[x] = static_cast<std::uint8_t>((up[x - k] + up[x + k] + down[x - k] + down[x + k]) >> 2);
    for (; x < w; ++x)
        pixel(x);
}

} // namespace

void BlurGreyPass(GreyPlane &plane, int k)
{
    const int h = plane.height;
    if (h <= 0 || plane.width <= 0)
        return;
    // Rows 1 .. h-2 take their upper samples from a row above them and their
    // lower samples from a row below them; only the first and the last row
    // sample themselves.
    BlurRowInOrder(plane, 0, k);
    for (int y = 1; y < h - 1; ++y)
        BlurRowFromOthers(plane.Row(y), plane.Row(Clamp(y - k, h)), plane.Row(Clamp(y + k, h)), plane.width, k);
    if (h > 1)
        BlurRowInOrder(plane, h - 1, k);
}

void BlurGrey(GreyPlane &plane, int passes)
{
    for (int k = 1; k <= passes; ++k)
        BlurGreyPass(plane, k);
}

} // namespace quorbel
