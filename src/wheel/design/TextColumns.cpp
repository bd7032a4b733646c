#include "wheel/design/TextColumns.h"

#include <algorithm>

namespace quorbel {

QString PadToWidth(const QString &text, int width)
{
    int used = 0;
    for (QChar c : text)
        used += c.unicode() >= 0x2E80 ? 2 : 1;
    return text + QString(std::max(0, width - used), QLatin1Char(' '));
}

} // namespace quorbel
