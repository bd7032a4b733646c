#pragma once

#include <QWidget>

#include <functional>
#include <vector>

// Stacking and compositing questions put to the X server. Qt only raises and
// lowers top-level windows; a window directly below another one needs the
// window system. Everything here does nothing (or answers no) when the program
// does not run on X11.
namespace X11Stacking {

bool Available();

// The child of the root window that holds `window`: the window itself, or the
// frame a reparenting window manager put around it; 0 when unknown.
WId TopLevelOf(WId window);

// Is the top-level window holding `window` directly below the one holding
// `reference` in the stacking order?
bool DirectlyBelow(WId window, WId reference);

// Puts the top-level window holding `window` directly below the one holding
// `reference` in the stacking order.
void PlaceBelow(WId window, WId reference);

// The root window's children from the bottom of the stacking order to the top.
std::vector<WId> StackingOrder();

// Is a compositing manager running on the default screen? Without one the X
// server shows a translucent window's pixels opaque.
bool CompositorRunning();

// Watches the root window's stacking list and reports whenever `lower` may no
// longer be directly below the top-level window holding `upper` (the window
// itself, or the frame a window manager put around it, followed across
// reparenting): either of them was restacked, or another window came between
// them. The report may come when nothing broke; check with DirectlyBelow.
class StackWatcher
{
public:
    using Report = std::function<void()>;

    StackWatcher(WId lower, WId upper, Report report);
    ~StackWatcher();
    StackWatcher(const StackWatcher &) = delete;
    StackWatcher &operator=(const StackWatcher &) = delete;

    WId Lower() const { return FLower; }
    WId Upper() const { return FUpper; }
    // PlaceBelow for the two, without asking the server where they are: `lower`
    // must be a top-level window of its own.
    void PlaceLowerBelowUpper();
    // One of the root window's children changed (a substructure event).
    void RootChildChanged(const void *xcbEvent);

private:
    WId FLower;
    WId FUpper;
    WId FUpperTop;
    WId FLowerAbove = ~WId(0); // the window last seen directly below `lower`
    Report FReport;
};

} // namespace X11Stacking
