#pragma once

#include <array>
#include <cstdint>

namespace quorbel {

using AlphaTableType = std::array<std::array<std::uint8_t, 256>, 256>;

// AlphaTable[channel][alpha] = channel * alpha / 255, rounded down: the
// premultiplication without a division per byte. Filled before any code runs.
extern const AlphaTableType AlphaTable;

} // namespace quorbel
