#include "shadow/X11Stacking.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <string>

namespace X11Stacking {

namespace {

xcb_connection_t *Connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

struct Tree
{
    xcb_window_t root = 0;
    xcb_window_t parent = 0;
    std::vector<xcb_window_t> children; // bottom to top
};

bool QueryTree(xcb_connection_t *c, xcb_window_t window, Tree &tree)
{
    xcb_query_tree_reply_t *reply = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
    if (!reply)
        return false;
    tree.root = reply->root;
    tree.parent = reply->parent;
    const xcb_window_t *children = xcb_query_tree_children(reply);
    tree.children.assign(children, children + xcb_query_tree_children_length(reply));
    std::free(reply);
    return true;
}

// The screen named by DISPLAY (":0.1" is screen 1), as xcb_connect picks it.
int DefaultScreenNumber()
{
    const char *display = std::getenv("DISPLAY");
    if (!display)
        return 0;
    const std::string name(display);
    const auto colon = name.rfind(':');
    const auto dot = name.rfind('.');
    if (colon == std::string::npos || dot == std::string::npos || dot < colon)
        return 0;
    return std::atoi(name.c_str() + dot + 1);
}

xcb_window_t RootWindow(xcb_connection_t *c)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int n = DefaultScreenNumber(); n > 0 && it.rem > 1; --n)
        xcb_screen_next(&it);
    return it.data ? it.data->root : xcb_window_t(XCB_WINDOW_NONE);
}

} // namespace

bool Available()
{
    return Connection() != nullptr;
}

WId TopLevelOf(WId window)
{
    xcb_connection_t *c = Connection();
    if (!c || !window)
        return 0;
    auto current = static_cast<xcb_window_t>(window);
    for (int depth = 0; depth < 16; ++depth) {
        Tree tree;
        if (!QueryTree(c, current, tree))
            return 0;
        if (tree.parent == tree.root || tree.parent == XCB_WINDOW_NONE)
            return current;
        current = tree.parent;
    }
    return 0;
}

void PlaceBelow(WId window, WId reference)
{
    xcb_connection_t *c = Connection();
    if (!c)
        return;
    const WId lower = TopLevelOf(window);
    const WId upper = TopLevelOf(reference);
    if (!lower || !upper || lower == upper)
        return;
    const uint32_t values[] = {static_cast<uint32_t>(upper), XCB_STACK_MODE_BELOW};
    const xcb_void_cookie_t cookie = xcb_configure_window_checked(
        c, static_cast<xcb_window_t>(lower), XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values);
    // Checked, so that a window that vanished meanwhile costs no error report.
    if (xcb_generic_error_t *error = xcb_request_check(c, cookie))
        std::free(error);
}

std::vector<WId> StackingOrder()
{
    std::vector<WId> order;
    xcb_connection_t *c = Connection();
    if (!c)
        return order;
    Tree tree;
    if (QueryTree(c, RootWindow(c), tree))
        order.assign(tree.children.begin(), tree.children.end());
    return order;
}

bool CompositorRunning()
{
    xcb_connection_t *c = Connection();
    if (!c)
        return false;
    // The compositing manager of screen n owns the selection _NET_WM_CM_Sn.
    const std::string atomName = "_NET_WM_CM_S" + std::to_string(DefaultScreenNumber());
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(atomName.size()), atomName.c_str()), nullptr);
    if (!atom)
        return false;
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t *owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const bool running = owner && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return running;
}

} // namespace X11Stacking
