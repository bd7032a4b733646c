#include "shadow/AlphaTable.h"

namespace quorbel {

namespace {

constexpr AlphaTableType MakeAlphaTable()
{
    AlphaTableType table{};
    for (int i = 0; i < 256; ++i)
        for (int j = 0; j < 256; ++j)
            table[i][j] = static_cast<std::uint8_t>((i * j) / 255);
    return table;
}

} // namespace

// Constant-initialised: ready before any static constructor could ask for it.
constexpr AlphaTableType AlphaTable = MakeAlphaTable();

} // namespace quorbel
