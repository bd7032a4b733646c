#pragma once

#include "wheel/design/FormulaName.h"

#include <cstdint>
#include <vector>

namespace quorbel {

// The formulas the program needs, in the order they stand in "GS.spt":
// 选9中7保6 .. 选16中7保6, then 选9中7保5 .. 选16中7保5.
std::vector<FormulaKey> ShippedFormulas();

// Sphere-covering bound: ceil(C(n,k) / ball), the ball being the draws one row covers.
std::int64_t SphereBound(int n, int k, int t);

// Best lower bound we know of for a formula: the sphere bound, raised to the published
// bound where one is recorded (n = 9..16, k = 7, t = 5 or 6).
std::int64_t BestLowerBound(const FormulaKey &key);

// Size goal for a shipped formula (0 when there is none): the best published size for
// t = 6, sizes reached by search for t = 5.
int SizeTarget(const FormulaKey &key);

} // namespace quorbel
