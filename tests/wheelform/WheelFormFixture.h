#pragma once

// Shared by the widget tests of the ball board, the random pick and the bets:
// a formula file in the program folder, a window into the form's private
// state, and a record of the message boxes shown.

#include "app/UnitSortivo.h"
#include "platform/Cp936.h"
#include "platform/MessageBoxes.h"
#include "platform/widgets/AutoSizeLabel.h"
#include "platform/widgets/ImageControl.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QtTest>

#include <memory>

struct SortivoProbe
{
    static QVector<qint32> &selected(TFrmSortivo &f) { return f.FSelected; }
    static quorbel::TGSList &formulas(TFrmSortivo &f) { return f.FGSList; }
    static qint32 &maxNumber(TFrmSortivo &f) { return f.FMaxNumber; }
    static ImageControl *ball(TFrmSortivo &f, int n) { return f.FBallList.at(n - 1); }
    static const ImageList &up(TFrmSortivo &f) { return f.ImageListUp; }
    static const ImageList &down(TFrmSortivo &f) { return f.ImageListDown; }
    static QLabel *labelSel(TFrmSortivo &f) { return f.LabelSel; }
    static QLabel *label3(TFrmSortivo &f) { return f.Label3; }
    static QComboBox *ruleBox(TFrmSortivo &f) { return f.RzComboBox1; }
    static QPlainTextEdit *betList(TFrmSortivo &f) { return f.RzMemo1; }
};

namespace wheelform {

// Rows of `betSize` positions cycling through 1..count, `rows` of them.
inline QString cyclicRows(int count, int betSize, int rows)
{
    QString text;
    for (int r = 0; r < rows; ++r) {
        QStringList row;
        for (int k = 0; k < betSize; ++k)
            row << QString::number((r + k) % count + 1);
        text += row.join(QLatin1Char(' ')) + QStringLiteral("\r\n");
    }
    return text;
}

// The formulas the tests rely on: "选9中7保6" is the two-row layout example,
// "选10中7保6" has the full count 120 and 14 rows, "选10中7保5" 120 and 6;
// nothing for 11 numbers.
inline QString fixtureFormulas()
{
    return QStringLiteral("[选9中7保6/0/7/0/2/36]\r\n1 2 3 4 5 6 7\r\n3 4 5 6 7 8 9\r\n")
           + QStringLiteral("[选9中7保5/0/7/0/3/36]\r\n") + cyclicRows(9, 7, 3)
           + QStringLiteral("[选10中7保6/0/7/0/14/120]\r\n") + cyclicRows(10, 7, 14)
           + QStringLiteral("[选10中7保5/0/7/0/6/120]\r\n") + cyclicRows(10, 7, 6);
}

// The form reads "GS.spt" from the program folder, i.e. beside the test
// executable. Written atomically: several test programs share the folder.
inline void installFormulaFile()
{
    QSaveFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/GS.spt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(quorbel::EncodeCp936(fixtureFormulas()));
    QVERIFY(file.commit());
}

// Keeps the advertisement strip of the form away from any real server.
inline void isolateFromNetwork()
{
    qputenv("QUORBEL_AD_SERVER", "http://127.0.0.1:9");
}

// Every message box shown while it lives, answered with OK.
class MessageLog
{
public:
    MessageLog()
    {
        quorbel::MessageBoxes::setResponder([this](const quorbel::MessageRecord &m) { records.append(m); });
    }
    ~MessageLog() { quorbel::MessageBoxes::setResponder({}); }

    QVector<quorbel::MessageRecord> records;
};

inline std::unique_ptr<TFrmSortivo> makeShownForm()
{
    auto form = std::make_unique<TFrmSortivo>();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qWarning("the form was not exposed");
    return form;
}

inline void clickBall(TFrmSortivo &form, int n)
{
    QTest::mouseClick(SortivoProbe::ball(form, n), Qt::LeftButton);
}

inline void clickBalls(TFrmSortivo &form, const QVector<int> &numbers)
{
    for (int n : numbers)
        clickBall(form, n);
}

inline bool samePicture(const QPixmap &a, const QPixmap &b)
{
    return a.toImage() == b.toImage();
}

// The ball shows its red-number picture exactly when its Tag is negative.
inline bool ballShowsItsState(TFrmSortivo &form, int n)
{
    ImageControl *ball = SortivoProbe::ball(form, n);
    const bool selected = ball->tag() < 0;
    const ImageList &pictures = selected ? SortivoProbe::down(form) : SortivoProbe::up(form);
    return qAbs(ball->tag()) == n && samePicture(ball->picture(), pictures.picture(n - 1));
}

} // namespace wheelform
