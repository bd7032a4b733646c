#pragma once

#include "wheel/design/DrawSpace.h"

#include <cstdint>
#include <vector>

namespace quorbel {

// The k-subsets of {1..n} grouped into orbits of a cyclic permutation group, for
// searching designs that the group maps onto themselves. With the trivial group every
// subset is its own orbit and the search is the plain one.
//
// The generator is given by its cycle lengths: {7, 7} on n = 14 turns 1..7 and 8..14
// each one step round; lengths that sum to less than n leave the last positions fixed.
// When n = 2k the group may also hold complementation (a row and the positions outside it),
// which maps the coverage onto itself: |R ∩ D| = |R' ∩ D'| for complements R', D'.
class OrbitSpace
{
public:
    OrbitSpace(const DrawSpace &space, const std::vector<int> &cycleLengths, int t, bool withComplement = false);

    const DrawSpace &space() const { return m_space; }
    int t() const { return m_t; }
    bool withComplement() const { return m_complement; }
    int orbitCount() const { return static_cast<int>(m_firstMember.size()) - 1; }
    int orbitOf(int subset) const { return m_orbitOf[std::size_t(subset)]; }
    int orbitSize(int orbit) const { return m_firstMember[std::size_t(orbit) + 1] - m_firstMember[std::size_t(orbit)]; }
    const std::int32_t *membersBegin(int orbit) const { return m_members.data() + m_firstMember[std::size_t(orbit)]; }
    const std::int32_t *membersEnd(int orbit) const { return m_members.data() + m_firstMember[std::size_t(orbit) + 1]; }
    int representative(int orbit) const { return *membersBegin(orbit); }

    // Orbits of the draws that the rows of an orbit cover (each orbit once).
    const std::int32_t *coverBegin(int orbit) const { return m_cover.data() + m_firstCover[std::size_t(orbit)]; }
    const std::int32_t *coverEnd(int orbit) const { return m_cover.data() + m_firstCover[std::size_t(orbit) + 1]; }

    // Image of a mask under the generator.
    SubsetMask apply(SubsetMask mask) const;

private:
    const DrawSpace &m_space;
    int m_t;
    bool m_complement;
    std::vector<int> m_image;               // generator: position bit -> position bit
    std::vector<std::int32_t> m_orbitOf;
    std::vector<std::int32_t> m_members;    // grouped by orbit
    std::vector<std::int32_t> m_firstMember;
    std::vector<std::int32_t> m_cover;
    std::vector<std::int64_t> m_firstCover;
};

} // namespace quorbel
