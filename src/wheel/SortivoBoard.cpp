#include "app/UnitSortivo.h"
#include "platform/MessageBoxes.h"
#include "platform/widgets/AutoSizeLabel.h"
#include "platform/widgets/FlatPanel.h"
#include "platform/widgets/ImageControl.h"
#include "wheel/Selection.h"

#include <QComboBox>
#include <QLabel>

using namespace quorbel;

void TFrmSortivo::LoadGS(const QString &fileName)
{
    quorbel::LoadGS(fileName, FGSList);
}

int TFrmSortivo::FindGS(const QString &name) const
{
    return quorbel::FindGS(FGSList, name);
}

void TFrmSortivo::CreateBalls()
{
    for (int n = 1; n <= BoardSize; ++n) {
        auto *ball = new ImageControl(PanelBall);
        ball->setObjectName(QStringLiteral("Ball%1").arg(n));
        ball->setTag(n);
        ball->setGeometry((n - 1) % 10 * 40 + 12, (n - 1) / 10 * 38 + 8, 40, 38);
        ball->setPicture(ImageListUp.picture(n - 1));
        ball->setCursor(Qt::PointingHandCursor);
        connect(ball, &ImageControl::clicked, this, [this, ball] { BallClick(ball); });
        FBallList.append(ball);
    }
}

void TFrmSortivo::BallClick(ImageControl *ball)
{
    const int tag = ball->tag();
    if (tag > 0) {
        if (GetSelectedCount() >= MaxSelectedCount) {
            MessageBoxes::show(this, QStringLiteral("最多选择 %1 个号码").arg(MaxSelectedCount), QStringLiteral("提示"),
                               MessageIcon::Information);
            return;
        }
        ball->setPicture(ImageListDown.picture(tag - 1));
        AddSelected(tag);
    } else {
        ball->setPicture(ImageListUp.picture(-tag - 1));
        RemoveSelected(-tag);
    }
    ball->setTag(-tag);
    ball->repaint();
    LabelSel->setText(GetSelectedText());
    UpdateSelInfo();
}

void TFrmSortivo::AddSelected(qint32 number)
{
    FSelected.append(number);
}

void TFrmSortivo::RemoveSelected(qint32 number)
{
    RemoveFirst(FSelected, number);
}

int TFrmSortivo::GetSelectedCount() const
{
    return int(FSelected.size());
}

QString TFrmSortivo::GetSelectedText() const
{
    return SelectedText(FSelected);
}

void TFrmSortivo::ClearSelection()
{
    for (ImageControl *ball : FBallList) {
        if (ball->tag() < 0) {
            ball->setTag(-ball->tag());
            ball->setPicture(ImageListUp.picture(ball->tag() - 1));
            ball->repaint();
        }
    }
    FSelected.clear();
}

void TFrmSortivo::UpdateSelInfo()
{
    const int count = GetSelectedCount();
    const int index = FindGS(FormulaKey(count, RzComboBox1->currentText()));
    Label3->setText(CountLineText(count, index >= 0 ? &FGSList[index] : nullptr));
}

void TFrmSortivo::BtnClearClick()
{
    ClearSelection();
    LabelSel->clear();
    Label3->setText(EmptyCountLineText());
}

void TFrmSortivo::RzComboBox1Change()
{
    UpdateSelInfo();
}
