#include "wheel/design/OrbitSpace.h"

#include <algorithm>

namespace quorbel {

OrbitSpace::OrbitSpace(const DrawSpace &space, const std::vector<int> &cycleLengths, int t, bool withComplement)
    : m_space(space), m_t(t), m_complement(withComplement && space.n() == 2 * space.k())
{
    const int n = space.n();
    m_image.resize(std::size_t(n));
    for (int i = 0; i < n; ++i)
        m_image[std::size_t(i)] = i;
    int first = 0;
    for (int length : cycleLengths) {
        if (length <= 0 || first + length > n)
            break;
        for (int i = 0; i < length; ++i)
            m_image[std::size_t(first + i)] = first + (i + 1) % length;
        first += length;
    }

    m_orbitOf.assign(std::size_t(space.size()), -1);
    m_firstMember.push_back(0);
    for (int s = 0; s < space.size(); ++s) {
        if (m_orbitOf[std::size_t(s)] >= 0)
            continue;
        const int orbit = orbitCount();
        const SubsetMask all = (SubsetMask(1) << n) - 1;
        const std::size_t first = m_members.size();
        m_orbitOf[std::size_t(s)] = orbit;
        m_members.push_back(s);
        // Closure under the generator (and complementation): walk the members found so far.
        for (std::size_t next = first; next < m_members.size(); ++next) {
            const SubsetMask mask = space.mask(m_members[next]);
            SubsetMask images[2] = {apply(mask), all & ~mask};
            for (int i = 0; i < (m_complement ? 2 : 1); ++i) {
                const int member = space.indexOf(images[i]);
                if (m_orbitOf[std::size_t(member)] < 0) {
                    m_orbitOf[std::size_t(member)] = orbit;
                    m_members.push_back(member);
                }
            }
        }
        m_firstMember.push_back(static_cast<std::int32_t>(m_members.size()));
    }

    // The draws one row covers, mapped to their orbits; the group carries this over
    // to every row of the orbit.
    const CoverageLists lists(space, t);
    m_firstCover.push_back(0);
    std::vector<std::int32_t> seen;
    for (int orbit = 0; orbit < orbitCount(); ++orbit) {
        const int rep = representative(orbit);
        seen.assign(lists.begin(rep), lists.end(rep));
        for (auto &d : seen)
            d = m_orbitOf[std::size_t(d)];
        std::sort(seen.begin(), seen.end());
        seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
        m_cover.insert(m_cover.end(), seen.begin(), seen.end());
        m_firstCover.push_back(static_cast<std::int64_t>(m_cover.size()));
    }
}

SubsetMask OrbitSpace::apply(SubsetMask mask) const
{
    SubsetMask image = 0;
    for (int bit = 0; mask != 0; ++bit, mask >>= 1)
        if (mask & 1u)
            image |= SubsetMask(1) << m_image[std::size_t(bit)];
    return image;
}

} // namespace quorbel
