#pragma once

#include "wheel/SortivoGS.h"

#include <QString>
#include <QVector>

namespace quorbel {

// The ball board: numbers 1 to BoardSize; clicks may mark at most
// MaxSelectedCount of them, and bets are made from MinBetSelection on.
constexpr int BoardSize = 40;
constexpr int MaxSelectedCount = 16;
constexpr int MinBetSelection = 9;

// A lottery number with at least two digits, of its absolute value: 5 -> "05".
QString FormatNumber(qint32 number);

// Every number in marking order, each followed by two blanks ("05  12  03  ").
QString SelectedText(const QVector<qint32> &selected);

// Removes the first occurrence of `number`; later numbers keep their order.
void RemoveFirst(QVector<qint32> &selected, qint32 number);

// The formula looked up for a selection: "选" + count + rule ("选10中7保6").
QString FormulaKey(int selectedCount, const QString &ruleText);

// The count line under the board: "已选号码 10 个 " and, when a formula is
// known, "[复式投注数量 120 注，缩水投注数量 14 注]" after it.
QString CountLineText(int selectedCount, const TSortivo_GS *formula);

// The count line as the clear button leaves it.
QString EmptyCountLineText();

} // namespace quorbel
