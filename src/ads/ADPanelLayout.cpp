#include "ads/ADPanelLayout.h"

namespace quorbel {

namespace {
// The panel's side for a picture side: the picture plus its frame, or the
// maximum once the picture does not fit inside the maximum's frame.
int panelSide(int pictureSide, int maxSide)
{
    if (pictureSide < 0)
        pictureSide = 0;
    return pictureSide <= maxSide - 2 ? pictureSide + 2 : maxSide;
}

int floorDiv2(int value)
{
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}
} // namespace

QRect ADPanelGeometry(const QSize &picture, int formWidth)
{
    const int width = panelSide(picture.width(), ADPanelMaxWidth);
    const int height = panelSide(picture.height(), ADPanelMaxHeight);
    const int top = ADPanelBandTop + floorDiv2(ADPanelMaxHeight - height);
    const int left = formWidth - width - ADPanelRightMargin;
    return QRect(left, top, width, height);
}

} // namespace quorbel
