#pragma once

#include <QString>

namespace quorbel {

// Pads text on the right to a terminal width; CJK characters take two columns.
QString PadToWidth(const QString &text, int width);

} // namespace quorbel
