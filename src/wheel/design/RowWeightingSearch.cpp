#include "wheel/design/RowWeightingSearch.h"

#include "wheel/design/CoveringAnnealer.h"
#include "wheel/design/Xoshiro.h"

#include <algorithm>
#include <chrono>

namespace quorbel {

namespace {

using Clock = std::chrono::steady_clock;

// The state of the search: which row orbits are in, how often each draw orbit is covered,
// the weights and the score of every row orbit.
//
// score(r) for r outside the design: weight of the uncovered draws r would cover (gain);
// for r inside: minus the weight of the draws only r covers (loss).
class WeightedCover
{
public:
    explicit WeightedCover(const OrbitSpace &space)
        : m_space(space)
        , m_trivial(space.orbitCount() == space.space().size())
        , m_size(std::size_t(space.orbitCount()))
        , m_coveredBy(m_size + 1, 0)
        , m_in(m_size, 0)
        , m_slot(m_size, -1)
        , m_count(m_size, 0)
        , m_uncoveredSlot(m_size, -1)
        , m_weight(m_size)
        , m_score(m_size, 0)
        , m_changed(m_size, 0)
        , m_lastChange(m_size, 0)
        , m_removed(m_size, 0)
    {
        // Inverse of the cover lists: the row orbits that cover each draw orbit.
        for (int r = 0; r < space.orbitCount(); ++r)
            for (const std::int32_t *d = space.coverBegin(r); d != space.coverEnd(r); ++d)
                ++m_coveredBy[std::size_t(*d) + 1];
        for (std::size_t d = 0; d < m_size; ++d)
            m_coveredBy[d + 1] += m_coveredBy[d];
        m_coverers.resize(std::size_t(m_coveredBy[m_size]));
        std::vector<std::int64_t> next(m_coveredBy.begin(), m_coveredBy.end() - 1);
        for (int r = 0; r < space.orbitCount(); ++r)
            for (const std::int32_t *d = space.coverBegin(r); d != space.coverEnd(r); ++d)
                m_coverers[std::size_t(next[std::size_t(*d)]++)] = r;

        for (std::size_t d = 0; d < m_size; ++d) {
            m_weight[d] = space.orbitSize(int(d));
            markUncovered(int(d));
        }
        for (int r = 0; r < space.orbitCount(); ++r)
            recompute(r);
    }

    // In the design for good: covered by it, but never among the movable orbits.
    void fix(int r)
    {
        add(r);
        m_movable.pop_back();
        m_slot[std::size_t(r)] = -1;
    }

    void add(int r)
    {
        ++m_tick;
        for (const std::int32_t *d = m_space.coverBegin(r); d != m_space.coverEnd(r); ++d) {
            const std::size_t draw = std::size_t(*d);
            if (m_count[draw] == 0) {
                for (int other : coverers(*d))
                    if (other != r)
                        m_score[std::size_t(other)] -= m_weight[draw];
                markCovered(*d);
            } else if (m_count[draw] == 1) {
                m_score[std::size_t(soleCoverer(*d))] += m_weight[draw];
            }
            ++m_count[draw];
            m_lastChange[draw] = m_tick;
        }
        m_in[std::size_t(r)] = 1;
        m_slot[std::size_t(r)] = static_cast<std::int32_t>(m_movable.size());
        m_movable.push_back(r);
        m_rows += m_space.orbitSize(r);
        recompute(r);
    }

    void remove(int r)
    {
        ++m_tick;
        m_in[std::size_t(r)] = 0;
        const std::size_t slot = std::size_t(m_slot[std::size_t(r)]);
        m_movable[slot] = m_movable.back();
        m_slot[std::size_t(m_movable[slot])] = static_cast<std::int32_t>(slot);
        m_movable.pop_back();
        m_slot[std::size_t(r)] = -1;
        m_rows -= m_space.orbitSize(r);
        for (const std::int32_t *d = m_space.coverBegin(r); d != m_space.coverEnd(r); ++d) {
            const std::size_t draw = std::size_t(*d);
            --m_count[draw];
            if (m_count[draw] == 0) {
                for (int other : coverers(*d))
                    if (other != r)
                        m_score[std::size_t(other)] += m_weight[draw];
                markUncovered(*d);
            } else if (m_count[draw] == 1) {
                m_score[std::size_t(soleCoverer(*d))] -= m_weight[draw];
            }
            m_lastChange[draw] = m_tick;
        }
        m_removed[std::size_t(r)] = m_tick;
        recompute(r);
    }

    // The movable orbit whose loss costs least, the oldest on ties; not `except`.
    int cheapest(int except) const
    {
        int best = -1;
        for (int r : m_movable)
            if (r != except && (best < 0 || better(r, best)))
                best = r;
        return best;
    }

    // Among the orbits covering the draw, the one that gains most and may come back.
    int bestCoverer(int draw, int except, Xoshiro256 &rng) const
    {
        int best = -1;
        for (int r : coverers(draw))
            if (r != except && mayReturn(r) && (best < 0 || better(r, best)))
                best = r;
        if (best < 0) {
            const Range all = coverers(draw);
            best = all.first[rng.below(static_cast<std::uint32_t>(all.last - all.first))];
        }
        return best;
    }

    // Draws that stay uncovered weigh more, and so do the orbits that would cover them.
    void raiseWeights()
    {
        for (int d : m_uncovered) {
            const std::int64_t step = m_space.orbitSize(d);
            m_weight[std::size_t(d)] += step;
            for (int r : coverers(d))
                m_score[std::size_t(r)] += step;
        }
    }

    void stamp(int r, std::int64_t when) { m_changed[std::size_t(r)] = when; }

    struct Exchange
    {
        int out = -1;
        int in = -1;
    };

    // The exchange of one number that gains most by weight: a row orbit of the design
    // and, one number away from it, an orbit that covers the draw and is not tabu.
    Exchange bestExchange(int draw, const std::vector<std::int64_t> &tabuUntil, std::int64_t step, Xoshiro256 &rng)
    {
        // Only rows meeting the draw in t - 1 positions lie one number away from a row
        // that meets it in t.
        const DrawSpace &draws = m_space.space();
        const SubsetMask target = draws.mask(m_space.representative(draw));
        m_near.clear();
        for (int out : m_movable)
            if (meets(out, target, m_space.t() - 1))
                m_near.push_back(out);

        Exchange best;
        std::int64_t bestGain = 0;
        std::uint32_t ties = 0;
        for (int in : coverers(draw)) {
            if (tabuUntil[std::size_t(in)] > step)
                continue;
            const SubsetMask row = draws.mask(m_space.representative(in));
            for (int out : m_near) {
                if (!meets(out, row, draws.k() - 1))
                    continue;
                // Draws only `out` covers that `in` covers too are not lost.
                std::int64_t gain = m_score[std::size_t(in)] + m_score[std::size_t(out)];
                for (const std::int32_t *d = m_space.coverBegin(in); d != m_space.coverEnd(in); ++d)
                    if (m_count[std::size_t(*d)] == 1 && covers(out, *d))
                        gain += m_weight[std::size_t(*d)];
                if (best.in < 0 || gain > bestGain) {
                    best = {out, in};
                    bestGain = gain;
                    ties = 1;
                } else if (gain == bestGain && rng.below(++ties) == 0) {
                    best = {out, in};
                }
            }
        }
        return best;
    }

    bool covers() const { return m_uncovered.empty(); }
    int randomUncovered(Xoshiro256 &rng) const
    {
        return m_uncovered[rng.below(static_cast<std::uint32_t>(m_uncovered.size()))];
    }
    int rows() const { return m_rows; }
    const std::vector<int> &movable() const { return m_movable; }

private:
    struct Range
    {
        const std::int32_t *first;
        const std::int32_t *last;
        const std::int32_t *begin() const { return first; }
        const std::int32_t *end() const { return last; }
    };

    Range coverers(int draw) const
    {
        return {m_coverers.data() + m_coveredBy[std::size_t(draw)], m_coverers.data() + m_coveredBy[std::size_t(draw) + 1]};
    }

    int soleCoverer(int draw) const
    {
        for (int r : coverers(draw))
            if (m_in[std::size_t(r)])
                return r;
        return -1;
    }

    // Whether some row of the orbit shares at least `shared` positions with the mask.
    bool meets(int orbit, SubsetMask mask, int shared) const
    {
        const DrawSpace &draws = m_space.space();
        if (m_trivial)
            return PopCount(mask & draws.mask(orbit)) >= shared;
        for (const std::int32_t *m = m_space.membersBegin(orbit); m != m_space.membersEnd(orbit); ++m)
            if (PopCount(mask & draws.mask(*m)) >= shared)
                return true;
        return false;
    }

    bool covers(int rowOrbit, int drawOrbit) const
    {
        if (m_trivial) // orbits are the subsets themselves
            return PopCount(m_space.space().mask(rowOrbit) & m_space.space().mask(drawOrbit)) >= m_space.t();
        return std::binary_search(m_space.coverBegin(rowOrbit), m_space.coverEnd(rowOrbit), drawOrbit);
    }

    bool better(int a, int b) const
    {
        const std::int64_t sa = m_score[std::size_t(a)], sb = m_score[std::size_t(b)];
        return sa > sb || (sa == sb && m_changed[std::size_t(a)] < m_changed[std::size_t(b)]);
    }

    // Configuration checking: an orbit taken out comes back only once some draw it
    // covers has changed its coverage since, which keeps the search from cycling.
    bool mayReturn(int r) const
    {
        const std::int64_t out = m_removed[std::size_t(r)];
        if (out == 0)
            return true;
        for (const std::int32_t *d = m_space.coverBegin(r); d != m_space.coverEnd(r); ++d)
            if (m_lastChange[std::size_t(*d)] > out)
                return true;
        return false;
    }

    void recompute(int r)
    {
        std::int64_t score = 0;
        const bool in = m_in[std::size_t(r)] != 0;
        for (const std::int32_t *d = m_space.coverBegin(r); d != m_space.coverEnd(r); ++d) {
            const std::size_t draw = std::size_t(*d);
            if (in && m_count[draw] == 1)
                score -= m_weight[draw];
            else if (!in && m_count[draw] == 0)
                score += m_weight[draw];
        }
        m_score[std::size_t(r)] = score;
    }

    void markUncovered(int d)
    {
        m_uncoveredSlot[std::size_t(d)] = static_cast<std::int32_t>(m_uncovered.size());
        m_uncovered.push_back(d);
    }

    void markCovered(int d)
    {
        const std::size_t slot = std::size_t(m_uncoveredSlot[std::size_t(d)]);
        m_uncovered[slot] = m_uncovered.back();
        m_uncoveredSlot[std::size_t(m_uncovered[slot])] = static_cast<std::int32_t>(slot);
        m_uncovered.pop_back();
        m_uncoveredSlot[std::size_t(d)] = -1;
    }

    const OrbitSpace &m_space;
    bool m_trivial;                          // every orbit is a single subset
    std::size_t m_size;
    std::vector<std::int64_t> m_coveredBy;   // start of each draw orbit's coverers
    std::vector<std::int32_t> m_coverers;
    std::vector<char> m_in;
    std::vector<std::int32_t> m_slot;        // place in m_movable, or -1
    std::vector<int> m_movable;
    std::vector<int> m_near;                 // scratch of bestExchange
    std::vector<std::uint32_t> m_count;      // orbits in the design covering each draw orbit
    std::vector<std::int32_t> m_uncoveredSlot;
    std::vector<int> m_uncovered;
    std::vector<std::int64_t> m_weight;
    std::vector<std::int64_t> m_score;
    std::vector<std::int64_t> m_changed;     // step of the last move of each row orbit
    std::vector<std::int64_t> m_lastChange;  // tick of the last coverage change of each draw orbit
    std::vector<std::int64_t> m_removed;     // tick at which each row orbit was last taken out
    std::int64_t m_tick = 0;
    int m_rows = 0;
};

} // namespace

std::vector<int> RowWeightingSearch(const OrbitSpace &space, std::vector<int> covering,
                                    const RowWeightingSettings &settings,
                                    const std::function<void(const std::vector<int> &)> &onCovering,
                                    const std::atomic<bool> *stop)
{
    const auto started = Clock::now();
    Xoshiro256 rng(settings.seed);
    WeightedCover state(space);
    for (int r : settings.fixed)
        state.fix(r);
    for (int r : covering)
        state.add(r);
    if (!state.covers())
        return covering;

    int bestRows = state.rows();
    std::vector<std::int64_t> tabuUntil(std::size_t(space.orbitCount()), 0);
    std::int64_t step = 0;
    int justAdded = -1;
    while (true) {
        if (state.covers()) {
            if (state.rows() < bestRows) {
                bestRows = state.rows();
                covering = state.movable();
                if (onCovering)
                    onCovering(covering);
            }
            if ((settings.targetRows > 0 && bestRows <= settings.targetRows) || state.movable().size() <= 1)
                break;
            const int r = state.cheapest(-1);
            state.remove(r);
            state.stamp(r, step);
            continue;
        }
        if (settings.maxSteps > 0 && step >= settings.maxSteps)
            break;
        if ((step & 255) == 0) {
            if (stop && stop->load())
                break;
            if (std::chrono::duration<double>(Clock::now() - started).count() >= settings.seconds)
                break;
        }
        ++step;
        // Free moves pick the draw after taking a row out (it may be one the row covered);
        // an exchange needs it first.
        int draw = -1;
        WeightedCover::Exchange move;
        if (settings.exchange) {
            draw = state.randomUncovered(rng);
            move = state.bestExchange(draw, tabuUntil, step, rng);
        }
        if (move.in >= 0)
            tabuUntil[std::size_t(move.out)] = step + settings.tenure;
        else
            move.out = state.cheapest(justAdded);
        if (move.out >= 0) {
            state.remove(move.out);
            state.stamp(move.out, step);
        }
        if (move.in < 0) {
            if (draw < 0)
                draw = state.randomUncovered(rng);
            move.in = state.bestCoverer(draw, move.out, rng);
        }
        state.add(move.in);
        state.stamp(move.in, step);
        justAdded = move.in;
        state.raiseWeights();
    }
    return covering;
}

} // namespace quorbel
