#include "app/UnitSortivo.h"
#include "platform/widgets/ImageControl.h"
#include "platform/widgets/FlatPanel.h"

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
    for (int n = 1; n <= 40; ++n) {
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

void TFrmSortivo::BallClick(ImageControl *) {}
void TFrmSortivo::AddSelected(qint32) {}
void TFrmSortivo::RemoveSelected(qint32) {}
int TFrmSortivo::GetSelectedCount() const { return int(FSelected.size()); }
QString TFrmSortivo::GetSelectedText() const { return QString(); }
void TFrmSortivo::ClearSelection() {}
void TFrmSortivo::UpdateSelInfo() {}
void TFrmSortivo::BtnClearClick() {}
void TFrmSortivo::RzComboBox1Change() {}
void TFrmSortivo::BtnRandomClick() {}
void TFrmSortivo::BtnCreateClick() {}
void TFrmSortivo::BtnSaveClick() {}
