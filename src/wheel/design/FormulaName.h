#pragma once

#include <QString>

namespace quorbel {

// The parts of a formula name "选n中k保t": a selection of n numbers, draws of k, and the
// guarantee that some bet holds at least t of the drawn numbers.
struct FormulaKey
{
    int selection = 0;
    int drawSize = 0;
    int guarantee = 0;
};

// Parses "选n中k保t" (decimal numbers without leading zeros or signs). False when the
// name has any other form.
bool ParseFormulaName(const QString &name, FormulaKey &key);

// "选" + n + "中" + k + "保" + t.
QString FormulaName(const FormulaKey &key);

} // namespace quorbel
