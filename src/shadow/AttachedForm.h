#pragma once

#include "shadow/ShadowBitmap.h"
#include "shadow/ShadowRegion.h"
#include "shadow/ShadowTypes.h"

#include <cstdint>

namespace quorbel {

// What the shadow reads of the form it is attached to. The window rectangle
// (Left, Top, Width, Height) is the whole window on the screen, frame included;
// the client area is the part the form draws itself.
class AttachedForm
{
public:
    virtual ~AttachedForm() = default;

    // The form has its window in the window system.
    virtual bool HandleAllocated() const = 0;

    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // Screen position of the client area's top left corner.
    virtual ShadowPoint ClientOrigin() const = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;

    // Any border style but none.
    virtual bool HasBorder() const = 0;
    virtual ShadowBorders WindowBorders() const = 0;

    // The window region in window coordinates; false when the form has none.
    virtual bool WindowRegion(ShadowRegion &region) const = 0;

    virtual bool AlphaBlend() const = 0;
    virtual std::uint8_t AlphaBlendValue() const = 0;

    virtual bool TransparentColor() const = 0;
    virtual TColor TransparentColorValue() const = 0;
    // The client area with all its controls, ClientWidth x ClientHeight; the
    // alpha bytes are not looked at.
    virtual ShadowBitmap PaintClient() const = 0;
};

} // namespace quorbel
