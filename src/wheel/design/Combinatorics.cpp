#include "wheel/design/Combinatorics.h"

namespace quorbel {

std::int64_t Binomial(int n, int k)
{
    if (k < 0 || n < 0 || k > n)
        return 0;
    if (k > n - k)
        k = n - k;
    std::int64_t result = 1;
    for (int i = 1; i <= k; ++i)
        result = result * (n - k + i) / i; // exact at every step
    return result;
}

std::vector<SubsetMask> KSubsets(int n, int k)
{
    std::vector<SubsetMask> subsets;
    if (n < 0 || n > kMaxDesignPositions || k < 0 || k > n)
        return subsets;
    subsets.reserve(static_cast<std::size_t>(Binomial(n, k)));
    if (k == 0) {
        subsets.push_back(0);
        return subsets;
    }
    // Gosper's hack walks the k-bit masks in increasing order.
    SubsetMask mask = (SubsetMask(1) << k) - 1;
    const SubsetMask limit = SubsetMask(1) << n;
    while (mask < limit) {
        subsets.push_back(mask);
        const SubsetMask lowest = mask & (~mask + 1);
        const SubsetMask ripple = mask + lowest;
        mask = (((ripple ^ mask) >> 2) / lowest) | ripple;
    }
    return subsets;
}

std::vector<int> MaskToPositions(SubsetMask mask)
{
    std::vector<int> positions;
    for (int bit = 0; mask != 0; ++bit, mask >>= 1)
        if (mask & 1u)
            positions.push_back(bit + 1);
    return positions;
}

SubsetMask PositionsToMask(const std::vector<int> &positions)
{
    SubsetMask mask = 0;
    for (int p : positions)
        if (p >= 1 && p <= kMaxDesignPositions)
            mask |= SubsetMask(1) << (p - 1);
    return mask;
}

} // namespace quorbel
