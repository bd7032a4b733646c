#pragma once

#include <cstdint>
#include <vector>

namespace quorbel {

// A subset of {1..n} (n <= 20) as a bit mask: bit p-1 stands for position p.
using SubsetMask = std::uint32_t;

// Largest selection the design code handles; the mask-to-index table has 2^n entries.
constexpr int kMaxDesignPositions = 20;

// C(n, k); 0 when k < 0 or k > n.
std::int64_t Binomial(int n, int k);

// All k-subsets of {1..n} as masks, in increasing numeric order of the masks.
std::vector<SubsetMask> KSubsets(int n, int k);

// Positions (1-based, ascending) of the set bits.
std::vector<int> MaskToPositions(SubsetMask mask);

// Mask of 1-based positions; positions outside 1..kMaxDesignPositions are ignored.
SubsetMask PositionsToMask(const std::vector<int> &positions);

inline int PopCount(SubsetMask mask) { return __builtin_popcount(mask); }

} // namespace quorbel
