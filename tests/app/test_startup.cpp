#include "app/AppPath.h"
#include "app/UnitSortivo.h"
#include "platform/MessageBoxes.h"
#include "platform/widgets/ImageControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

struct SortivoProbe
{
    static const quorbel::TGSList &gsList(const TFrmSortivo &f) { return f.FGSList; }
    static const QVector<ImageControl *> &balls(const TFrmSortivo &f) { return f.FBallList; }
    static qint32 maxNumber(const TFrmSortivo &f) { return f.FMaxNumber; }
    static qint32 adIndex(const TFrmSortivo &f) { return f.FADIndex; }
    static const QVector<qint32> &selected(const TFrmSortivo &f) { return f.FSelected; }
};

class StartupTest : public QObject
{
    Q_OBJECT

private:
    QList<quorbel::MessageRecord> m_messages;
    QString gsPath() const { return QCoreApplication::applicationDirPath() + QStringLiteral("/GS.spt"); }

    void writeGS(const QByteArray &bytes)
    {
        QFile file(gsPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // A start-up that gets through FormCreate refreshes the advertisement
        // list: keep it on this machine (nothing listens on port 9).
        qputenv("QUORBEL_AD_SERVER", "http://127.0.0.1:9");
    }

    void cleanupTestCase()
    {
        QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/Sup")).removeRecursively();
    }

    void init()
    {
        m_messages.clear();
        quorbel::MessageBoxes::setResponder([this](const quorbel::MessageRecord &m) { m_messages.append(m); });
    }

    void cleanup()
    {
        QFile::remove(gsPath());
        quorbel::MessageBoxes::setResponder(nullptr);
    }

    void startsWithFormulaFile()
    {
        writeGS("[\xd1\xa1\x39\xd6\xd0\x37\xb1\xa3\x36/0/7/0/1/36]\r\n1 2 3 4 5 6 7\r\n");
        TFrmSortivo form;
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.value(0).text));
        QCOMPARE(form.findChild<QComboBox *>("RzComboBox1")->currentText(), QStringLiteral("中7保6"));
        QCOMPARE(form.findChild<QLabel *>("Label3")->text(), QStringLiteral("已选号码 0 个"));
        QCOMPARE(form.findChild<QLabel *>("Label5")->text(), QStringLiteral("V1.5.4.0"));
        QCOMPARE(SortivoProbe::maxNumber(form), 30);
        QCOMPARE(SortivoProbe::adIndex(form), -1);
        QVERIFY(SortivoProbe::selected(form).isEmpty());
        QCOMPARE(SortivoProbe::gsList(form).size(), 1);
        QCOMPARE(SortivoProbe::gsList(form)[0].Name, QStringLiteral("选9中7保6"));
        QCOMPARE(quorbel::AppPath, QCoreApplication::applicationDirPath() + QLatin1Char('/'));
        QCOMPARE(quorbel::ApplicationTitle(), QStringLiteral("Quorbel"));
        QCOMPARE(form.font().pointSizeF(), 9.0);
        QVERIFY(form.font().families().contains(QStringLiteral("宋体")));
    }

    void startsWithoutFormulaFile()
    {
        QFile::remove(gsPath());
        TFrmSortivo form;
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].caption, QStringLiteral("Quorbel"));
        QCOMPARE(m_messages[0].icon, quorbel::MessageIcon::Error);
        QCOMPARE(m_messages[0].text,
                 QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(gsPath()));
        // The steps before the load ran, the ones after it did not.
        QCOMPARE(SortivoProbe::balls(form).size(), 40);
        QCOMPARE(form.findChild<QLabel *>("Label5")->text(), QStringLiteral("V1.5.4.0"));
        QCOMPARE(form.findChild<QComboBox *>("RzComboBox1")->currentText(), QString());
        QCOMPARE(SortivoProbe::maxNumber(form), 0);
        QVERIFY(SortivoProbe::gsList(form).isEmpty());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }

    void damagedFormulaFileKeepsEarlierFormulas()
    {
        writeGS("[A/0/7/0/1/36]\r\n1 2 3 4 5 6 7\r\n[B/0/7/0/-1/0]\r\n[C/0/7/0/1/36]\r\n");
        TFrmSortivo form;
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QStringLiteral("Range check error"));
        QCOMPARE(SortivoProbe::gsList(form).size(), 1);
        QCOMPARE(SortivoProbe::maxNumber(form), 0);
    }

    void layoutMatchesTheDesign()
    {
        writeGS(QByteArray());
        TFrmSortivo form;
        QCOMPARE(form.size(), QSize(630, 460));
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        const struct
        {
            const char *name;
            QRect geometry;
        } table[] = {
            {"ImageBk", {0, 0, 630, 460}},       {"Label1", {0, 0, 630, 33}},
            {"RzURLLabel1", {7, 5, 228, 11}},    {"BtnRandom", {16, 380, 90, 67}},
            {"BtnClear", {112, 380, 90, 67}},    {"BtnCreate", {342, 380, 90, 67}},
            {"Label4", {213, 428, 48, 13}},      {"BtnSave", {548, 128, 65, 20}},
            {"RzURLLabelAD", {589, 41, 30, 12}}, {"LabelAD", {577, 41, 42, 12}},
            {"PanelBall", {16, 150, 416, 162}},  {"PanelCode", {16, 315, 416, 57}},
            {"LabelSel", {8, 32, 401, 20}},      {"RzSeparator1", {0, 25, 416, 1}},
            {"BtnClose", {571, 1, 56, 26}},      {"RzComboBox1", {265, 424, 65, 21}},
            {"RzMemo1", {440, 150, 173, 298}},   {"PanelAD", {450, 59, 170, 48}},
            {"ImageAD", {1, 1, 168, 46}},
        };
        for (const auto &row : table) {
            auto *widget = form.findChild<QWidget *>(QLatin1String(row.name));
            QVERIFY2(widget, row.name);
            QCOMPARE(widget->geometry(), row.geometry);
        }
        QCOMPARE(form.findChild<QWidget *>("Label5")->pos(), QPoint(416, 92));
        QCOMPARE(form.findChild<QWidget *>("Label3")->pos(), QPoint(8, 8));
        QVERIFY(form.findChild<QWidget *>("PanelAD")->isHidden());
        QVERIFY(form.findChild<QWidget *>("LabelAD")->isHidden());
        QVERIFY(form.findChild<QWidget *>("RzURLLabelAD")->isHidden());
        QVERIFY(form.findChild<QPlainTextEdit *>("RzMemo1")->isReadOnly());
        auto *timer = form.findChild<QTimer *>("TimerAD");
        QCOMPARE(timer->interval(), 10000);
        // Off in the design; loading the advertisement list at the end of
        // start-up starts it.
        QVERIFY(timer->isActive());
        auto *combo = form.findChild<QComboBox *>("RzComboBox1");
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(1), QStringLiteral("中7保5"));
        QVERIFY(!combo->isEditable());
    }

    void ballsStandOnTheBoard()
    {
        writeGS(QByteArray());
        TFrmSortivo form;
        const QVector<ImageControl *> &balls = SortivoProbe::balls(form);
        QCOMPARE(balls.size(), 40);
        auto *board = form.findChild<QWidget *>("PanelBall");
        for (int n = 1; n <= 40; ++n) {
            ImageControl *ball = balls[n - 1];
            QCOMPARE(ball->parentWidget(), board);
            QCOMPARE(ball->tag(), n);
            QCOMPARE(ball->geometry(), QRect((n - 1) % 10 * 40 + 12, (n - 1) / 10 * 38 + 8, 40, 38));
            QCOMPARE(ball->picture().size(), QSize(32, 32));
            QCOMPARE(ball->cursor().shape(), Qt::PointingHandCursor);
        }
        QCOMPARE(balls[10]->pos(), QPoint(12, 46));
        QCOMPARE(balls[39]->pos(), QPoint(372, 122));
    }

    void dragStripMovesTheWindowWithAnyButton()
    {
        writeGS(QByteArray());
        TFrmSortivo form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.move(100, 100);
        auto *strip = form.findChild<QWidget *>("Label1");
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            const QPoint start = form.pos();
            // The offscreen platform has no system move: the strip drags the window itself.
            QTest::mousePress(strip, button, {}, QPoint(300, 10));
            QMouseEvent move(QEvent::MouseMove, QPointF(330, 30), strip->mapToGlobal(QPointF(330, 30)), button,
                             button, {});
            QCoreApplication::sendEvent(strip, &move);
            QTest::mouseRelease(strip, button, {}, QPoint(330, 30));
            QCOMPARE(form.pos(), start + QPoint(30, 20));
        }
    }

    void closeButtonEndsTheWindow()
    {
        writeGS(QByteArray());
        TFrmSortivo form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto *close = form.findChild<QAbstractButton *>("BtnClose");
        QCOMPARE(close->toolTip(), QStringLiteral("关闭"));
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
