#include "shadow/ShadowRegion.h"

#include <algorithm>

namespace quorbel {

ShadowRegion::ShadowRegion(std::vector<ShadowRect> rects)
{
    for (const ShadowRect &r : rects)
        if (!r.IsEmpty())
            FRects.push_back(r);
}

void ShadowRegion::Offset(int dx, int dy)
{
    for (ShadowRect &r : FRects)
        r = r.Offset(dx, dy);
}

ShadowRect ShadowRegion::BoundingBox() const
{
    if (FRects.empty())
        return {};
    ShadowRect box = FRects.front();
    for (const ShadowRect &r : FRects) {
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
    }
    return box;
}

RegionKind ShadowRegion::Kind() const
{
    if (FRects.empty())
        return RegionKind::Null;
    // The rectangles may overlap: the region is simple exactly when every cell
    // of the grid their edges span inside the bounding box is covered.
    std::vector<int> xs, ys;
    for (const ShadowRect &r : FRects) {
        xs.push_back(r.left);
        xs.push_back(r.right);
        ys.push_back(r.top);
        ys.push_back(r.bottom);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    for (size_t j = 0; j + 1 < ys.size(); ++j) {
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            const bool covered = std::any_of(FRects.begin(), FRects.end(), [&](const ShadowRect &r) {
                return r.left <= xs[i] && xs[i + 1] <= r.right && r.top <= ys[j] && ys[j + 1] <= r.bottom;
            });
            if (!covered)
                return RegionKind::Complex;
        }
    }
    return RegionKind::Simple;
}

} // namespace quorbel
