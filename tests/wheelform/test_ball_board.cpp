#include "WheelFormFixture.h"

using namespace quorbel;
using namespace wheelform;

class TestBallBoard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        isolateFromNetwork();
        installFormulaFile();
    }

    void startsEmptyWithBallsInTheirPlaces()
    {
        MessageLog log;
        auto form = makeShownForm();
        QVERIFY(log.records.isEmpty());
        QCOMPARE(SortivoProbe::label3(*form)->text(), QStringLiteral("已选号码 0 个"));
        QCOMPARE(SortivoProbe::labelSel(*form)->text(), QString());
        QVERIFY(SortivoProbe::selected(*form).isEmpty());
        QVERIFY(!samePicture(SortivoProbe::up(*form).picture(0), SortivoProbe::down(*form).picture(0)));
        for (int n = 1; n <= 40; ++n) {
            QCOMPARE(SortivoProbe::ball(*form, n)->tag(), n);
            QVERIFY(ballShowsItsState(*form, n));
        }
        QCOMPARE(SortivoProbe::ball(*form, 11)->geometry(), QRect(12, 46, 40, 38));
        QCOMPARE(SortivoProbe::ball(*form, 40)->geometry(), QRect(372, 122, 40, 38));
        QCOMPARE(SortivoProbe::ball(*form, 1)->parentWidget()->objectName(), QStringLiteral("PanelBall"));
    }

    void clicksKeepMarkingOrder()
    {
        MessageLog log;
        auto form = makeShownForm();
        clickBalls(*form, {5, 12, 3});
        QCOMPARE(SortivoProbe::selected(*form), (QVector<qint32>{5, 12, 3}));
        QCOMPARE(SortivoProbe::labelSel(*form)->text(), QStringLiteral("05  12  03  "));
        QCOMPARE(SortivoProbe::label3(*form)->text(), QStringLiteral("已选号码 3 个 "));
        for (int n : {5, 12, 3}) {
            QCOMPARE(SortivoProbe::ball(*form, n)->tag(), -n);
            QVERIFY(ballShowsItsState(*form, n));
        }

        clickBall(*form, 12);
        QCOMPARE(SortivoProbe::selected(*form), (QVector<qint32>{5, 3}));
        QCOMPARE(SortivoProbe::ball(*form, 12)->tag(), 12);
        QVERIFY(ballShowsItsState(*form, 12));
        QCOMPARE(SortivoProbe::labelSel(*form)->text(), QStringLiteral("05  03  "));

        clickBall(*form, 12);
        QCOMPARE(SortivoProbe::selected(*form), (QVector<qint32>{5, 3, 12}));
        QCOMPARE(SortivoProbe::labelSel(*form)->text(), QStringLiteral("05  03  12  "));
        QVERIFY(log.records.isEmpty());
    }

    void seventeenthBallIsRefused()
    {
        MessageLog log;
        auto form = makeShownForm();
        QVector<int> sixteen;
        for (int n = 40; n > 24; --n)
            sixteen << n;
        clickBalls(*form, sixteen);
        const QVector<qint32> before = SortivoProbe::selected(*form);
        const QString selText = SortivoProbe::labelSel(*form)->text();
        const QString countText = SortivoProbe::label3(*form)->text();
        QCOMPARE(before.size(), 16);

        clickBall(*form, 7);
        QCOMPARE(log.records.size(), 1);
        QCOMPARE(log.records[0].text, QStringLiteral("最多选择 16 个号码"));
        QCOMPARE(log.records[0].caption, QStringLiteral("提示"));
        QCOMPARE(log.records[0].icon, MessageIcon::Information);
        QCOMPARE(SortivoProbe::selected(*form), before);
        QCOMPARE(SortivoProbe::ball(*form, 7)->tag(), 7);
        QVERIFY(ballShowsItsState(*form, 7));
        QCOMPARE(SortivoProbe::labelSel(*form)->text(), selText);
        QCOMPARE(SortivoProbe::label3(*form)->text(), countText);

        // Deselecting is always possible.
        clickBall(*form, 33);
        QCOMPARE(log.records.size(), 1);
        QCOMPARE(SortivoProbe::selected(*form).size(), 15);
        QVERIFY(!SortivoProbe::selected(*form).contains(33));
    }

    void countLineShowsTheFormulaOfCountAndRule()
    {
        MessageLog log;
        auto form = makeShownForm();
        clickBalls(*form, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        QCOMPARE(SortivoProbe::label3(*form)->text(),
                 QStringLiteral("已选号码 10 个 [复式投注数量 120 注，缩水投注数量 14 注]"));

        // The rule box rewrites the line at once; the selection stays.
        QComboBox *rule = SortivoProbe::ruleBox(*form);
        QCOMPARE(rule->currentText(), QStringLiteral("中7保6"));
        rule->setFocus();
        QTest::keyClick(rule, Qt::Key_Down);
        QCOMPARE(rule->currentText(), QStringLiteral("中7保5"));
        QCOMPARE(SortivoProbe::label3(*form)->text(),
                 QStringLiteral("已选号码 10 个 [复式投注数量 120 注，缩水投注数量 6 注]"));
        QCOMPARE(SortivoProbe::selected(*form).size(), 10);

        // No formula for 11 numbers: the count alone.
        clickBall(*form, 11);
        QCOMPARE(SortivoProbe::label3(*form)->text(), QStringLiteral("已选号码 11 个 "));
    }

    void deselectingTheLastBallAndTheClearButton()
    {
        MessageLog log;
        auto form = makeShownForm();
        clickBalls(*form, {8, 8});
        QCOMPARE(SortivoProbe::label3(*form)->text(), QStringLiteral("已选号码 0 个 "));
        QCOMPARE(SortivoProbe::labelSel(*form)->text(), QString());

        SortivoProbe::betList(*form)->setPlainText(QStringLiteral(" 01  02 "));
        clickBalls(*form, {1, 20, 40, 13});
        QTest::mouseClick(form->findChild<QWidget *>(QStringLiteral("BtnClear")), Qt::LeftButton);
        QCOMPARE(SortivoProbe::label3(*form)->text(), QStringLiteral("已选号码 0 个"));
        QCOMPARE(SortivoProbe::labelSel(*form)->text(), QString());
        QVERIFY(SortivoProbe::selected(*form).isEmpty());
        for (int n = 1; n <= 40; ++n) {
            QCOMPARE(SortivoProbe::ball(*form, n)->tag(), n);
            QVERIFY(ballShowsItsState(*form, n));
        }
        QCOMPARE(SortivoProbe::betList(*form)->toPlainText(), QStringLiteral(" 01  02 "));
    }
};

QTEST_MAIN(TestBallBoard)
#include "test_ball_board.moc"
