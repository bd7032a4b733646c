#include "wheel/Selection.h"

namespace quorbel {

QString FormatNumber(qint32 number)
{
    // Unsigned negation: the lowest 32-bit number has no positive counterpart.
    const quint32 magnitude = number < 0 ? 0u - quint32(number) : quint32(number);
    QString digits = QString::number(magnitude);
    if (digits.size() < 2)
        digits.prepend(QLatin1Char('0'));
    return digits;
}

QString SelectedText(const QVector<qint32> &selected)
{
    QString text;
    for (qint32 number : selected)
        text += FormatNumber(number) + QStringLiteral("  ");
    return text;
}

void RemoveFirst(QVector<qint32> &selected, qint32 number)
{
    const qsizetype at = selected.indexOf(number);
    if (at >= 0)
        selected.remove(at);
}

QString FormulaKey(int selectedCount, const QString &ruleText)
{
    return QStringLiteral("选") + QString::number(selectedCount) + ruleText;
}

QString CountLineText(int selectedCount, const TSortivo_GS *formula)
{
    QString text = QStringLiteral("已选号码 ") + QString::number(selectedCount) + QStringLiteral(" 个 ");
    if (formula) {
        text += QStringLiteral("[复式投注数量 ") + QString::number(formula->FullCount) + QStringLiteral(" 注，缩水投注数量 ")
                + QString::number(formula->Rows.size()) + QStringLiteral(" 注]");
    }
    return text;
}

QString EmptyCountLineText()
{
    return QStringLiteral("已选号码 0 个");
}

} // namespace quorbel
