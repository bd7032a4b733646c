#include "wheel/BetExpansion.h"

#include "platform/AppError.h"
#include "wheel/Selection.h"

#include <utility>

namespace quorbel {

std::optional<PositionFault> FindPositionFault(const TSortivo_GS &formula, int selectedCount)
{
    for (int r = 0; r < formula.Rows.size(); ++r) {
        const QVector<qint32> &row = formula.Rows[r];
        for (int k = 0; k < row.size(); ++k) {
            if (row[k] < 1 || row[k] > selectedCount)
                return PositionFault{r + 1, k + 1, row[k]};
        }
    }
    return std::nullopt;
}

QString PositionFaultText(const QString &formulaName, const PositionFault &fault, int selectedCount)
{
    return QStringLiteral("计算公式“%1”有误：第 %2 行第 %3 个位置为 %4，不在 1 到 %5 之间，无法生成投注组合")
        .arg(formulaName)
        .arg(fault.Row)
        .arg(fault.Entry)
        .arg(fault.Position)
        .arg(selectedCount);
}

QVector<TBet> ExpandFormula(const TSortivo_GS &formula, const QVector<qint32> &selected)
{
    const int n = int(selected.size());
    if (const auto fault = FindPositionFault(formula, n))
        throw AppError(PositionFaultText(formula.Name, *fault, n));

    QVector<TBet> bets;
    bets.reserve(formula.Rows.size());
    for (const QVector<qint32> &row : formula.Rows) {
        TBet bet(row.size());
        for (int k = 0; k < row.size(); ++k)
            bet[k] = selected[row[k] - 1];
        bets.append(std::move(bet));
    }
    return bets;
}

void ExchangeSort(TBet &bet)
{
    const int size = int(bet.size());
    for (int j = 0; j < size - 1; ++j) {
        for (int k = size - 1; k > j; --k) {
            if (bet[j] > bet[k])
                std::swap(bet[j], bet[k]);
        }
    }
}

QString FormatBetLine(const TBet &bet)
{
    QString line;
    line.reserve(bet.size() * 4);
    for (qint32 number : bet) {
        line += QLatin1Char(' ');
        // Lottery numbers take the short way; anything else the general one.
        if (number >= 0 && number < 100) {
            line += QLatin1Char(char('0' + number / 10));
            line += QLatin1Char(char('0' + number % 10));
        } else {
            line += FormatNumber(number);
        }
        line += QLatin1Char(' ');
    }
    return line;
}

QStringList GenerateBetLines(const TSortivo_GS &formula, const QVector<qint32> &selected)
{
    QVector<TBet> bets = ExpandFormula(formula, selected);
    QStringList lines;
    lines.reserve(bets.size());
    for (TBet &bet : bets) {
        ExchangeSort(bet);
        lines.append(FormatBetLine(bet));
    }
    return lines;
}

} // namespace quorbel
