#pragma once

#include "wheel/SortivoGS.h"

#include <QStringList>
#include <QVector>

#include <optional>

namespace quorbel {

using TBet = QVector<qint32>;

// The first entry of a formula that names no selected number: a position
// outside 1..selectedCount (0 is what a short row line leaves). Row and entry
// count from 1.
struct PositionFault
{
    int Row = 0;
    int Entry = 0;
    qint32 Position = 0;
};

std::optional<PositionFault> FindPositionFault(const TSortivo_GS &formula, int selectedCount);

// The warning shown when a formula is refused for such a position.
QString PositionFaultText(const QString &formulaName, const PositionFault &fault, int selectedCount);

// One bet per formula row, in row order: entry k of a bet is the selected
// number at the row's position k (position 1 is the first number marked). A
// formula with a position outside the selection raises AppError with
// PositionFaultText; nothing outside the selection is ever read.
QVector<TBet> ExpandFormula(const TSortivo_GS &formula, const QVector<qint32> &selected);

// Ascending order by plain exchange: each entry from the first to the
// second-last against every later one, from the last back.
void ExchangeSort(TBet &bet);

// " 03  07  09  12  18  25  30 ": a blank, the number, a blank, for each entry.
QString FormatBetLine(const TBet &bet);

// Expands, sorts and formats: the lines of the bet list.
QStringList GenerateBetLines(const TSortivo_GS &formula, const QVector<qint32> &selected);

} // namespace quorbel
