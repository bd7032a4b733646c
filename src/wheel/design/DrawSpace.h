#pragma once

#include "wheel/design/Combinatorics.h"

#include <cstdint>
#include <vector>

namespace quorbel {

// Every k-subset of {1..n}: the possible draws inside a selection of n, which are also
// the possible rows of a design. Subsets are numbered 0..C(n,k)-1 in mask order.
class DrawSpace
{
public:
    DrawSpace(int n, int k);

    int n() const { return m_n; }
    int k() const { return m_k; }
    int size() const { return static_cast<int>(m_masks.size()); }
    SubsetMask mask(int index) const { return m_masks[static_cast<std::size_t>(index)]; }
    const std::vector<SubsetMask> &masks() const { return m_masks; }

    // Index of a k-subset mask, or -1 when the mask is not a k-subset of {1..n}.
    int indexOf(SubsetMask mask) const;

private:
    int m_n;
    int m_k;
    std::vector<SubsetMask> m_masks;
    std::vector<std::int32_t> m_indexOfMask; // 2^n entries
};

// For each subset of a DrawSpace, the subsets that share at least t positions with it.
// Stored flat: the lists have equal length (the size of a Johnson-graph ball).
class CoverageLists
{
public:
    CoverageLists(const DrawSpace &space, int t);

    int t() const { return m_t; }
    int listLength() const { return m_length; }
    const std::int32_t *begin(int index) const { return m_flat.data() + std::size_t(index) * std::size_t(m_length); }
    const std::int32_t *end(int index) const { return begin(index) + m_length; }

private:
    int m_t;
    int m_length;
    std::vector<std::int32_t> m_flat;
};

// Number of k-subsets of {1..n} sharing at least t positions with a fixed k-subset.
std::int64_t BallSize(int n, int k, int t);

} // namespace quorbel
