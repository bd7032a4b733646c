#pragma once

#include "shadow/AttachedForm.h"

#include <optional>

// A form as plain data, for building shadows without a window.
struct FakeForm : quorbel::AttachedForm
{
    bool handle = true;
    int left = 100, top = 80, width = 630, height = 460;
    quorbel::ShadowPoint clientOrigin{100, 80};
    int clientWidth = 630, clientHeight = 460;
    bool border = false;
    quorbel::ShadowBorders borders;
    std::optional<quorbel::ShadowRegion> region;
    bool alphaBlend = false;
    std::uint8_t alphaBlendValue = 255;
    bool transparentColor = false;
    quorbel::TColor transparentColorValue = 0;
    quorbel::ShadowBitmap client; // what PaintClient shows
    mutable int paints = 0;

    bool HandleAllocated() const override { return handle; }
    int Left() const override { return left; }
    int Top() const override { return top; }
    int Width() const override { return width; }
    int Height() const override { return height; }
    quorbel::ShadowPoint ClientOrigin() const override { return clientOrigin; }
    int ClientWidth() const override { return clientWidth; }
    int ClientHeight() const override { return clientHeight; }
    bool HasBorder() const override { return border; }
    quorbel::ShadowBorders WindowBorders() const override { return borders; }
    bool WindowRegion(quorbel::ShadowRegion &out) const override
    {
        if (region)
            out = *region;
        return region.has_value();
    }
    bool AlphaBlend() const override { return alphaBlend; }
    std::uint8_t AlphaBlendValue() const override { return alphaBlendValue; }
    bool TransparentColor() const override { return transparentColor; }
    quorbel::TColor TransparentColorValue() const override { return transparentColorValue; }
    quorbel::ShadowBitmap PaintClient() const override
    {
        ++paints;
        return client;
    }

    // Fills the client rendering with one colour, then a rectangle with another.
    void PaintClientWith(quorbel::TColor background, quorbel::ShadowRect patch, quorbel::TColor patchColor)
    {
        client.SetSize(clientWidth, clientHeight);
        for (int y = 0; y < clientHeight; ++y) {
            for (int x = 0; x < clientWidth; ++x) {
                const bool inPatch = x >= patch.left && x < patch.right && y >= patch.top && y < patch.bottom;
                const quorbel::TColor c = inPatch ? patchColor : background;
                std::uint8_t *p = client.Pixel(x, y);
                p[0] = quorbel::BlueOf(c);
                p[1] = quorbel::GreenOf(c);
                p[2] = quorbel::RedOf(c);
                p[3] = 0xFF;
            }
        }
    }
};
