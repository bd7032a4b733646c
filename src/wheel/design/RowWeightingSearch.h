#pragma once

#include "wheel/design/OrbitSpace.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace quorbel {

struct RowWeightingSettings
{
    std::uint64_t seed = 1;
    double seconds = 60.0;       // wall-clock budget
    std::int64_t maxSteps = 0;   // > 0: stop after this many exchanges (repeatable runs)
    int targetRows = 0;          // stop once a design of at most this many rows is found
    std::vector<int> fixed;      // orbits that stay in the design and count towards its size
    bool exchange = false;       // moves exchange one number of a row (see below)
    int tenure = 10;             // with exchange: steps before a row taken out may come back
};

// Local search for covering designs with weights on the draws (after the row-weighting
// search of Gao, Weise and Li for unicost set covering). Each step takes out the row orbit
// whose loss costs least and puts in, for a random uncovered draw, the orbit covering it
// that gains most; then every draw still uncovered weighs one more, so draws that stay
// uncovered pull rows towards them. An orbit taken out may come back only after the
// coverage around it has changed, and the orbit just put in is not the next taken out.
// Whenever the design covers every draw it is reported and its cheapest orbit dropped,
// so the search walks downwards in size.
//
// With exchange, a step instead looks at every row of the design one number away from
// a row covering the uncovered draw and makes the exchange that gains most by weight
// (rows taken out stay out for `tenure` steps); the free move is the fallback when no
// row is that close. Free moves suit the 5-of-7 formulas, exchanges the 6-of-7 ones.
//
// The start must cover every draw (the fixed orbits included); onCovering is called with
// every smaller covering design (movable orbits only). Returns the smallest one.
std::vector<int> RowWeightingSearch(const OrbitSpace &space, std::vector<int> covering,
                                    const RowWeightingSettings &settings,
                                    const std::function<void(const std::vector<int> &)> &onCovering,
                                    const std::atomic<bool> *stop = nullptr);

} // namespace quorbel
