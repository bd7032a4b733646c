#pragma once

#include "wheel/design/CoveringAnnealer.h"
#include "wheel/design/DesignStore.h"
#include "wheel/design/FormulaName.h"

#include <QString>

#include <atomic>
#include <functional>
#include <vector>

namespace quorbel {

// One search for the design of one formula, resumed from the store and saving into it.
enum class SearchMethod
{
    Annealing,     // simulated annealing, or tabu search with anneal.tabuTenure > 0
    RowWeighting,  // row-weighting local search
};

struct SearchRequest
{
    SearchMethod method = SearchMethod::Annealing;
    bool exchange = false;       // row weighting: exchange moves (anneal.tabuTenure is their tenure)
    FormulaKey key;
    std::vector<int> cycles;     // cycle lengths of the group the design keeps; empty: none
    bool complement = false;     // n = 2k: the group also maps every row to its complement
    std::uint64_t seed = 1;
    double seconds = 60.0;
    double secondsPerSize = 0.0; // 0: all that is left for every size
    int targetRows = 0;          // stop at this size (0: use the whole budget)
    bool fromStore = true;       // start from the stored design when the group allows
    bool fromScratch = false;    // search each size from random rows
    bool extend = false;         // start from the stored design for n - 1, completed greedily
    bool keepSmaller = false;    // with extend: the rows of the n - 1 design stay fixed
    int firstRows = 0;           // with fromScratch: rows of the first attempt (0: one fewer)
    AnnealSettings anneal;       // temperatures and moves
};

struct SearchReport
{
    int startRows = 0;
    int bestRows = 0;            // rows of the best covering design (stored or found)
    bool improved = false;       // a smaller design was stored
    double seconds = 0.0;
};

// Runs the search. Every covering design reached is checked by direct intersection
// before it is stored. log receives one line per event.
SearchReport SearchFormula(const SearchRequest &request, const DesignStore &store,
                           const std::function<void(const QString &)> &log,
                           const std::atomic<bool> *stop = nullptr);

} // namespace quorbel
