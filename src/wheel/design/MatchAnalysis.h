#pragma once

#include "wheel/SortivoGS.h"
#include "wheel/design/FormulaName.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace quorbel {

// How the draws inside the selection fall for a formula: for every C(n,k) draw, the best
// number of drawn positions that one row holds.
struct MatchProfile
{
    QString name;
    FormulaKey key;
    int rows = 0;
    std::int64_t draws = 0;
    std::vector<std::int64_t> drawsWithBest; // index m: draws whose best row holds m of them
};

// Throws AppError when the name is not of the form 选n中k保t or a row holds a position
// outside 1..n or a position twice.
MatchProfile AnalyseFormula(const TSortivo_GS &formula);

// Table from the best match k down to 0: draws, share, and share with at least that match.
QString FormatProfile(const MatchProfile &profile);

} // namespace quorbel
