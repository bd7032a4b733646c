#include "shadow/ufrmShadowFrame.h"

#include "shadow/QtAttachedForm.h"
#include "shadow/X11Stacking.h"

#include <QEvent>
#include <QImage>
#include <QPainter>

using namespace quorbel;

namespace {

// The image's bytes are blue, green, red, alpha: ARGB32 on a little-endian machine.
QImage ImageOf(const ShadowBitmap &bitmap)
{
    const QImage view(bitmap.Bits(), bitmap.Width(), bitmap.Height(), bitmap.BytesPerLine(),
                      QImage::Format_ARGB32_Premultiplied);
#if Q_BYTE_ORDER == Q_BIG_ENDIAN
    return QImage(view.constBits(), view.width(), view.height(), view.bytesPerLine(),
                  QImage::Format_RGBA8888_Premultiplied)
        .rgbSwapped()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
#else
    return view;
#endif
}

} // namespace

TFormShadow::TFormShadow(QObject *owner)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowTransparentForInput | Qt::X11BypassWindowManagerHint)
{
    Q_UNUSED(owner);
    setObjectName(QStringLiteral("FormShadow"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setFocusPolicy(Qt::NoFocus);
    FImage.SetLayerUpdate([this] { UpdateLayer(); });
}

TFormShadow::~TFormShadow()
{
    Attach(nullptr);
}

void TFormShadow::Attach(QWidget *AForm)
{
    if (AForm == FForm)
        return;
    if (FForm && FHooked)
        FForm->removeEventFilter(this);
    FStackWatcher.reset();
    // A form that went away while attached took the filter with it.
    FHooked = false;
    FForm = AForm;
    FFormView.reset(AForm ? new QtAttachedForm(AForm) : nullptr);
    if (AForm) {
        AForm->installEventFilter(this);
        FHooked = true;
        WatchFormStacking();
    }
    FImage.FormAttached(FFormView.get());
    RequestUpdate();
}

void TFormShadow::SetShowing(bool Value)
{
    if (Value == FFormShown)
        return;
    FFormShown = Value;
    RequestUpdate();
}

// A position change without a change: the shadow rechecks everything.
void TFormShadow::RequestUpdate()
{
    if (!FForm || !FForm->testAttribute(Qt::WA_WState_Created))
        return;
    const unsigned flags = FrameChanged | NoMove | NoSize;
    FormPosChanging(flags);
    FormPosChanged(flags);
}

// A window manager restacks the form, or puts other windows right above the
// shadow, without telling Qt: follow the X server's stacking list.
void TFormShadow::WatchFormStacking()
{
    const WId form = FForm ? FForm->internalWinId() : 0;
    if (!form || !X11Stacking::Available())
        return;
    const WId shadow = winId();
    if (FStackWatcher && FStackWatcher->Upper() == form && FStackWatcher->Lower() == shadow)
        return;
    FStackWatcher = std::make_unique<X11Stacking::StackWatcher>(shadow, form, [this] { FormRestacked(); });
}

void TFormShadow::FormRestacked()
{
    // Checked first: the shadow's own placements are reported too.
    if (!FForm || X11Stacking::DirectlyBelow(winId(), FForm->internalWinId()))
        return;
    ++FRestacks;
    KeepBelowForm();
}

bool TFormShadow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != FForm || !FForm)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Move:
        FormWndProc(event, 0);
        return true;
    case QEvent::Resize:
        FormWndProc(event, NoMove);
        return true;
    case QEvent::Show:
        FormWndProc(event, NoMove | NoSize | ShowWindow);
        return true;
    case QEvent::Hide:
        FormWndProc(event, NoMove | NoSize | HideWindow);
        return true;
    case QEvent::WindowStateChange:
        FormWndProc(event, NoMove | NoSize);
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

// The form handles the event first, exactly as without a shadow (a Show or Hide
// tells the shadow through SetShowing); then the shadow follows the result. The
// event is delivered here, so filters installed on the form before this one do
// not see these five kinds of event.
void TFormShadow::FormWndProc(QEvent *event, unsigned flags)
{
    const QPointer<TFormShadow> self(this);
    QObject *form = FForm;
    form->event(event);
    if (!self || FForm != form) // freed or re-attached by the form's own handling
        return;
    WatchFormStacking(); // the form's window may be new
    FormPosChanging(flags);
    FormPosChanged(flags);
}

void TFormShadow::FormPosChanging(unsigned flags)
{
    if (!FormStateNormal() || (flags & HideWindow))
        HideBehindForm();
}

void TFormShadow::FormPosChanged(unsigned flags)
{
    // Qt reports the change after it took effect: the form's position is
    // current whether or not it moved.
    const int x = FFormView->Left();
    const int y = FFormView->Top();
    if (!FormMaximized())
        BuildShadow();
    PlaceBehindForm(x + FShadowOffset - ShadowImage::Margin, y + FShadowOffset - ShadowImage::Margin);
    // A form that hides without having said so first (one being freed, say)
    // must not get its shadow back.
    ShowOrHide(FFormShown && FormStateNormal() && !(flags & HideWindow));
}

void TFormShadow::BuildShadow()
{
    FImage.BuildShadow(FForm ? FFormView.get() : nullptr, FFormShown);
}

// The new image goes to the window.
void TFormShadow::UpdateLayer()
{
    ++FLayerUpdates;
    winId();
    update();
}

bool TFormShadow::FormStateNormal() const
{
    return !(FForm->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

bool TFormShadow::FormMaximized() const
{
    return FForm->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
}

void TFormShadow::HideBehindForm()
{
    ++FPlacements;
    hide();
    KeepBelowForm();
}

void TFormShadow::PlaceBehindForm(int x, int y)
{
    ++FPlacements;
    const ShadowBitmap &bitmap = FImage.Bitmap();
    if (bitmap.Width() > 0 && bitmap.Height() > 0)
        setGeometry(x, y, bitmap.Width(), bitmap.Height());
    else
        move(x, y);
    KeepBelowForm();
}

void TFormShadow::ShowOrHide(bool show)
{
    ++FPlacements;
    if (!show) {
        hide();
        return;
    }
    if (!isVisible()) {
        MatchCompositing();
        this->show();
    }
}

// Directly below the form's window, never above it.
void TFormShadow::KeepBelowForm()
{
    const WId shadow = winId();
    const WId form = FForm->internalWinId();
    if (!form)
        return;
    // The shadow bypasses the window manager, so it is a top-level window itself.
    if (FStackWatcher && FStackWatcher->Lower() == shadow && FStackWatcher->Upper() == form)
        FStackWatcher->PlaceLowerBelowUpper();
    else
        X11Stacking::PlaceBelow(shadow, form);
}

// Without a compositing manager an X server shows translucent pixels opaque: the
// shadow would be a black box. It then keeps its place but shows no pixel. A
// Wayland session composites its X11 windows itself.
void TFormShadow::MatchCompositing()
{
    if (!X11Stacking::Available())
        return;
    const bool composited = FCompositorOverride ? *FCompositorOverride
                                                : X11Stacking::CompositorRunning() ||
                                                      !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (composited)
        clearMask();
    else
        setMask(QRegion(-1, -1, 1, 1));
}

void TFormShadow::paintEvent(QPaintEvent *)
{
    ++FPaints;
    const ShadowBitmap &bitmap = FImage.Bitmap();
    if (bitmap.Width() == 0 || bitmap.Height() == 0)
        return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setOpacity(FImage.Blend().SourceConstantAlpha / 255.0);
    painter.drawImage(0, 0, ImageOf(bitmap));
}
