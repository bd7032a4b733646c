#include "WheelFormFixture.h"

#include "platform/ModalDialogs.h"
#include "platform/widgets/Separator.h"
#include "wheel/Selection.h"
#include "wheel/UnitGetCount.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <functional>

using namespace quorbel;
using namespace wheelform;

namespace {

enum class Confirm { EnterKey, MouseClick, ButtonClick };
enum class Dismiss { CancelButton, CloseBox, EscapeThenCloseBox };

// Answers the count dialog while it lives: `answer` gets the real dialog,
// already shown and active, and ends it.
class CountDialogResponder
{
public:
    explicit CountDialogResponder(std::function<void(TFrmGetCount &)> answer) : m_answer(std::move(answer))
    {
        ModalDialogs::setResponder([this](QDialog &dialog) {
            auto *countDialog = qobject_cast<TFrmGetCount *>(&dialog);
            QVERIFY(countDialog);
            QCOMPARE(FrmGetCount, countDialog);
            ++calls;
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            m_answer(*countDialog);
        });
    }
    ~CountDialogResponder() { ModalDialogs::setResponder({}); }

    int calls = 0;

private:
    std::function<void(TFrmGetCount &)> m_answer;
};

void typeInto(QSpinBox *edit, const QString &text)
{
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void confirm(TFrmGetCount &dialog, Confirm how)
{
    switch (how) {
    case Confirm::EnterKey:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        break;
    case Confirm::MouseClick:
        QTest::mouseClick(dialog.RzButton1, Qt::LeftButton);
        break;
    case Confirm::ButtonClick:
        // A click that takes the focus nowhere: the edit never loses it.
        dialog.RzButton1->click();
        break;
    }
}

void dismiss(TFrmGetCount &dialog, Dismiss how)
{
    switch (how) {
    case Dismiss::CancelButton:
        QTest::mouseClick(dialog.RzButton2, Qt::LeftButton);
        break;
    case Dismiss::EscapeThenCloseBox:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected)); // as ModalDialogs left it
        Q_FALLTHROUGH();
    case Dismiss::CloseBox:
        QVERIFY(dialog.close());
        break;
    }
    QVERIFY(!dialog.isVisible());
}

} // namespace

Q_DECLARE_METATYPE(Confirm)
Q_DECLARE_METATYPE(Dismiss)

class TestRandomPick : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        isolateFromNetwork();
        installFormulaFile();
    }

    void dialogAsDesigned()
    {
        TFrmGetCount dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("号码数量"));
        QCOMPARE(dialog.size(), QSize(292, 126));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.pos(), QPoint(311, 334));
        QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(dialog.font().families().contains(QStringLiteral("宋体")));
        QCOMPARE(dialog.font().pointSize(), 9);

        const struct
        {
            const char *name;
            QRect geometry;
        } places[] = {
            {"Label2", {42, 20, 60, 13}},      {"RzSpinEdit2", {112, 16, 81, 21}}, {"Label1", {42, 48, 60, 13}},
            {"RzSpinEdit1", {112, 44, 81, 21}}, {"RzSeparator1", {0, 76, 292, 1}}, {"RzButton1", {112, 90, 75, 23}},
            {"RzButton2", {194, 90, 75, 23}},
        };
        for (const auto &p : places) {
            QWidget *child = dialog.findChild<QWidget *>(QLatin1String(p.name));
            QVERIFY2(child, p.name);
            QCOMPARE(child->geometry(), p.geometry);
        }
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("最大号码："));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("号码数量："));
        QCOMPARE(dialog.RzButton1->text(), QStringLiteral("确定(&O)"));
        QCOMPARE(dialog.RzButton2->text(), QStringLiteral("取消(&C)"));
        QVERIFY(dialog.RzButton1->isDefault());
        QVERIFY(!dialog.RzButton2->isDefault());

        QCOMPARE(dialog.RzSpinEdit2->minimum(), 20);
        QCOMPARE(dialog.RzSpinEdit2->maximum(), 40);
        QCOMPARE(dialog.RzSpinEdit2->value(), 30);
        QCOMPARE(dialog.RzSpinEdit1->minimum(), 9);
        QCOMPARE(dialog.RzSpinEdit1->maximum(), 16);
        QCOMPARE(dialog.RzSpinEdit1->value(), 9);
    }

    void focusStartsOnHighestNumberAndTabFollowsTheDesign()
    {
        TFrmGetCount dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.RzSpinEdit2);
        const QWidget *order[] = {dialog.RzSpinEdit1, dialog.RzButton1, dialog.RzButton2, dialog.RzSpinEdit2};
        for (const QWidget *next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void offersTheCountAndHighestNumberBroughtIntoRange_data()
    {
        QTest::addColumn<int>("initialCount");
        QTest::addColumn<int>("maxNumber");
        QTest::addColumn<int>("offeredCount");
        QTest::addColumn<int>("offeredHighest");
        QTest::newRow("nothing selected, after start-up") << 0 << 30 << 9 << 30;
        QTest::newRow("twelve selected, last highest 25") << 12 << 25 << 12 << 25;
        QTest::newRow("start-up stopped early") << 5 << 0 << 9 << 30;
        QTest::newRow("out of range both ways") << 20 << 55 << 16 << 40;
        QTest::newRow("below range") << 9 << 7 << 9 << 20;
    }
    void offersTheCountAndHighestNumberBroughtIntoRange()
    {
        QFETCH(int, initialCount);
        QFETCH(int, maxNumber);
        int offeredCount = -1, offeredHighest = -1;
        CountDialogResponder responder([&](TFrmGetCount &dialog) {
            offeredCount = dialog.RzSpinEdit1->value();
            offeredHighest = dialog.RzSpinEdit2->value();
            dismiss(dialog, Dismiss::CancelButton);
        });
        qint32 max = maxNumber;
        QCOMPARE(ShowGetCount(9, 16, initialCount, max), -1);
        QCOMPARE(responder.calls, 1);
        QCOMPARE(max, maxNumber);
        QTEST(offeredCount, "offeredCount");
        QTEST(offeredHighest, "offeredHighest");
    }

    void okReturnsTheCountAndStoresTheHighestNumber_data()
    {
        QTest::addColumn<Confirm>("how");
        QTest::newRow("Enter") << Confirm::EnterKey;
        QTest::newRow("mouse on OK") << Confirm::MouseClick;
        QTest::newRow("OK clicked") << Confirm::ButtonClick;
    }
    void okReturnsTheCountAndStoresTheHighestNumber()
    {
        QFETCH(Confirm, how);
        CountDialogResponder responder([&](TFrmGetCount &dialog) {
            dialog.RzSpinEdit1->setValue(14);
            dialog.RzSpinEdit2->setValue(33);
            confirm(dialog, how);
        });
        qint32 max = 30;
        QCOMPARE(ShowGetCount(9, 16, 9, max), 14);
        QCOMPARE(max, 33);
        QCOMPARE(FrmGetCount, nullptr);
    }

    void cancelEscapeAndCloseBoxChangeNothing_data()
    {
        QTest::addColumn<Dismiss>("how");
        QTest::newRow("Cancel") << Dismiss::CancelButton;
        QTest::newRow("close box") << Dismiss::CloseBox;
        QTest::newRow("Escape, then close box") << Dismiss::EscapeThenCloseBox;
    }
    void cancelEscapeAndCloseBoxChangeNothing()
    {
        QFETCH(Dismiss, how);
        CountDialogResponder responder([&](TFrmGetCount &dialog) {
            dialog.RzSpinEdit1->setValue(12);
            dialog.RzSpinEdit2->setValue(22);
            dismiss(dialog, how);
        });
        qint32 max = 27;
        QCOMPARE(ShowGetCount(9, 16, 10, max), -1);
        QCOMPARE(max, 27);
    }

    // A value typed and confirmed at once comes out in its edit's range.
    void typedValuesAreBroughtIntoRange_data()
    {
        QTest::addColumn<QString>("typedHighest");
        QTest::addColumn<QString>("typedCount");
        QTest::addColumn<Confirm>("how");
        QTest::addColumn<int>("highest");
        QTest::addColumn<int>("count");
        for (auto [how, name] : {std::pair{Confirm::EnterKey, "Enter"}, std::pair{Confirm::MouseClick, "mouse"},
                                 std::pair{Confirm::ButtonClick, "click"}}) {
            QTest::addRow("too low, %s", name) << "5" << "2" << how << 20 << 9;
            QTest::addRow("too high, %s", name) << "99" << "99" << how << 20 << 9;
            QTest::addRow("sign, %s", name) << "-35" << "-12" << how << 35 << 12;
            QTest::addRow("in range, %s", name) << "37" << "15" << how << 37 << 15;
            QTest::addRow("bounds, %s", name) << "40" << "16" << how << 40 << 16;
        }
    }
    void typedValuesAreBroughtIntoRange()
    {
        QFETCH(QString, typedHighest);
        QFETCH(QString, typedCount);
        QFETCH(Confirm, how);
        CountDialogResponder responder([&](TFrmGetCount &dialog) {
            typeInto(dialog.RzSpinEdit1, typedCount);
            typeInto(dialog.RzSpinEdit2, typedHighest);
            confirm(dialog, how);
        });
        qint32 max = 30;
        const int count = ShowGetCount(9, 16, 9, max);
        QTEST(int(max), "highest");
        QTEST(count, "count");
    }

    // The values are read after the edits' text has been interpreted, even
    // when the edits never lost the focus (here the dialog is never shown).
    void valuesAreReadAfterTheTextIsInterpreted_data()
    {
        QTest::addColumn<QString>("highestText");
        QTest::addColumn<QString>("countText");
        QTest::addColumn<int>("highest");
        QTest::addColumn<int>("count");
        QTest::newRow("too low") << "5" << "2" << 20 << 9;
        QTest::newRow("too high") << "45" << "20" << 40 << 16;
        QTest::newRow("far too high") << "4000" << "17" << 40 << 16;
        QTest::newRow("in range") << "24" << "11" << 24 << 11;
    }
    void valuesAreReadAfterTheTextIsInterpreted()
    {
        QFETCH(QString, highestText);
        QFETCH(QString, countText);
        ModalDialogs::setResponder([&](QDialog &dialog) {
            auto *countDialog = qobject_cast<TFrmGetCount *>(&dialog);
            QVERIFY(countDialog);
            countDialog->RzSpinEdit1->findChild<QLineEdit *>()->setText(countText);
            countDialog->RzSpinEdit2->findChild<QLineEdit *>()->setText(highestText);
            dialog.accept();
        });
        qint32 max = 30;
        const int count = ShowGetCount(9, 16, 9, max);
        ModalDialogs::setResponder({});
        QTEST(int(max), "highest");
        QTEST(count, "count");
    }

    void pickOffersSelectionCountAndLastConfirmedHighest()
    {
        MessageLog log;
        auto form = makeShownForm();
        QCOMPARE(SortivoProbe::maxNumber(*form), 30);
        QVector<QPair<int, int>> offers;
        auto record = [&](TFrmGetCount &dialog) {
            offers.append({dialog.RzSpinEdit1->value(), dialog.RzSpinEdit2->value()});
        };
        {
            CountDialogResponder responder([&](TFrmGetCount &dialog) {
                record(dialog);
                dismiss(dialog, Dismiss::CancelButton);
            });
            form->BtnRandomClick();
            clickBalls(*form, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
            form->BtnRandomClick();
        }
        {
            CountDialogResponder responder([&](TFrmGetCount &dialog) {
                record(dialog);
                dialog.RzSpinEdit1->setValue(10);
                dialog.RzSpinEdit2->setValue(25);
                confirm(dialog, Confirm::MouseClick);
            });
            form->BtnRandomClick();
        }
        {
            CountDialogResponder responder([&](TFrmGetCount &dialog) {
                record(dialog);
                dismiss(dialog, Dismiss::CloseBox);
            });
            form->BtnRandomClick();
        }
        QCOMPARE(offers, (QVector<QPair<int, int>>{{9, 30}, {12, 30}, {12, 30}, {10, 25}}));
        QVERIFY(log.records.isEmpty());
    }

    void cancelledPickChangesNothing_data()
    {
        QTest::addColumn<Dismiss>("how");
        QTest::newRow("Cancel") << Dismiss::CancelButton;
        QTest::newRow("close box") << Dismiss::CloseBox;
    }
    void cancelledPickChangesNothing()
    {
        QFETCH(Dismiss, how);
        MessageLog log;
        auto form = makeShownForm();
        clickBalls(*form, {33, 4, 17});
        const QString selText = SortivoProbe::labelSel(*form)->text();
        const QString countText = SortivoProbe::label3(*form)->text();
        CountDialogResponder responder([&](TFrmGetCount &dialog) {
            dialog.RzSpinEdit1->setValue(16);
            dialog.RzSpinEdit2->setValue(21);
            dismiss(dialog, how);
        });
        QTest::mouseClick(form->findChild<QWidget *>(QStringLiteral("BtnRandom")), Qt::LeftButton);
        QCOMPARE(responder.calls, 1);
        QCOMPARE(SortivoProbe::selected(*form), (QVector<qint32>{33, 4, 17}));
        QCOMPARE(SortivoProbe::labelSel(*form)->text(), selText);
        QCOMPARE(SortivoProbe::label3(*form)->text(), countText);
        QCOMPARE(SortivoProbe::maxNumber(*form), 30);
        for (int n = 1; n <= 40; ++n)
            QVERIFY(ballShowsItsState(*form, n));
    }

    void pickOfNineFromTwentyMarksNineDistinctBallsInDrawOrder()
    {
        MessageLog log;
        auto form = makeShownForm();
        clickBalls(*form, {25, 3, 40});
        CountDialogResponder responder([&](TFrmGetCount &dialog) {
            dialog.RzSpinEdit1->setValue(9);
            dialog.RzSpinEdit2->setValue(20);
            confirm(dialog, Confirm::EnterKey);
        });
        QTest::mouseClick(form->findChild<QWidget *>(QStringLiteral("BtnRandom")), Qt::LeftButton);

        const QVector<qint32> picked = SortivoProbe::selected(*form);
        QCOMPARE(picked.size(), 9);
        QCOMPARE(QSet<qint32>(picked.begin(), picked.end()).size(), 9);
        for (int n = 1; n <= 40; ++n) {
            QCOMPARE(SortivoProbe::ball(*form, n)->tag() < 0, picked.contains(n));
            QVERIFY(ballShowsItsState(*form, n));
        }
        for (qint32 n : picked)
            QVERIFY(n >= 1 && n <= 20);
        QCOMPARE(SortivoProbe::labelSel(*form)->text(), SelectedText(picked));
        QCOMPARE(SortivoProbe::label3(*form)->text(),
                 QStringLiteral("已选号码 9 个 [复式投注数量 36 注，缩水投注数量 2 注]"));
        QCOMPARE(SortivoProbe::maxNumber(*form), 20);
        QVERIFY(log.records.isEmpty());
    }

    void outOfRangeTypingNeverReachesTheDraw()
    {
        MessageLog log;
        auto form = makeShownForm();
        CountDialogResponder responder([&](TFrmGetCount &dialog) {
            typeInto(dialog.RzSpinEdit1, QStringLiteral("2"));
            typeInto(dialog.RzSpinEdit2, QStringLiteral("5"));
            confirm(dialog, Confirm::ButtonClick);
        });
        form->BtnRandomClick();
        QCOMPARE(SortivoProbe::maxNumber(*form), 20);
        const QVector<qint32> picked = SortivoProbe::selected(*form);
        QCOMPARE(picked.size(), 9);
        for (qint32 n : picked)
            QVERIFY(n >= 1 && n <= 20);
    }

    void twoPicksInARowDiffer()
    {
        MessageLog log;
        auto form = makeShownForm();
        CountDialogResponder responder([&](TFrmGetCount &dialog) {
            dialog.RzSpinEdit1->setValue(16);
            dialog.RzSpinEdit2->setValue(40);
            confirm(dialog, Confirm::ButtonClick);
        });
        form->BtnRandomClick();
        const QVector<qint32> first = SortivoProbe::selected(*form);
        form->BtnRandomClick();
        QCOMPARE(SortivoProbe::selected(*form).size(), 16);
        QVERIFY(SortivoProbe::selected(*form) != first);
    }
};

QTEST_MAIN(TestRandomPick)
#include "test_random_pick.moc"
