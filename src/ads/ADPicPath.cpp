#include "ads/ADPicPath.h"

namespace quorbel {

bool IsBarePicFileName(const QString &picFile)
{
    if (picFile.isEmpty() || picFile == QLatin1String(".") || picFile == QLatin1String(".."))
        return false;
    for (const QChar c : picFile) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QChar(0))
            return false;
    }
    return true;
}

} // namespace quorbel
