// The shadow window without X11 (the platform the other widget tests use):
// it follows the form and draws only when the form's size changes.
#include "app/UnitSortivo.h"
#include "platform/MessageBoxes.h"
#include "shadow/X11Stacking.h"
#include "shadow/ufrmShadowFrame.h"

#include <QApplication>
#include <QTest>

struct ShadowProbe
{
    static int placements(const TFormShadow &s) { return s.FPlacements; }
    static int layerUpdates(const TFormShadow &s) { return s.FLayerUpdates; }
};

class ShadowOffscreenTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsTheFormWithoutTheWindowSystem()
    {
        QVERIFY(!X11Stacking::Available());
        QWidget form(nullptr, Qt::Window | Qt::FramelessWindowHint);
        form.setFixedSize(630, 460);
        TFormShadow shadow(qApp);
        shadow.Attach(&form);
        shadow.SetShowing(true);
        form.show();
        QVERIFY(shadow.isVisible());
        QCOMPARE(ShadowProbe::layerUpdates(shadow), 1);

        const int placements = ShadowProbe::placements(shadow);
        form.move(240, 219);
        QCOMPARE(shadow.geometry(), QRect(224, 203, 662, 492));
        QCOMPARE(ShadowProbe::placements(shadow), placements + 2);
        QCOMPARE(ShadowProbe::layerUpdates(shadow), 1);

        form.setFixedSize(300, 200);
        QCOMPARE(shadow.geometry(), QRect(224, 203, 332, 232));
        QCOMPARE(ShadowProbe::layerUpdates(shadow), 2);
    }

    // The main form creates its shadow, shows it with itself and frees it on
    // closing, and also when it is freed without being closed.
    void theMainFormOwnsItsShadow()
    {
        quorbel::MessageBoxes::setResponder([](const quorbel::MessageRecord &) {});
        auto shadows = [] {
            int n = 0;
            for (QWidget *w : QApplication::topLevelWidgets())
                n += qobject_cast<TFormShadow *>(w) != nullptr;
            return n;
        };
        {
            TFrmSortivo form;
            QCOMPARE(shadows(), 1);
            form.show();
            form.close();
            QCOMPARE(shadows(), 0);
        }
        {
            TFrmSortivo form;
            form.show();
        }
        QCOMPARE(shadows(), 0);
    }
};

QTEST_MAIN(ShadowOffscreenTest)
#include "test_shadow_offscreen.moc"
