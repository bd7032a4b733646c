#pragma once

#include <QStringView>
#include <cstdint>

namespace quorbel {

// A strict signed 32-bit decimal reader: leading blanks are skipped, then an
// optional sign and digits up to the end. Anything else (trailing blanks, other
// characters, overflow, an empty text) gives `fallback`.
std::int32_t StrToIntDef(QStringView text, std::int32_t fallback);

} // namespace quorbel
