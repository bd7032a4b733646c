#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorbel {

// A 32-bit image, 4 bytes a pixel in memory order blue, green, red, alpha, rows
// from the top down without padding. On little-endian machines this is the
// layout of QImage::Format_ARGB32_Premultiplied.
class ShadowBitmap
{
public:
    static constexpr int BlueByte = 0;
    static constexpr int GreenByte = 1;
    static constexpr int RedByte = 2;
    static constexpr int AlphaByte = 3;

    ShadowBitmap() = default;
    ShadowBitmap(int width, int height) { SetSize(width, height); }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int BytesPerLine() const { return FWidth * 4; }
    // Resizing clears every pixel to zero.
    void SetSize(int width, int height);

    std::uint8_t *Scanline(int y) { return FBytes.data() + static_cast<std::size_t>(y) * BytesPerLine(); }
    const std::uint8_t *Scanline(int y) const { return FBytes.data() + static_cast<std::size_t>(y) * BytesPerLine(); }
    std::uint8_t *Pixel(int x, int y) { return Scanline(y) + 4 * x; }
    const std::uint8_t *Pixel(int x, int y) const { return Scanline(y) + 4 * x; }
    std::uint8_t *Bits() { return FBytes.data(); }
    const std::uint8_t *Bits() const { return FBytes.data(); }

    bool operator==(const ShadowBitmap &o) const
    {
        return FWidth == o.FWidth && FHeight == o.FHeight && FBytes == o.FBytes;
    }
    bool operator!=(const ShadowBitmap &o) const { return !(*this == o); }

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<std::uint8_t> FBytes;
};

} // namespace quorbel
