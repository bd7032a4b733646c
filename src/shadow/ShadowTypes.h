#pragma once

#include <cstdint>

namespace quorbel {

// A colour as the form library stores it: red in the low byte, then green, then blue.
using TColor = std::uint32_t;

constexpr std::uint8_t RedOf(TColor c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(TColor c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(TColor c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
constexpr TColor MakeColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return TColor(red) | (TColor(green) << 8) | (TColor(blue) << 16);
}

// Left and top inclusive, right and bottom exclusive.
struct ShadowRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    ShadowRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    ShadowRect Intersect(const ShadowRect &o) const;
    bool operator==(const ShadowRect &o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

inline ShadowRect ShadowRect::Intersect(const ShadowRect &o) const
{
    ShadowRect r{left > o.left ? left : o.left, top > o.top ? top : o.top, right < o.right ? right : o.right,
                 bottom < o.bottom ? bottom : o.bottom};
    return r.IsEmpty() ? ShadowRect{} : r;
}

struct ShadowPoint
{
    int x = 0;
    int y = 0;
};

// Width of the frame a bordered window draws around its client area.
struct ShadowBorders
{
    unsigned cx = 0;
    unsigned cy = 0;
};

// How the layered window combines the image with the screen.
struct BlendFunction
{
    std::uint8_t BlendOp = 0;             // source over
    std::uint8_t BlendFlags = 0;
    std::uint8_t SourceConstantAlpha = 0; // set before every update
    std::uint8_t AlphaFormat = 1;         // the image carries per-pixel alpha
};

} // namespace quorbel
