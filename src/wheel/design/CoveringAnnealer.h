#pragma once

#include "wheel/design/Xoshiro.h"
#include "wheel/design/OrbitSpace.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace quorbel {

// Settings of one annealing run at a fixed number of row orbits.
struct AnnealSettings
{
    int orbits = 0;                  // row orbits in the design (rows, with the trivial group)
    std::uint64_t seed = 1;
    double seconds = 60.0;           // wall-clock budget of the run
    double startTemperature = 1.0;   // in units of uncovered draws
    double endTemperature = 0.2;     // below this the schedule starts again from the best state
    double coolingFactor = 0.999;
    std::int64_t movesPerTemperature = 1000;
    double jumpRate = 0.0;           // share of moves in which any row jumps onto the draw
    bool weighting = false;          // raise the cost of draws that stay uncovered
    int tabuTenure = 0;              // > 0: tabu search instead of annealing (moves a row
                                     // may not make again for this many steps)
    std::vector<int> start;          // initial orbits; missing ones are random
    std::vector<int> fixed;          // orbits that stay in the design and are never moved
};

struct AnnealOutcome
{
    bool covered = false;        // every draw shares at least t positions with some row
    std::vector<int> orbits;     // best design seen (a covering one when covered)
    int uncovered = 0;           // draws the best design misses
    std::int64_t moves = 0;
    double seconds = 0.0;
};

// Simulated annealing for designs in which every k-subset shares at least t positions
// with some row (covering designs in the manner of Nurmela and Östergård). The cost is
// the number of uncovered draws. A move picks an uncovered draw and a row nearest to it
// and exchanges one number of that row so that it covers the draw; the row's whole orbit
// is replaced by the orbit of the new row. Cost changes are counted incrementally from
// per-orbit coverage counters.
class CoveringAnnealer
{
public:
    explicit CoveringAnnealer(const OrbitSpace &orbits);

    AnnealOutcome run(const AnnealSettings &settings, const std::atomic<bool> *stop = nullptr);

private:
    AnnealOutcome runTabu(const AnnealSettings &settings, const std::atomic<bool> *stop);
    // Takes the start design (topped up with random orbits) and reports it as the first outcome.
    AnnealOutcome begin(const AnnealSettings &settings, Xoshiro256 &rng);
    std::int64_t exchangeCost(int oldOrbit, int newOrbit);
    void exchange(std::size_t which, int newOrbit);
    void reset(const std::vector<int> &orbits);
    void markUncovered(int drawOrbit);
    void markCovered(int drawOrbit);

    const OrbitSpace &m_space;
    std::vector<int> m_fixed;               // row orbits that never move
    std::vector<int> m_chosen;              // row orbits of the design that the search moves
    std::vector<std::uint16_t> m_count;     // chosen orbits covering each draw orbit
    std::vector<std::int32_t> m_uncovered;  // draw orbits with count 0
    std::vector<std::int32_t> m_slot;       // place of a draw orbit in m_uncovered, or -1
    std::vector<std::int64_t> m_weight;     // cost of leaving a draw orbit uncovered
    int m_uncoveredDraws = 0;               // draws in the uncovered orbits
};

// Number of rows of a design given by its orbits.
int RowCount(const OrbitSpace &space, const std::vector<int> &orbits);

// The rows of a design given by its orbits, each distinct row once, in mask order.
std::vector<SubsetMask> ExpandOrbits(const OrbitSpace &space, const std::vector<int> &orbits);

// Greedy start: adds the orbit that covers the most uncovered draws per row until all
// draws are covered.
std::vector<int> GreedyCovering(const OrbitSpace &space, std::uint64_t seed);

// Greedy completion: keeps the given orbits and adds orbits until all draws are covered.
std::vector<int> GreedyCompletion(const OrbitSpace &space, std::vector<int> chosen, std::uint64_t seed);

// Draws (subset indices) that no row covers at threshold t, counted by direct intersection.
std::vector<int> UncoveredDraws(const DrawSpace &space, const std::vector<SubsetMask> &rows, int t);

// Search downwards in size (anneal.fixed orbits stay and count towards the size): starting from a covering design, drop the orbit whose loss
// uncovers fewest draws and anneal at the smaller size (or, fromScratch, search that size
// from random rows); repeat while time remains. A failed attempt is repeated with a new seed.
// onCovering is called with every covering design reached (smaller each time).
struct DescentSettings
{
    std::uint64_t seed = 1;
    double seconds = 60.0;        // whole budget
    double secondsPerSize = 0.0;  // budget of one attempt at a size; 0: all that is left
    int targetRows = 0;           // stop once a design of at most this many rows is found
    bool fromScratch = false;     // every attempt starts from random rows, not from the last design
    int firstOrbits = 0;          // with fromScratch: orbits of the first attempt (0: one fewer)
    AnnealSettings anneal;        // temperatures and schedule for every size
};

std::vector<int> DescendingSearch(const OrbitSpace &space, std::vector<int> covering,
                                  const DescentSettings &settings,
                                  const std::function<void(const std::vector<int> &)> &onCovering,
                                  const std::atomic<bool> *stop = nullptr);

} // namespace quorbel
