#include "wheel/design/WheelTargets.h"

#include "wheel/design/DrawSpace.h"

#include <algorithm>

namespace quorbel {

namespace {

constexpr int kFirstN = 9;
constexpr int kLastN = 16;

// Index 0 is n = 9.
constexpr int kPublishedLowerBound6[] = {4, 8, 16, 26, 43, 69, 115, 179};
constexpr int kPublishedLowerBound5[] = {1, 3, 3, 6, 5, 7, 10, 14};
constexpr int kTarget6[] = {4, 8, 19, 35, 61, 100, 181, 293};
constexpr int kTarget5[] = {1, 3, 3, 6, 10, 14, 24, 31};

const int *TableFor(const FormulaKey &key, const int *forSix, const int *forFive)
{
    if (key.drawSize != 7 || key.selection < kFirstN || key.selection > kLastN)
        return nullptr;
    if (key.guarantee == 6)
        return forSix + (key.selection - kFirstN);
    if (key.guarantee == 5)
        return forFive + (key.selection - kFirstN);
    return nullptr;
}

} // namespace

std::vector<FormulaKey> ShippedFormulas()
{
    std::vector<FormulaKey> keys;
    for (int t : {6, 5})
        for (int n = kFirstN; n <= kLastN; ++n)
            keys.push_back(FormulaKey{n, 7, t});
    return keys;
}

std::int64_t SphereBound(int n, int k, int t)
{
    const std::int64_t ball = BallSize(n, k, t);
    if (ball <= 0)
        return 0;
    return (Binomial(n, k) + ball - 1) / ball;
}

std::int64_t BestLowerBound(const FormulaKey &key)
{
    std::int64_t bound = SphereBound(key.selection, key.drawSize, key.guarantee);
    if (const int *published = TableFor(key, kPublishedLowerBound6, kPublishedLowerBound5))
        bound = std::max<std::int64_t>(bound, *published);
    return bound;
}

int SizeTarget(const FormulaKey &key)
{
    const int *target = TableFor(key, kTarget6, kTarget5);
    return target ? *target : 0;
}

} // namespace quorbel
