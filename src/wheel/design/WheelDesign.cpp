#include "wheel/design/WheelDesign.h"

#include <algorithm>

namespace quorbel {

std::vector<SubsetMask> SortedRows(std::vector<SubsetMask> rows)
{
    std::sort(rows.begin(), rows.end(), [](SubsetMask a, SubsetMask b) {
        return MaskToPositions(a) < MaskToPositions(b);
    });
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

TSortivo_GS ToFormula(const WheelDesign &design)
{
    TSortivo_GS formula;
    formula.Name = FormulaName(design.key);
    formula.BetSize = design.key.drawSize;
    formula.FullCount = static_cast<qint32>(Binomial(design.key.selection, design.key.drawSize));
    for (SubsetMask row : SortedRows(design.rows)) {
        QVector<qint32> positions;
        for (int p : MaskToPositions(row))
            positions.append(p);
        formula.Rows.append(positions);
    }
    return formula;
}

} // namespace quorbel
