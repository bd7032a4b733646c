#pragma once

#include "shadow/AttachedForm.h"
#include "shadow/GreyPlane.h"
#include "shadow/ShadowBitmap.h"
#include "shadow/ShadowRegion.h"
#include "shadow/ShadowTypes.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace quorbel {

// How the pixel steps (fills, mask blits, blur, premultiplication) are done.
// Both give the same image bit for bit.
enum class PixelSteps {
    Fast,           // one grey byte a pixel until the alpha step, many pixels at a time
    Straightforward // every byte of the 32-bit image, pixel by pixel, as the steps read
};

// The soft shadow image of a form: its silhouette 16 pixels larger on every
// side, blurred, with the form's own area cut out again, premultiplied with the
// shadow colour. Rebuilt only when the form's size or transparent colour
// changes or a rebuild was asked for; otherwise the last image stays.
class ShadowImage
{
public:
    static constexpr int Margin = 16;
    static constexpr int BlurPasses = 3;

    // Called after every premultiplication: the window must show Bitmap() now,
    // with Blend().SourceConstantAlpha as its overall opacity.
    using LayerUpdate = std::function<void()>;

    void SetLayerUpdate(LayerUpdate update) { FLayerUpdate = std::move(update); }
    void SetPixelSteps(PixelSteps steps) { FSteps = steps; }

    // A form was attached (or the shadow detached, form null): the mask colour
    // follows the form and the next build redraws.
    void FormAttached(const AttachedForm *form);

    // Redraws the image if due; returns whether it did. Nothing is drawn for a
    // missing or hidden form or one without a window.
    bool BuildShadow(const AttachedForm *form, bool formShown);

    const ShadowBitmap &Bitmap() const { return FBitmap; }
    const BlendFunction &Blend() const { return FBlend; }
    bool Dirty() const { return FDirty; }
    TColor MaskColor() const { return FMaskColor; }
    TColor ShadowColor() const { return FShadowColor; }
    // A copy of the form's complex window region is kept between builds.
    bool HoldsRegion() const { return FRegion.has_value(); }

private:
    void DrawFormMask(const AttachedForm &form, bool Stamp);
    void UpdateLayer(const AttachedForm &form);

    // Drawing on the pixels in use, limited to the bitmap and the clip region.
    std::vector<ShadowRect> ClipRects() const;
    void FillRect(const ShadowRect &rect, std::uint8_t grey);
    void BlitMask(const std::vector<std::uint8_t> &mask, int maskWidth, int maskHeight, int x, int y, bool Stamp);
    void BlurImage();
    void PremultiplyStraightforward();
    void PremultiplyFast();

    TColor FShadowColor = 0;
    TColor FMaskColor = 0;
    std::optional<ShadowRegion> FRegion;
    ShadowBitmap FBitmap;
    BlendFunction FBlend;
    bool FDirty = true;

    const ShadowRegion *FClip = nullptr; // selected while a build draws on the region path
    GreyPlane FGrey;                     // the fast steps' pixels until the alpha step
    PixelSteps FSteps = PixelSteps::Fast;
    LayerUpdate FLayerUpdate;
};

} // namespace quorbel
