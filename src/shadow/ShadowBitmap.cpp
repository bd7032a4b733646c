#include "shadow/ShadowBitmap.h"

#include <algorithm>

namespace quorbel {

void ShadowBitmap::SetSize(int width, int height)
{
    FWidth = std::max(width, 0);
    FHeight = std::max(height, 0);
    FBytes.assign(static_cast<std::size_t>(FWidth) * FHeight * 4, 0);
}

} // namespace quorbel
