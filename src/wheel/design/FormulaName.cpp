#include "wheel/design/FormulaName.h"

#include <QRegularExpression>

namespace quorbel {

bool ParseFormulaName(const QString &name, FormulaKey &key)
{
    // Exact form only: the program looks formulas up by this very text.
    static const QRegularExpression pattern(QStringLiteral("^选([1-9][0-9]{0,2})中([1-9][0-9]{0,2})保([1-9][0-9]{0,2})$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return false;
    key.selection = match.captured(1).toInt();
    key.drawSize = match.captured(2).toInt();
    key.guarantee = match.captured(3).toInt();
    return true;
}

QString FormulaName(const FormulaKey &key)
{
    return QStringLiteral("选%1中%2保%3").arg(key.selection).arg(key.drawSize).arg(key.guarantee);
}

} // namespace quorbel
