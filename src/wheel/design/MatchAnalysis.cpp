#include "wheel/design/MatchAnalysis.h"

#include "platform/AppError.h"
#include "wheel/design/Combinatorics.h"

#include <algorithm>

namespace quorbel {

MatchProfile AnalyseFormula(const TSortivo_GS &formula)
{
    MatchProfile profile;
    profile.name = formula.Name;
    if (!ParseFormulaName(formula.Name, profile.key))
        throw AppError(QStringLiteral("%1 is not a formula name of the form 选n中k保t").arg(formula.Name));
    const int n = profile.key.selection;
    const int k = profile.key.drawSize;
    if (n < k || n > kMaxDesignPositions)
        throw AppError(QStringLiteral("%1: a selection of %2 cannot be analysed").arg(formula.Name).arg(n));

    std::vector<SubsetMask> rows;
    for (int r = 0; r < formula.Rows.size(); ++r) {
        SubsetMask mask = 0;
        for (qint32 position : formula.Rows[r]) {
            if (position < 1 || position > n || (mask >> (position - 1) & 1u))
                throw AppError(QStringLiteral("%1: row %2 holds position %3 twice or outside 1..%4")
                                   .arg(formula.Name).arg(r + 1).arg(position).arg(n));
            mask |= SubsetMask(1) << (position - 1);
        }
        rows.push_back(mask);
    }
    profile.rows = static_cast<int>(rows.size());

    profile.drawsWithBest.assign(std::size_t(k) + 1, 0);
    for (SubsetMask draw : KSubsets(n, k)) {
        int best = 0;
        for (SubsetMask row : rows) {
            best = std::max(best, PopCount(row & draw));
            if (best == k)
                break;
        }
        ++profile.drawsWithBest[std::size_t(std::min(best, k))];
        ++profile.draws;
    }
    return profile;
}

QString FormatProfile(const MatchProfile &profile)
{
    QString text = QStringLiteral("%1: %2 rows, %3 draws inside the selection\n")
                       .arg(profile.name).arg(profile.rows).arg(profile.draws);
    text += QStringLiteral("%1 %2 %3 %4\n")
                .arg(QStringLiteral("best match"), 10)
                .arg(QStringLiteral("draws"), 8)
                .arg(QStringLiteral("share"), 8)
                .arg(QStringLiteral("at least"), 9);
    std::int64_t atLeast = 0;
    for (int m = static_cast<int>(profile.drawsWithBest.size()) - 1; m >= 0; --m) {
        const std::int64_t count = profile.drawsWithBest[std::size_t(m)];
        atLeast += count;
        if (atLeast == 0)
            continue; // no draw reaches this match: leave the line out
        const double share = profile.draws ? 100.0 * double(count) / double(profile.draws) : 0.0;
        const double shareAtLeast = profile.draws ? 100.0 * double(atLeast) / double(profile.draws) : 0.0;
        text += QStringLiteral("%1 %2 %3% %4%\n")
                    .arg(m, 10)
                    .arg(count, 8)
                    .arg(share, 7, 'f', 2)
                    .arg(shareAtLeast, 8, 'f', 2);
        if (atLeast == profile.draws)
            break;
    }
    return text;
}

} // namespace quorbel
