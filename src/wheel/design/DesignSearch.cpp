#include "wheel/design/DesignSearch.h"

#include "wheel/design/RowWeightingSearch.h"

#include <QElapsedTimer>

#include <algorithm>

namespace quorbel {

namespace {

QString CyclesText(const std::vector<int> &cycles)
{
    QStringList parts;
    for (int c : cycles)
        parts << QString::number(c);
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(QLatin1Char(','));
}

// The orbits of a stored design when the group maps it onto itself; empty otherwise.
std::vector<int> OrbitsOf(const OrbitSpace &space, const std::vector<SubsetMask> &rows)
{
    std::vector<int> orbits;
    for (SubsetMask row : rows) {
        const int index = space.space().indexOf(row);
        if (index < 0)
            return {};
        orbits.push_back(space.orbitOf(index));
    }
    std::sort(orbits.begin(), orbits.end());
    orbits.erase(std::unique(orbits.begin(), orbits.end()), orbits.end());
    if (ExpandOrbits(space, orbits).size() != rows.size())
        return {}; // some orbit is only partly in the design
    return orbits;
}

} // namespace

SearchReport SearchFormula(const SearchRequest &request, const DesignStore &store,
                           const std::function<void(const QString &)> &log,
                           const std::atomic<bool> *stop)
{
    QElapsedTimer clock;
    clock.start();
    const FormulaKey &key = request.key;
    const QString name = FormulaName(key);
    const DrawSpace draws(key.selection, key.drawSize);
    const OrbitSpace space(draws, request.cycles, key.guarantee, request.complement);

    SearchReport report;
    std::vector<SubsetMask> stored;
    const bool haveStored = store.load(key, stored) && UncoveredDraws(draws, stored, key.guarantee).empty();
    std::vector<int> start;
    std::vector<int> fixed; // orbits the search keeps
    if (haveStored && request.fromStore)
        start = OrbitsOf(space, stored);
    if (start.empty() && request.extend) {
        // One number more: the design for n - 1 still covers every draw without position n;
        // greedy rows are added for the draws that hold it.
        std::vector<SubsetMask> smaller;
        FormulaKey smallerKey = key;
        --smallerKey.selection;
        if (store.load(smallerKey, smaller)) {
            const std::vector<int> kept = OrbitsOf(space, smaller);
            if (!kept.empty() || smaller.empty())
                start = GreedyCompletion(space, kept, request.seed);
            if (request.keepSmaller) {
                fixed = kept;
                start.erase(start.begin(), start.begin() + std::ptrdiff_t(kept.size()));
            }
            log(QStringLiteral("%1: extending the %2 rows stored for %3").arg(name).arg(smaller.size()).arg(FormulaName(smallerKey)));
        }
    }
    if (start.empty())
        start = GreedyCovering(space, request.seed);
    const auto withFixed = [&](const std::vector<int> &movable) {
        std::vector<int> all = fixed;
        all.insert(all.end(), movable.begin(), movable.end());
        return all;
    };
    report.startRows = RowCount(space, withFixed(start));
    report.bestRows = haveStored ? std::min<int>(int(stored.size()), report.startRows) : report.startRows;
    const std::vector<SubsetMask> startRows = ExpandOrbits(space, withFixed(start));
    if ((!haveStored || report.startRows < int(stored.size())) && UncoveredDraws(draws, startRows, key.guarantee).empty())
        report.improved = store.keepIfSmaller(WheelDesign{key, startRows});
    log(QStringLiteral("%1: group %2 (%3 orbits), start %4 rows, stored %5")
            .arg(name, CyclesText(request.cycles) + (space.withComplement() ? QStringLiteral(" with complements") : QString())).arg(space.orbitCount()).arg(report.startRows)
            .arg(haveStored ? QString::number(stored.size()) : QStringLiteral("none")));

    const auto keep = [&](const std::vector<int> &orbits) {
        const std::vector<SubsetMask> rows = ExpandOrbits(space, withFixed(orbits));
        if (!UncoveredDraws(draws, rows, key.guarantee).empty()) {
            log(QStringLiteral("%1: a design of %2 rows failed the check; not kept").arg(name).arg(rows.size()));
            return;
        }
        const bool kept = store.keepIfSmaller(WheelDesign{key, rows});
        report.improved = report.improved || kept;
        report.bestRows = std::min(report.bestRows, int(rows.size()));
        log(QStringLiteral("%1: %2 rows after %3 s%4")
                .arg(name).arg(rows.size()).arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1)
                .arg(kept ? QStringLiteral(", stored") : QString()));
    };

    if (request.method == SearchMethod::RowWeighting) {
        RowWeightingSettings settings;
        settings.seed = request.seed;
        settings.seconds = request.seconds;
        settings.targetRows = request.targetRows;
        settings.fixed = fixed;
        settings.exchange = request.exchange;
        if (request.anneal.tabuTenure > 0)
            settings.tenure = request.anneal.tabuTenure;
        RowWeightingSearch(space, start, settings, keep, stop);
        report.seconds = double(clock.elapsed()) / 1000.0;
        return report;
    }

    DescentSettings descent;
    descent.seed = request.seed;
    descent.seconds = request.seconds;
    descent.secondsPerSize = request.secondsPerSize;
    descent.targetRows = request.targetRows;
    descent.anneal = request.anneal;
    descent.anneal.fixed = fixed;
    descent.fromScratch = request.fromScratch;
    if (request.firstRows > 0) {
        // Orbits for the first size: rows divided by the size of a full orbit.
        int orbitRows = 1;
        for (int o = 0; o < space.orbitCount(); ++o)
            orbitRows = std::max(orbitRows, space.orbitSize(o));
        descent.firstOrbits = std::max(1, request.firstRows / orbitRows);
    }
    DescendingSearch(space, start, descent, keep, stop);
    report.seconds = double(clock.elapsed()) / 1000.0;
    return report;
}

} // namespace quorbel
