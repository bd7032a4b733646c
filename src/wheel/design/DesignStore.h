#pragma once

#include "wheel/design/WheelDesign.h"

#include <QString>

namespace quorbel {

// Best designs reached so far, one plain text file per formula in a folder
// ("n16t6.txt": one row a line, positions separated by single spaces), so that long
// searches can be resumed and the formula file rebuilt from them.
class DesignStore
{
public:
    explicit DesignStore(QString folder);

    QString fileFor(const FormulaKey &key) const;

    // False when the folder holds no design for the key; AppError on a damaged file.
    bool load(const FormulaKey &key, std::vector<SubsetMask> &rows) const;

    // Keeps the design when the folder holds none for the key or a larger one; the
    // caller has verified it. Returns whether it was written.
    bool keepIfSmaller(const WheelDesign &design) const;

private:
    QString m_folder;
};

} // namespace quorbel
