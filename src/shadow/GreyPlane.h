#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorbel {

// One byte a pixel, rows from the top down. Until the alpha step every pixel of
// the shadow image has equal blue, green and red bytes, so the fast build keeps
// just that one value per pixel.
struct GreyPlane
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;

    void SetSize(int w, int h)
    {
        width = w;
        height = h;
        bytes.assign(static_cast<std::size_t>(w) * h, 0);
    }
    std::uint8_t *Row(int y) { return bytes.data() + static_cast<std::size_t>(y) * width; }
    const std::uint8_t *Row(int y) const { return bytes.data() + static_cast<std::size_t>(y) * width; }
};

} // namespace quorbel
