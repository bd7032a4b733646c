#pragma once

#include "shadow/ShadowTypes.h"

#include <vector>

namespace quorbel {

// What a window region amounts to.
enum class RegionKind { Null, Simple, Complex };

// A window region as a list of rectangles whose union is the region.
class ShadowRegion
{
public:
    ShadowRegion() = default;
    explicit ShadowRegion(std::vector<ShadowRect> rects);

    const std::vector<ShadowRect> &Rects() const { return FRects; }
    void Offset(int dx, int dy);
    // The smallest rectangle holding the region; empty for an empty region.
    ShadowRect BoundingBox() const;
    // Null: covers nothing; Simple: covers exactly one rectangle; Complex: anything else.
    RegionKind Kind() const;

private:
    std::vector<ShadowRect> FRects; // never holds an empty rectangle
};

} // namespace quorbel
