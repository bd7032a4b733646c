#pragma once

#include <QFont>

namespace quorbel {

// "宋体" where it exists, otherwise the Song-style Noto Serif CJK SC.
QFont SongFont(qreal pointSize = 9);
// The same family list at a pixel height.
QFont SongFontPixels(int pixelHeight);
// A Latin face by family and pixel height (Tahoma, Arial), with a CJK fallback.
QFont PixelFont(const QString &family, int pixelHeight, bool bold = false);

} // namespace quorbel
