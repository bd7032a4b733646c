#pragma once

#include <QWidget>

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

// Puts the top-level window holding `window` directly below the one holding
// `reference` in the stacking order.
void PlaceBelow(WId window, WId reference);

// The root window's children from the bottom of the stacking order to the top.
std::vector<WId> StackingOrder();

// Is a compositing manager running on the default screen? Without one the X
// server shows a translucent window's pixels opaque.
bool CompositorRunning();

} // namespace X11Stacking
