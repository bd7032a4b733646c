#pragma once

#include "shadow/ShadowImage.h"
#include "shadow/X11Stacking.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

class QtAttachedForm;

// The drop shadow of a borderless form: a separate top-level window 16 pixels
// larger than the form on every side, directly behind it in the stacking order,
// showing the form's blurred silhouette with per-pixel alpha. It is never
// activated, never takes the focus, lets clicks through to the windows beneath
// and has no taskbar entry.
//
// It follows the form through an event filter: the form handles each of its
// move, resize, show, hide and state events first, then the shadow reacts. On
// X11 the stacking list is watched too, since a window manager raises the form
// (on activation, or when it maps it again after a restore) without telling Qt;
// the shadow then goes back directly behind it. A move costs two placements of
// the shadow window and no drawing; the image is rebuilt only when the form's
// size or transparent colour changed.
class TFormShadow : public QWidget
{
    Q_OBJECT
    friend struct ShadowProbe; // tests count placements and look at the image

public:
    // The owner is the component owner of the form's call; it frees nothing:
    // the form that attached the shadow frees it.
    explicit TFormShadow(QObject *owner);
    ~TFormShadow() override;

    // Follows AForm from now on, or nothing when AForm is null.
    void Attach(QWidget *AForm);
    // Whether the attached form is shown; the form tells its shadow.
    void SetShowing(bool Value);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // What a position change of the form carries, as far as the shadow cares.
    enum PosFlag : unsigned {
        NoSize = 0x01,
        NoMove = 0x02,
        FrameChanged = 0x20,
        ShowWindow = 0x40,
        HideWindow = 0x80,
    };

    void FormWndProc(QEvent *event, unsigned flags);
    void WatchFormStacking();
    void FormRestacked();
    void RequestUpdate();
    void FormPosChanging(unsigned flags);
    void FormPosChanged(unsigned flags);
    void BuildShadow();
    void UpdateLayer();
    bool FormStateNormal() const;
    bool FormMaximized() const;

    // The placements of the shadow window.
    void HideBehindForm();
    void PlaceBehindForm(int x, int y);
    void ShowOrHide(bool show);
    void KeepBelowForm();
    void MatchCompositing();

    QPointer<QWidget> FForm;
    bool FFormShown = false;
    int FShadowOffset = 0;
    bool FHooked = false; // the event filter sits on FForm
    std::unique_ptr<X11Stacking::StackWatcher> FStackWatcher; // the form's window, once it has one
    quorbel::ShadowImage FImage;
    std::unique_ptr<QtAttachedForm> FFormView;

    std::optional<bool> FCompositorOverride; // tests decide instead of the X server
    int FPlacements = 0;
    int FLayerUpdates = 0;
    int FPaints = 0;
    int FRestacks = 0;
};
