// The shadow window on a real X server (Xvfb, no window manager).
#include "app/UnitSortivo.h"
#include "platform/MessageBoxes.h"
#include "shadow/FormTransparentColor.h"
#include "shadow/X11Stacking.h"
#include "shadow/ufrmShadowFrame.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

struct ShadowProbe
{
    static int placements(const TFormShadow &s) { return s.FPlacements; }
    static int layerUpdates(const TFormShadow &s) { return s.FLayerUpdates; }
    static int paints(const TFormShadow &s) { return s.FPaints; }
    static const quorbel::ShadowImage &image(const TFormShadow &s) { return s.FImage; }
    static void assumeCompositor(TFormShadow &s, bool running) { s.FCompositorOverride = running; }
};

namespace {

// What a window manager does (frame, map, raise) happens in its own process and
// time; on a busy machine that can take seconds.
constexpr int WindowManagerTimeout = 20000;

// A borderless form that tells its shadow when it is shown, as the main form does.
class ShadowedForm : public QWidget
{
public:
    explicit ShadowedForm(int width = 630, int height = 460) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    {
        setFixedSize(width, height);
    }
    QPointer<TFormShadow> shadow;

    // A new shadow, owned by the application as the main form's is, attached to this form.
    TFormShadow *attachShadow()
    {
        shadow = new TFormShadow(qApp);
        shadow->Attach(this);
        return shadow;
    }

protected:
    bool event(QEvent *e) override
    {
        if (shadow && (e->type() == QEvent::Show || e->type() == QEvent::Hide))
            shadow->SetShowing(e->type() == QEvent::Show);
        return QWidget::event(e);
    }
};

// A window that records where it was clicked.
class ClickTarget : public QWidget
{
public:
    ClickTarget() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {}
    QList<QPoint> presses;

protected:
    void mousePressEvent(QMouseEvent *e) override { presses.append(e->globalPosition().toPoint()); }
};

xcb_connection_t *Connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// What the X server says, which is what the user sees.
struct XWindowState
{
    bool viewable = false;
    QRect geometry; // on the root window
};

XWindowState ServerState(WId window)
{
    XWindowState state;
    xcb_connection_t *c = Connection();
    const auto w = static_cast<xcb_window_t>(window);
    if (auto *attributes = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr)) {
        state.viewable = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(attributes);
    }
    if (auto *geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr)) {
        if (auto *t = xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, w, geometry->root, 0, 0),
                                                     nullptr)) {
            state.geometry = QRect(t->dst_x, t->dst_y, geometry->width, geometry->height);
            std::free(t);
        }
        std::free(geometry);
    }
    return state;
}

// Position in the root's stacking order (0 = bottom), -1 when absent.
int StackIndex(WId window)
{
    const std::vector<WId> order = X11Stacking::StackingOrder();
    const auto it = std::find(order.begin(), order.end(), window);
    return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

// The same for the top-level window holding it (a window manager's frame).
int TopIndex(WId window)
{
    return StackIndex(X11Stacking::TopLevelOf(window));
}

bool DirectlyBelow(WId lower, WId upper)
{
    return X11Stacking::DirectlyBelow(lower, upper);
}

// A window manager's moves and the shadow's answers come in bursts: true once
// the shadow has stayed directly below the form for a moment.
bool SettlesDirectlyBelow(WId lower, WId upper)
{
    const QDeadlineTimer deadline(WindowManagerTimeout);
    QElapsedTimer steady;
    while (!deadline.hasExpired()) {
        if (!DirectlyBelow(lower, upper))
            steady.invalidate();
        else if (!steady.isValid())
            steady.start();
        else if (steady.elapsed() >= 200)
            return true;
        QTest::qWait(10);
    }
    return false;
}

// For failure messages: the stacking list, bottom first, with the two marked.
QByteArray StackingDescription(WId lower, WId upper)
{
    const WId l = X11Stacking::TopLevelOf(lower), u = X11Stacking::TopLevelOf(upper);
    QByteArray text = "bottom to top:";
    for (WId w : X11Stacking::StackingOrder())
        text += ' ' + QByteArray::number(qulonglong(w), 16) + (w == l ? "(shadow)" : w == u ? "(form)" : "");
    return text;
}

// Lets queued work (repaints, X replies) run without waiting for anything.
void Settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        free(xcb_get_input_focus_reply(Connection(), xcb_get_input_focus(Connection()), nullptr));
    }
}

TFormShadow *ShadowOfMainWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *shadow = qobject_cast<TFormShadow *>(w))
            return shadow;
    return nullptr;
}

} // namespace

class ShadowWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(X11Stacking::Available(), "needs the xcb platform on an X server");
        qunsetenv("WAYLAND_DISPLAY"); // the compositor is what the X server says
        quorbel::MessageBoxes::setResponder([](const quorbel::MessageRecord &) {});
    }

    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            w->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The main window moved to (240, 219) carries its 662 x 492 shadow at
    // (224, 203), directly behind it; closing it frees the shadow.
    void mainWindowShadowFollowsAndGoesWithTheWindow()
    {
        auto *form = new TFrmSortivo;
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QPointer<TFormShadow> shadow = ShadowOfMainWindow();
        QVERIFY(shadow);
        form->move(240, 219);
        QTRY_COMPARE(ServerState(form->winId()).geometry, QRect(240, 219, 630, 460));
        QCOMPARE(shadow->geometry(), QRect(224, 203, 662, 492));
        const XWindowState state = ServerState(shadow->winId());
        QCOMPARE(state.geometry, QRect(224, 203, 662, 492));
        QVERIFY(state.viewable);
        QVERIFY2(SettlesDirectlyBelow(shadow->winId(), form->winId()),
                 StackingDescription(shadow->winId(), form->winId()));

        const WId shadowWindow = shadow->winId();
        form->close();
        QVERIFY(!shadow);
        QCOMPARE(StackIndex(shadowWindow), -1);
        delete form;
    }

    // A move: two placements, no drawing, directly below again.
    void aMovePlacesTwiceAndDrawsNothing()
    {
        ShadowedForm form;
        auto *shadow = form.attachShadow();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(ServerState(shadow->winId()).viewable);
        QTRY_VERIFY(ShadowProbe::paints(*shadow) > 0);
        Settle();

        const int placements = ShadowProbe::placements(*shadow);
        const int layerUpdates = ShadowProbe::layerUpdates(*shadow);
        const int paints = ShadowProbe::paints(*shadow);
        const quorbel::ShadowBitmap image = ShadowProbe::image(*shadow).Bitmap();
        form.move(240, 219);
        QCOMPARE(ShadowProbe::placements(*shadow), placements + 2);
        QCOMPARE(shadow->geometry(), QRect(224, 203, 662, 492));
        Settle();
        QCOMPARE(ServerState(shadow->winId()).geometry, QRect(224, 203, 662, 492));
        QVERIFY2(SettlesDirectlyBelow(shadow->winId(), form.winId()),
                 StackingDescription(shadow->winId(), form.winId()));
        QCOMPARE(ShadowProbe::layerUpdates(*shadow), layerUpdates);
        QCOMPARE(ShadowProbe::paints(*shadow), paints);
        QVERIFY(ShadowProbe::image(*shadow).Bitmap() == image);
        delete shadow;
    }

    // Raising the form above another window takes the shadow along, directly
    // behind it, and draws nothing.
    void raisingTheFormTakesTheShadowAlong()
    {
        ShadowedForm form;
        auto *shadow = form.attachShadow();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(ServerState(shadow->winId()).viewable);

        ClickTarget other;
        other.setGeometry(100, 100, 800, 600);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QTRY_VERIFY_WITH_TIMEOUT(TopIndex(other.winId()) > TopIndex(form.winId()), WindowManagerTimeout);
        const int layerUpdates = ShadowProbe::layerUpdates(*shadow);

        form.raise();
        QTRY_VERIFY_WITH_TIMEOUT(TopIndex(form.winId()) > TopIndex(other.winId()), WindowManagerTimeout);
        QVERIFY2(SettlesDirectlyBelow(shadow->winId(), form.winId()),
                 StackingDescription(shadow->winId(), form.winId()));
        QVERIFY(TopIndex(shadow->winId()) > TopIndex(other.winId()));
        QCOMPARE(ShadowProbe::layerUpdates(*shadow), layerUpdates);
        delete shadow;
    }

    void minimiseAndMaximiseHideRestoreShows()
    {
        ShadowedForm form;
        auto *shadow = form.attachShadow();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(ServerState(shadow->winId()).viewable);
        const int layerUpdates = ShadowProbe::layerUpdates(*shadow);

        form.showMinimized();
        QVERIFY(!shadow->isVisible());
        QTRY_VERIFY(!ServerState(shadow->winId()).viewable);
        form.showNormal();
        QVERIFY(shadow->isVisible());
        QTRY_VERIFY(ServerState(shadow->winId()).viewable);
        QVERIFY2(SettlesDirectlyBelow(shadow->winId(), form.winId()),
                 StackingDescription(shadow->winId(), form.winId()));

        form.showMaximized();
        QVERIFY(!shadow->isVisible());
        QTRY_VERIFY(!ServerState(shadow->winId()).viewable);
        form.showNormal();
        QTRY_VERIFY(ServerState(shadow->winId()).viewable);
        QCOMPARE(ShadowProbe::layerUpdates(*shadow), layerUpdates); // the size never changed

        form.hide();
        QVERIFY(!shadow->isVisible());
        // A window manager lets go of a hidden window in its own time.
        QTRY_VERIFY_WITH_TIMEOUT(X11Stacking::TopLevelOf(form.winId()) == form.winId(), WindowManagerTimeout);
        form.show();
        QVERIFY(shadow->isVisible());
        QVERIFY2(SettlesDirectlyBelow(shadow->winId(), form.winId()),
                 StackingDescription(shadow->winId(), form.winId()));
        delete shadow;
    }

    // A click on the shadow's pixels lands in the window beneath; the shadow
    // never becomes active.
    void clicksGoThroughTheShadow()
    {
        ClickTarget desktop;
        desktop.setGeometry(0, 0, 1280, 1024);
        desktop.show();
        QVERIFY(QTest::qWaitForWindowExposed(&desktop));

        ShadowedForm form;
        auto *shadow = new TFormShadow(qApp);
        ShadowProbe::assumeCompositor(*shadow, true); // every pixel of the shadow on the screen
        form.shadow = shadow;
        shadow->Attach(&form);
        form.move(240, 219);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(ServerState(shadow->winId()).viewable);
        QCOMPARE(ServerState(shadow->winId()).geometry, QRect(224, 203, 662, 492));
        QVERIFY(shadow->mask().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(TopIndex(shadow->winId()) > TopIndex(desktop.winId()), WindowManagerTimeout);

        const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        QVERIFY2(!xdotool.isEmpty(), "xdotool is needed to click like a user");
        // In the shadow's margin above the form, and in its lower right corner.
        for (const QPoint &p : {QPoint(230, 210), QPoint(880, 690)}) {
            QProcess click;
            click.start(xdotool, {QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()),
                                  QStringLiteral("click"), QStringLiteral("1")});
            QVERIFY(click.waitForFinished(10000));
            QTRY_VERIFY(desktop.presses.contains(p));
        }
        QVERIFY(QApplication::activeWindow() != shadow);
        delete shadow;
    }

    void attachingTwiceHooksOnceAndAnotherFormTakesTheHook()
    {
        ShadowedForm first, second(300, 200);
        auto *shadow = first.attachShadow();
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        second.show();
        QVERIFY(QTest::qWaitForWindowExposed(&second));

        int placements = ShadowProbe::placements(*shadow);
        shadow->Attach(&first); // already attached: no second request
        QCOMPARE(ShadowProbe::placements(*shadow), placements);
        first.move(100, 100);
        QCOMPARE(ShadowProbe::placements(*shadow), placements + 2); // one hook, not two

        shadow->SetShowing(true); // as the second form's show would have told it
        shadow->Attach(&second);
        QVERIFY(ShadowProbe::placements(*shadow) > placements + 2); // the new form's update request
        QCOMPARE(shadow->geometry(), QRect(second.x() - 16, second.y() - 16, 332, 232));
        placements = ShadowProbe::placements(*shadow);
        first.move(150, 150);
        QCOMPARE(ShadowProbe::placements(*shadow), placements);
        second.move(500, 400);
        QCOMPARE(ShadowProbe::placements(*shadow), placements + 2);
        QCOMPARE(shadow->geometry(), QRect(484, 384, 332, 232));

        shadow->Attach(nullptr);
        placements = ShadowProbe::placements(*shadow);
        second.move(10, 10);
        shadow->Attach(nullptr); // detached already: nothing
        QCOMPARE(ShadowProbe::placements(*shadow), placements);
        delete shadow;
    }

    // Freeing the shadow lets the form go on alone; freeing the form first
    // leaves a shadow that can still be freed safely.
    void freeingEitherSideUnhooks()
    {
        ShadowedForm form;
        QPointer<TFormShadow> shadow = new TFormShadow(qApp);
        form.shadow = shadow;
        shadow->Attach(&form);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(ServerState(shadow->winId()).viewable);
        const WId window = shadow->winId();
        delete shadow;
        QCOMPARE(StackIndex(window), -1);
        form.move(300, 300);
        form.hide();
        form.show();
        QCOMPARE(form.pos(), QPoint(300, 300));

        // A new shadow hooks the same form again.
        auto *next = new TFormShadow(qApp);
        form.shadow = next;
        next->SetShowing(true);
        next->Attach(&form);
        QCOMPARE(next->geometry(), QRect(284, 284, 662, 492));
        QVERIFY(next->isVisible());

        auto *gone = new ShadowedForm;
        gone->shadow = next;
        next->Attach(gone);
        gone->show();
        QVERIFY(QTest::qWaitForWindowExposed(gone));
        delete gone;
        QVERIFY(!next->isVisible());
        next->Attach(nullptr);
        delete next;
    }

    // A form hidden without telling its shadow first still takes it along.
    void anUnannouncedHideTakesTheShadowAlong()
    {
        QWidget form(nullptr, Qt::Window | Qt::FramelessWindowHint);
        form.setFixedSize(200, 100);
        auto *shadow = new TFormShadow(qApp);
        shadow->Attach(&form);
        shadow->SetShowing(true);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(shadow->isVisible());
        form.hide();
        QVERIFY(!shadow->isVisible());
        QTRY_VERIFY(!ServerState(shadow->winId()).viewable);
        delete shadow;
    }

    void aHiddenFormIsNeverDrawnFor()
    {
        ShadowedForm form;
        auto *shadow = new TFormShadow(qApp);
        form.shadow = shadow;
        shadow->SetShowing(true); // before the form has a window: recorded only
        shadow->Attach(&form);
        QCOMPARE(ShadowProbe::placements(*shadow), 0);
        shadow->SetShowing(false);
        form.winId(); // the form's window exists, but it is not shown
        for (int i = 0; i < 5; ++i)
            form.move(10 * i, 20 * i);
        QCOMPARE(ShadowProbe::layerUpdates(*shadow), 0);
        QVERIFY(!shadow->isVisible());
        form.show();
        QCOMPARE(ShadowProbe::layerUpdates(*shadow), 1);
        QVERIFY(shadow->isVisible());
        delete shadow;
    }

    // What the shadow reads of a Qt form: opacity, mask, transparent colour.
    void formPropertiesReachTheImage()
    {
        ShadowedForm form(200, 120);
        auto *shadow = form.attachShadow();
        form.setWindowOpacity(0.502); // Qt keeps 8 bits, rounded down: 128
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(ShadowProbe::image(*shadow).Blend().SourceConstantAlpha, 128);
        QVERIFY(!ShadowProbe::image(*shadow).HoldsRegion());

        // A mask of two rectangles is a complex window region.
        form.setMask(QRegion(0, 0, 200, 60) + QRegion(50, 60, 100, 60));
        form.setFixedSize(200, 121); // a size change rebuilds
        QVERIFY(ShadowProbe::image(*shadow).HoldsRegion());
        QCOMPARE(ShadowProbe::image(*shadow).Bitmap().Height(), 153);

        // The transparent colour: a new value rebuilds at the next position change.
        int layerUpdates = ShadowProbe::layerUpdates(*shadow);
        FormTransparentColor::Set(&form, true, QColor(255, 0, 255));
        form.move(form.pos() + QPoint(1, 0));
        QCOMPARE(ShadowProbe::layerUpdates(*shadow), layerUpdates + 1);
        QCOMPARE(ShadowProbe::image(*shadow).MaskColor(), quorbel::MakeColor(255, 0, 255));
        form.move(form.pos() + QPoint(1, 0));
        QCOMPARE(ShadowProbe::layerUpdates(*shadow), layerUpdates + 1);
        delete shadow;
    }

    // Without a compositing manager the shadow keeps its place but shows no
    // pixel (it would be an opaque black box); with one it shows.
    void showsPixelsOnlyWithACompositor()
    {
        const QString xcompmgr = QStandardPaths::findExecutable(QStringLiteral("xcompmgr"));
        if (xcompmgr.isEmpty())
            QSKIP("xcompmgr is not installed");
        QVERIFY(!X11Stacking::CompositorRunning());
        ShadowedForm form;
        auto *shadow = form.attachShadow();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(shadow->isVisible());
        QVERIFY(!shadow->mask().isEmpty());
        QVERIFY(!shadow->mask().intersects(shadow->rect()));

        QProcess compositor;
        compositor.start(xcompmgr, {});
        QVERIFY(compositor.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(X11Stacking::CompositorRunning(), 10000);
        form.hide();
        form.show();
        QVERIFY(shadow->mask().isEmpty());
        compositor.terminate();
        QVERIFY(compositor.waitForFinished(10000));
        QTRY_VERIFY_WITH_TIMEOUT(!X11Stacking::CompositorRunning(), 10000);
        delete shadow;
    }
};

QTEST_MAIN(ShadowWindowTest)
#include "test_shadow_window.moc"
