#pragma once

#include <QString>

namespace quorbel {

// True when `picFile` names a file directly inside the "Sup" folder: not empty,
// not "." or "..", and free of "/", "\" and NUL. A list from the network must
// never make the program read or write anywhere else.
bool IsBarePicFileName(const QString &picFile);

} // namespace quorbel
