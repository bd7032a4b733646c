#pragma once

#include "wheel/SortivoGS.h"
#include "wheel/design/Combinatorics.h"
#include "wheel/design/FormulaName.h"

#include <vector>

namespace quorbel {

// A design for one formula: its key and its rows as position masks.
struct WheelDesign
{
    FormulaKey key;
    std::vector<SubsetMask> rows;
};

// Rows in a stable order: each row's positions ascending, rows in lexicographic order.
std::vector<SubsetMask> SortedRows(std::vector<SubsetMask> rows);

// The formula record the program reads: Value1 and Value3 0, BetSize k, FullCount C(n,k).
TSortivo_GS ToFormula(const WheelDesign &design);

} // namespace quorbel
