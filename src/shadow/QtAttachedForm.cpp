#include "shadow/QtAttachedForm.h"

#include "shadow/FormTransparentColor.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <cmath>

using namespace quorbel;

QRect QtAttachedForm::WindowRect() const
{
    return HasBorder() ? FForm->frameGeometry() : FForm->geometry();
}

bool QtAttachedForm::HandleAllocated() const
{
    return FForm->testAttribute(Qt::WA_WState_Created);
}

int QtAttachedForm::Left() const
{
    return WindowRect().x();
}

int QtAttachedForm::Top() const
{
    return WindowRect().y();
}

int QtAttachedForm::Width() const
{
    return WindowRect().width();
}

int QtAttachedForm::Height() const
{
    return WindowRect().height();
}

ShadowPoint QtAttachedForm::ClientOrigin() const
{
    const QPoint p = FForm->geometry().topLeft();
    return {p.x(), p.y()};
}

int QtAttachedForm::ClientWidth() const
{
    return FForm->width();
}

int QtAttachedForm::ClientHeight() const
{
    return FForm->height();
}

bool QtAttachedForm::HasBorder() const
{
    return !FForm->windowFlags().testFlag(Qt::FramelessWindowHint);
}

// The frame's left side and its bottom: the title bar makes the top thicker.
ShadowBorders QtAttachedForm::WindowBorders() const
{
    const QRect frame = WindowRect();
    const QRect client = FForm->geometry();
    return {static_cast<unsigned>(std::max(0, client.left() - frame.left())),
            static_cast<unsigned>(std::max(0, frame.bottom() - client.bottom()))};
}

bool QtAttachedForm::WindowRegion(ShadowRegion &region) const
{
    const QRegion mask = FForm->mask();
    if (mask.isEmpty())
        return false;
    // The mask is in client coordinates; the region is in window coordinates.
    const QPoint offset = FForm->geometry().topLeft() - WindowRect().topLeft();
    std::vector<ShadowRect> rects;
    for (const QRect &r : mask)
        rects.push_back(ShadowRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1}.Offset(offset.x(), offset.y()));
    region = ShadowRegion(std::move(rects));
    return true;
}

bool QtAttachedForm::AlphaBlend() const
{
    return FForm->windowOpacity() < 1.0;
}

std::uint8_t QtAttachedForm::AlphaBlendValue() const
{
    const long value = std::lround(FForm->windowOpacity() * 255.0);
    return static_cast<std::uint8_t>(std::clamp(value, 0L, 255L));
}

bool QtAttachedForm::TransparentColor() const
{
    return FormTransparentColor::IsOn(FForm);
}

TColor QtAttachedForm::TransparentColorValue() const
{
    const QColor c = FormTransparentColor::Value(FForm);
    return MakeColor(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                     static_cast<std::uint8_t>(c.blue()));
}

ShadowBitmap QtAttachedForm::PaintClient() const
{
    const int w = FForm->width();
    const int h = FForm->height();
    ShadowBitmap client(w, h);
    if (w <= 0 || h <= 0)
        return client;
    QImage rendering(w, h, QImage::Format_RGB32);
    rendering.fill(FForm->palette().color(FForm->backgroundRole()));
    FForm->render(&rendering);
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rendering.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            std::uint8_t *p = client.Pixel(x, y);
            p[ShadowBitmap::BlueByte] = static_cast<std::uint8_t>(qBlue(line[x]));
            p[ShadowBitmap::GreenByte] = static_cast<std::uint8_t>(qGreen(line[x]));
            p[ShadowBitmap::RedByte] = static_cast<std::uint8_t>(qRed(line[x]));
            p[ShadowBitmap::AlphaByte] = 0xFF;
        }
    }
    return client;
}
