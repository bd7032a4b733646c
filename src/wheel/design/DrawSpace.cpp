#include "wheel/design/DrawSpace.h"

namespace quorbel {

DrawSpace::DrawSpace(int n, int k)
    : m_n(n), m_k(k), m_masks(KSubsets(n, k))
{
    if (n >= 0 && n <= kMaxDesignPositions) {
        m_indexOfMask.assign(std::size_t(1) << n, -1);
        for (std::size_t i = 0; i < m_masks.size(); ++i)
            m_indexOfMask[m_masks[i]] = static_cast<std::int32_t>(i);
    }
}

int DrawSpace::indexOf(SubsetMask mask) const
{
    if (mask >= m_indexOfMask.size())
        return -1;
    return m_indexOfMask[mask];
}

std::int64_t BallSize(int n, int k, int t)
{
    std::int64_t total = 0;
    for (int shared = t; shared <= k; ++shared)
        total += Binomial(k, shared) * Binomial(n - k, k - shared);
    return total;
}

namespace {

// Spreads the bits of a local mask over the given positions: bit i of local selects slots[i].
SubsetMask Spread(SubsetMask local, const std::vector<SubsetMask> &slots)
{
    SubsetMask result = 0;
    for (std::size_t i = 0; local != 0; ++i, local >>= 1)
        if (local & 1u)
            result |= slots[i];
    return result;
}

} // namespace

CoverageLists::CoverageLists(const DrawSpace &space, int t)
    : m_t(t), m_length(static_cast<int>(BallSize(space.n(), space.k(), t)))
{
    // Built by swapping j positions of the subset for j positions outside it, j = 0..k-t.
    const int n = space.n();
    const int k = space.k();
    m_flat.resize(std::size_t(space.size()) * std::size_t(m_length));
    std::vector<std::vector<SubsetMask>> pickInside, pickOutside;
    for (int j = 0; j <= k - t; ++j) {
        pickInside.push_back(KSubsets(k, j));
        pickOutside.push_back(KSubsets(n - k, j));
    }
    std::vector<SubsetMask> insideBits, outsideBits;
    for (int i = 0; i < space.size(); ++i) {
        const SubsetMask row = space.mask(i);
        insideBits.clear();
        outsideBits.clear();
        for (int bit = 0; bit < n; ++bit)
            (row >> bit & 1u ? insideBits : outsideBits).push_back(SubsetMask(1) << bit);
        std::int32_t *out = m_flat.data() + std::size_t(i) * std::size_t(m_length);
        for (int j = 0; j <= k - t; ++j)
            for (SubsetMask in : pickInside[std::size_t(j)]) {
                const SubsetMask kept = row & ~Spread(in, insideBits);
                for (SubsetMask outPick : pickOutside[std::size_t(j)])
                    *out++ = space.indexOf(kept | Spread(outPick, outsideBits));
            }
    }
}

} // namespace quorbel
