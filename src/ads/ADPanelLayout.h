#pragma once

#include <QRect>
#include <QSize>

namespace quorbel {

// The picture slot of the advertisement strip: a panel with a one-pixel frame
// around the picture, at most 170 x 48, vertically centred on the band from
// y 59 to y 107 and right-aligned 10 pixels from the window's right edge. A
// larger picture shows only its top-left 168 x 46 pixels.
constexpr int ADPanelMaxWidth = 170;
constexpr int ADPanelMaxHeight = 48;
constexpr int ADPanelBandTop = 59;
constexpr int ADPanelRightMargin = 10;

// The panel's place and size on a window `formWidth` pixels wide for a
// picture of `picture` size.
QRect ADPanelGeometry(const QSize &picture, int formWidth);

} // namespace quorbel
