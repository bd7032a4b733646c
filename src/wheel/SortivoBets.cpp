#include "app/UnitSortivo.h"
#include "platform/AppError.h"
#include "platform/MessageBoxes.h"
#include "wheel/BetExpansion.h"
#include "wheel/BetFile.h"
#include "wheel/Selection.h"

#include <QComboBox>
#include <QPlainTextEdit>

using namespace quorbel;

namespace {

void warn(QWidget *parent, const QString &text)
{
    MessageBoxes::show(parent, text, QStringLiteral("警告"), MessageIcon::Warning);
}

QStringList memoLines(const QPlainTextEdit &memo)
{
    const QString text = memo.toPlainText();
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}

} // namespace

void TFrmSortivo::BtnCreateClick()
{
    const int n = GetSelectedCount();
    if (n < MinBetSelection) {
        warn(this, QStringLiteral("最少选择%1个号码").arg(MinBetSelection));
        return;
    }
    const QString key = FormulaKey(n, RzComboBox1->currentText());
    const int index = FindGS(key);
    if (index < 0) {
        warn(this, QStringLiteral("无法获得计算公式"));
        return;
    }
    // Expand before touching the list: a formula refused for a position
    // outside the selection leaves the earlier bets in place.
    QStringList lines;
    try {
        lines = GenerateBetLines(FGSList[index], FSelected);
    } catch (const AppError &error) {
        warn(this, error.message());
        return;
    }
    RzMemo1->setPlainText(lines.join(QLatin1Char('\n')));
}

void TFrmSortivo::BtnSaveClick()
{
    if (!SaveDialog1.execute(this))
        return;
    try {
        SaveBetFile(SaveDialog1.fileName(), memoLines(*RzMemo1));
    } catch (const AppError &error) {
        MessageBoxes::showError(this, error.message());
    }
}
