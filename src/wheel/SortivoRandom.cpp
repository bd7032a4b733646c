#include "app/UnitSortivo.h"
#include "platform/widgets/ImageControl.h"
#include "wheel/NumberDraw.h"
#include "wheel/Selection.h"
#include "wheel/UnitGetCount.h"

#include <QLabel>

using namespace quorbel;

void TFrmSortivo::BtnRandomClick()
{
    const int count = ShowGetCount(9, MaxSelectedCount, GetSelectedCount(), FMaxNumber);
    // The dialog keeps both values in range; a count above the highest number
    // or a highest number beyond the board could never be drawn.
    if (count < 0 || FMaxNumber < 20 || FMaxNumber > BoardSize || count > FMaxNumber)
        return;

    ClearSelection();
    NumberSource source = NumberSource::FromClock();
    for (qint32 n : DrawDistinctNumbers(count, FMaxNumber, source)) {
        AddSelected(n);
        ImageControl *ball = FBallList[n - 1];
        ball->setTag(-n);
        ball->setPicture(ImageListDown.picture(n - 1));
        ball->repaint();
    }
    LabelSel->setText(GetSelectedText());
    UpdateSelInfo();
}
