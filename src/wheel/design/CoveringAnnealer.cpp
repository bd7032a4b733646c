#include "wheel/design/CoveringAnnealer.h"

#include "wheel/design/Xoshiro.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace quorbel {

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A uniformly chosen set bit of a non-empty mask.
SubsetMask RandomBit(SubsetMask mask, Xoshiro256 &rng)
{
    int skip = static_cast<int>(rng.below(static_cast<std::uint32_t>(PopCount(mask))));
    while (skip-- > 0)
        mask &= mask - 1;
    return mask & (~mask + 1);
}

} // namespace

CoveringAnnealer::CoveringAnnealer(const OrbitSpace &orbits)
    : m_space(orbits)
{
}

void CoveringAnnealer::markUncovered(int drawOrbit)
{
    if (m_slot[std::size_t(drawOrbit)] >= 0)
        return;
    m_slot[std::size_t(drawOrbit)] = static_cast<std::int32_t>(m_uncovered.size());
    m_uncovered.push_back(drawOrbit);
    m_uncoveredDraws += m_space.orbitSize(drawOrbit);
}

void CoveringAnnealer::markCovered(int drawOrbit)
{
    const std::int32_t slot = m_slot[std::size_t(drawOrbit)];
    if (slot < 0)
        return;
    const std::int32_t last = m_uncovered.back();
    m_uncovered[std::size_t(slot)] = last;
    m_slot[std::size_t(last)] = slot;
    m_uncovered.pop_back();
    m_slot[std::size_t(drawOrbit)] = -1;
    m_uncoveredDraws -= m_space.orbitSize(drawOrbit);
}

void CoveringAnnealer::reset(const std::vector<int> &orbits)
{
    m_chosen = orbits;
    const std::size_t count = std::size_t(m_space.orbitCount());
    m_count.assign(count, 0);
    for (int orbit : m_fixed)
        for (const std::int32_t *d = m_space.coverBegin(orbit); d != m_space.coverEnd(orbit); ++d)
            ++m_count[std::size_t(*d)];
    for (int orbit : m_chosen)
        for (const std::int32_t *d = m_space.coverBegin(orbit); d != m_space.coverEnd(orbit); ++d)
            ++m_count[std::size_t(*d)];
    m_uncovered.clear();
    m_slot.assign(count, -1);
    m_uncoveredDraws = 0;
    m_weight.resize(count);
    for (std::size_t d = 0; d < count; ++d)
        m_weight[d] = m_space.orbitSize(static_cast<int>(d));
    for (std::size_t d = 0; d < count; ++d)
        if (m_count[d] == 0)
            markUncovered(static_cast<int>(d));
}

std::int64_t CoveringAnnealer::exchangeCost(int oldOrbit, int newOrbit)
{
    std::int64_t delta = 0;
    for (const std::int32_t *d = m_space.coverBegin(oldOrbit); d != m_space.coverEnd(oldOrbit); ++d)
        if (--m_count[std::size_t(*d)] == 0)
            delta += m_weight[std::size_t(*d)];
    for (const std::int32_t *d = m_space.coverBegin(newOrbit); d != m_space.coverEnd(newOrbit); ++d)
        if (m_count[std::size_t(*d)] == 0)
            delta -= m_weight[std::size_t(*d)];
    for (const std::int32_t *d = m_space.coverBegin(oldOrbit); d != m_space.coverEnd(oldOrbit); ++d)
        ++m_count[std::size_t(*d)];
    return delta;
}

void CoveringAnnealer::exchange(std::size_t which, int newOrbit)
{
    const int oldOrbit = m_chosen[which];
    for (const std::int32_t *d = m_space.coverBegin(oldOrbit); d != m_space.coverEnd(oldOrbit); ++d)
        if (--m_count[std::size_t(*d)] == 0)
            markUncovered(*d);
    for (const std::int32_t *d = m_space.coverBegin(newOrbit); d != m_space.coverEnd(newOrbit); ++d)
        if (++m_count[std::size_t(*d)] == 1)
            markCovered(*d);
    m_chosen[which] = newOrbit;
}

AnnealOutcome CoveringAnnealer::begin(const AnnealSettings &settings, Xoshiro256 &rng)
{
    std::vector<int> orbits(settings.start.begin(),
                            settings.start.begin() + std::min<std::ptrdiff_t>(settings.orbits, std::ptrdiff_t(settings.start.size())));
    while (static_cast<int>(orbits.size()) < settings.orbits)
        orbits.push_back(static_cast<int>(rng.below(static_cast<std::uint32_t>(m_space.orbitCount()))));
    m_fixed = settings.fixed;
    reset(orbits);

    AnnealOutcome outcome;
    outcome.orbits = m_chosen;
    outcome.uncovered = m_uncoveredDraws;
    return outcome;
}

AnnealOutcome CoveringAnnealer::runTabu(const AnnealSettings &settings, const std::atomic<bool> *stop)
{
    // Tabu search in the manner of Östergård's covering-code searches: an uncovered draw
    // is chosen, every exchange of one number in a row that then covers it is evaluated,
    // and the best one is made whose row is not tabu (unless it beats the best so far).
    const auto started = Clock::now();
    Xoshiro256 rng(settings.seed);
    const DrawSpace &draws = m_space.space();
    AnnealOutcome outcome = begin(settings, rng);
    std::vector<std::int64_t> tabuUntil(m_chosen.size(), 0);
    struct Move { std::size_t which; int orbit; };
    std::vector<Move> best;
    std::int64_t step = 0;

    while (!m_uncovered.empty() && !m_chosen.empty()) {
        if ((step & 255) == 0
            && (SecondsSince(started) >= settings.seconds || (stop && stop->load(std::memory_order_relaxed))))
            break;
        ++step;
        const SubsetMask target = draws.mask(m_space.representative(m_uncovered[rng.below(static_cast<std::uint32_t>(m_uncovered.size()))]));
        std::int64_t bestDelta = std::numeric_limits<std::int64_t>::max();
        best.clear();
        for (std::size_t i = 0; i < m_chosen.size(); ++i) {
            const int oldOrbit = m_chosen[i];
            for (const std::int32_t *m = m_space.membersBegin(oldOrbit); m != m_space.membersEnd(oldOrbit); ++m) {
                const SubsetMask row = draws.mask(*m);
                if (PopCount(row & target) != m_space.t() - 1)
                    continue;
                for (SubsetMask out = row & ~target; out; out &= out - 1)
                    for (SubsetMask in = target & ~row; in; in &= in - 1) {
                        const SubsetMask moved = (row & ~(out & (~out + 1))) | (in & (~in + 1));
                        const int newOrbit = m_space.orbitOf(draws.indexOf(moved));
                        if (m_space.orbitSize(newOrbit) != m_space.orbitSize(oldOrbit))
                            continue;
                        const std::int64_t delta = exchangeCost(oldOrbit, newOrbit);
                        const bool aspiration = m_uncoveredDraws + delta < outcome.uncovered;
                        if (tabuUntil[i] > step && !aspiration)
                            continue;
                        if (delta < bestDelta) {
                            bestDelta = delta;
                            best.clear();
                        }
                        if (delta == bestDelta)
                            best.push_back(Move{i, newOrbit});
                    }
            }
        }
        ++outcome.moves;
        if (settings.weighting && step % std::max<std::int64_t>(1, settings.movesPerTemperature) == 0)
            for (std::int32_t d : m_uncovered)
                m_weight[std::size_t(d)] += m_space.orbitSize(d);
        if (best.empty())
            continue;
        const Move move = best[rng.below(static_cast<std::uint32_t>(best.size()))];
        exchange(move.which, move.orbit);
        tabuUntil[move.which] = step + settings.tabuTenure;
        if (m_uncoveredDraws < outcome.uncovered) {
            outcome.uncovered = m_uncoveredDraws;
            outcome.orbits = m_chosen;
        }
    }
    if (m_uncovered.empty()) {
        outcome.uncovered = 0;
        outcome.orbits = m_chosen;
    }
    outcome.covered = outcome.uncovered == 0;
    outcome.seconds = SecondsSince(started);
    return outcome;
}

AnnealOutcome CoveringAnnealer::run(const AnnealSettings &settings, const std::atomic<bool> *stop)
{
    if (settings.tabuTenure > 0)
        return runTabu(settings, stop);
    const auto started = Clock::now();
    Xoshiro256 rng(settings.seed);
    const DrawSpace &draws = m_space.space();

    AnnealOutcome outcome = begin(settings, rng);

    double temperature = settings.startTemperature;
    const std::int64_t movesPerTemperature = std::max<std::int64_t>(1, settings.movesPerTemperature);
    std::vector<std::int32_t> nearestOrbit;
    std::vector<SubsetMask> nearestRow;

    while (!m_uncovered.empty() && !m_chosen.empty()) {
        if ((outcome.moves & 1023) == 0
            && (SecondsSince(started) >= settings.seconds || (stop && stop->load(std::memory_order_relaxed))))
            break;
        ++outcome.moves;

        // An uncovered draw and a row of the design that shares the most positions with it.
        const int drawOrbit = m_uncovered[rng.below(static_cast<std::uint32_t>(m_uncovered.size()))];
        const SubsetMask target = draws.mask(m_space.representative(drawOrbit));
        int mostShared = -1;
        nearestOrbit.clear();
        nearestRow.clear();
        for (std::size_t i = 0; i < m_chosen.size(); ++i)
            for (const std::int32_t *m = m_space.membersBegin(m_chosen[i]); m != m_space.membersEnd(m_chosen[i]); ++m) {
                const SubsetMask row = draws.mask(*m);
                const int shared = PopCount(row & target);
                if (shared > mostShared) {
                    mostShared = shared;
                    nearestOrbit.clear();
                    nearestRow.clear();
                }
                if (shared == mostShared) {
                    nearestOrbit.push_back(static_cast<std::int32_t>(i));
                    nearestRow.push_back(row);
                }
            }
        const std::size_t pick = rng.below(static_cast<std::uint32_t>(nearestOrbit.size()));
        std::size_t which = std::size_t(nearestOrbit[pick]);
        SubsetMask oldMask = nearestRow[pick];
        const int t = m_space.t();
        SubsetMask newMask = (oldMask & ~RandomBit(oldMask & ~target, rng)) | RandomBit(target & ~oldMask, rng);
        if (settings.jumpRate > 0.0 && rng.unit() < settings.jumpRate) {
            // Now and then a random row jumps to cover the draw: t of its numbers and
            // k - t others, so that rows far from the draw also take part.
            which = rng.below(static_cast<std::uint32_t>(m_chosen.size()));
            newMask = 0;
            SubsetMask rest = target;
            for (int i = 0; i < t; ++i) {
                const SubsetMask bit = RandomBit(rest, rng);
                newMask |= bit;
                rest &= ~bit;
            }
            rest = ((SubsetMask(1) << draws.n()) - 1) & ~newMask;
            for (int i = t; i < draws.k(); ++i) {
                const SubsetMask bit = RandomBit(rest, rng);
                newMask |= bit;
                rest &= ~bit;
            }
        }
        const int oldOrbit = m_chosen[which];
        const int newOrbit = m_space.orbitOf(draws.indexOf(newMask));
        if (m_space.orbitSize(newOrbit) != m_space.orbitSize(oldOrbit))
            continue; // keeps the number of rows

        // Cost change: draws left uncovered minus draws newly covered (in draws, not orbits).
        const std::int64_t delta = exchangeCost(oldOrbit, newOrbit);
        const bool accept = delta <= 0 || rng.unit() < std::exp(-double(delta) / temperature);
        if (accept) {
            exchange(which, newOrbit);
            if (m_uncoveredDraws < outcome.uncovered) {
                outcome.uncovered = m_uncoveredDraws;
                outcome.orbits = m_chosen;
            }
        }

        if (outcome.moves % movesPerTemperature == 0) {
            if (settings.weighting) {
                // Draws that stay uncovered grow heavier, so the search stops circling them.
                for (std::int32_t d : m_uncovered)
                    m_weight[std::size_t(d)] += m_space.orbitSize(d);
            }
            temperature *= settings.coolingFactor;
            if (temperature < settings.endTemperature) {
                temperature = settings.startTemperature;
                reset(outcome.orbits);
            }
        }
    }

    if (m_uncoveredDraws < outcome.uncovered || m_uncovered.empty()) {
        outcome.uncovered = m_uncoveredDraws;
        outcome.orbits = m_chosen;
    }
    outcome.covered = outcome.uncovered == 0;
    outcome.seconds = SecondsSince(started);
    return outcome;
}

int RowCount(const OrbitSpace &space, const std::vector<int> &orbits)
{
    return static_cast<int>(ExpandOrbits(space, orbits).size());
}

std::vector<SubsetMask> ExpandOrbits(const OrbitSpace &space, const std::vector<int> &orbits)
{
    std::vector<SubsetMask> rows;
    for (int orbit : orbits)
        for (const std::int32_t *m = space.membersBegin(orbit); m != space.membersEnd(orbit); ++m)
            rows.push_back(space.space().mask(*m));
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::vector<int> GreedyCovering(const OrbitSpace &space, std::uint64_t seed)
{
    return GreedyCompletion(space, {}, seed);
}

std::vector<int> GreedyCompletion(const OrbitSpace &space, std::vector<int> chosen, std::uint64_t seed)
{
    // Coverage between orbits is symmetric, so the cover list of a draw orbit is also the
    // list of row orbits that cover it.
    Xoshiro256 rng(seed);
    const std::size_t count = std::size_t(space.orbitCount());
    std::vector<std::int64_t> gain(count, 0);
    for (std::size_t c = 0; c < count; ++c)
        for (const std::int32_t *d = space.coverBegin(int(c)); d != space.coverEnd(int(c)); ++d)
            gain[c] += space.orbitSize(*d);
    std::vector<char> covered(count, 0);
    std::int64_t left = space.space().size();
    std::vector<int> ties;
    const auto take = [&](int orbit) {
        for (const std::int32_t *d = space.coverBegin(orbit); d != space.coverEnd(orbit); ++d) {
            if (covered[std::size_t(*d)])
                continue;
            covered[std::size_t(*d)] = 1;
            left -= space.orbitSize(*d);
            for (const std::int32_t *c = space.coverBegin(*d); c != space.coverEnd(*d); ++c)
                gain[std::size_t(*c)] -= space.orbitSize(*d);
        }
    };
    for (int orbit : chosen)
        take(orbit);
    while (left > 0) {
        double best = -1.0;
        ties.clear();
        for (std::size_t c = 0; c < count; ++c) {
            const double value = double(gain[c]) / space.orbitSize(int(c));
            if (value > best + 1e-9) {
                best = value;
                ties.clear();
            }
            if (value > best - 1e-9)
                ties.push_back(int(c));
        }
        const int orbit = ties[rng.below(static_cast<std::uint32_t>(ties.size()))];
        chosen.push_back(orbit);
        take(orbit);
    }
    return chosen;
}

std::vector<int> UncoveredDraws(const DrawSpace &space, const std::vector<SubsetMask> &rows, int t)
{
    std::vector<int> missed;
    for (int d = 0; d < space.size(); ++d) {
        const SubsetMask draw = space.mask(d);
        const bool hit = std::any_of(rows.begin(), rows.end(),
                                     [&](SubsetMask row) { return PopCount(row & draw) >= t; });
        if (!hit)
            missed.push_back(d);
    }
    return missed;
}

std::vector<int> DescendingSearch(const OrbitSpace &space, std::vector<int> covering,
                                  const DescentSettings &settings,
                                  const std::function<void(const std::vector<int> &)> &onCovering,
                                  const std::atomic<bool> *stop)
{
    const auto started = Clock::now();
    CoveringAnnealer annealer(space);
    std::uint64_t seed = settings.seed;
    const auto rows = [&](const std::vector<int> &movable) {
        std::vector<int> all = settings.anneal.fixed;
        all.insert(all.end(), movable.begin(), movable.end());
        return RowCount(space, all);
    };
    while (covering.size() > 1 && (settings.targetRows <= 0 || rows(covering) > settings.targetRows)) {
        const double left = settings.seconds - SecondsSince(started);
        if (left <= 0.0 || (stop && stop->load()))
            break;

        // Drop the orbit whose loss uncovers the fewest draws.
        std::vector<int> count(std::size_t(space.orbitCount()), 0);
        for (int orbit : settings.anneal.fixed)
            for (const std::int32_t *d = space.coverBegin(orbit); d != space.coverEnd(orbit); ++d)
                ++count[std::size_t(*d)];
        for (int orbit : covering)
            for (const std::int32_t *d = space.coverBegin(orbit); d != space.coverEnd(orbit); ++d)
                ++count[std::size_t(*d)];
        std::size_t weakest = 0;
        double weakestLoss = 1e300;
        for (std::size_t i = 0; i < covering.size(); ++i) {
            double loss = 0;
            for (const std::int32_t *d = space.coverBegin(covering[i]); d != space.coverEnd(covering[i]); ++d)
                if (count[std::size_t(*d)] == 1)
                    loss += space.orbitSize(*d);
            loss /= space.orbitSize(covering[i]);
            if (loss < weakestLoss) {
                weakestLoss = loss;
                weakest = i;
            }
        }
        std::vector<int> start = covering;
        start.erase(start.begin() + std::ptrdiff_t(weakest));

        AnnealSettings anneal = settings.anneal;
        anneal.orbits = static_cast<int>(start.size());
        anneal.start = start;
        if (settings.fromScratch) {
            anneal.start.clear();
            if (settings.firstOrbits > 0)
                anneal.orbits = std::max(1, std::min(anneal.orbits, settings.firstOrbits - int(settings.anneal.fixed.size())));
        }
        anneal.seed = seed++;
        anneal.seconds = settings.secondsPerSize > 0.0 ? std::min(left, settings.secondsPerSize) : left;
        const AnnealOutcome outcome = annealer.run(anneal, stop);
        if (outcome.covered) {
            covering = outcome.orbits;
            if (onCovering)
                onCovering(covering);
        }
    }
    return covering;
}

} // namespace quorbel
