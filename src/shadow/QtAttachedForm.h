#pragma once

#include "shadow/AttachedForm.h"

#include <QRect>

class QWidget;

// A top-level QWidget as the shadow sees it. The window rectangle is the
// frame geometry of a bordered form and the geometry of a frameless one (whose
// frame margins are briefly wrong while a window manager reparents it); the
// widget itself is the client area; its mask is the window
// region; a frameless window has no border; a window opacity below 1 is alpha
// blending; the transparent colour comes from FormTransparentColor.
class QtAttachedForm : public quorbel::AttachedForm
{
public:
    explicit QtAttachedForm(QWidget *form) : FForm(form) {}

    bool HandleAllocated() const override;
    int Left() const override;
    int Top() const override;
    int Width() const override;
    int Height() const override;
    quorbel::ShadowPoint ClientOrigin() const override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    bool HasBorder() const override;
    quorbel::ShadowBorders WindowBorders() const override;
    bool WindowRegion(quorbel::ShadowRegion &region) const override;
    bool AlphaBlend() const override;
    std::uint8_t AlphaBlendValue() const override;
    bool TransparentColor() const override;
    quorbel::TColor TransparentColorValue() const override;
    quorbel::ShadowBitmap PaintClient() const override;

private:
    QRect WindowRect() const;

    QWidget *FForm;
};
