#include "shadow/X11Stacking.h"

#include <QCoreApplication>
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QObject>
#include <QPointer>

#include <xcb/xcb.h>

#include <cstdlib>
#include <algorithm>
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

bool DirectlyBelow(WId window, WId reference)
{
    const WId lower = TopLevelOf(window);
    const WId upper = TopLevelOf(reference);
    if (!lower || !upper)
        return false;
    const std::vector<WId> order = StackingOrder();
    const auto it = std::find(order.begin(), order.end(), lower);
    return it != order.end() && it + 1 != order.end() && *(it + 1) == upper;
}

namespace {

void ConfigureBelow(xcb_connection_t *c, WId lower, WId upper)
{
    if (!lower || !upper || lower == upper)
        return;
    const uint32_t values[] = {static_cast<uint32_t>(upper), XCB_STACK_MODE_BELOW};
    const xcb_void_cookie_t cookie = xcb_configure_window_checked(
        c, static_cast<xcb_window_t>(lower), XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values);
    // Checked, so that a window that vanished or changed parent meanwhile costs
    // no error report; the watcher puts things right when it hears of it.
    if (xcb_generic_error_t *error = xcb_request_check(c, cookie))
        std::free(error);
}

} // namespace

void PlaceBelow(WId window, WId reference)
{
    if (xcb_connection_t *c = Connection())
        ConfigureBelow(c, TopLevelOf(window), TopLevelOf(reference));
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

namespace {

// The changes of the root window's children, for every watcher. Qt never asks
// for them and would take a child's ConfigureNotify, reported on the root, for
// a change of the screens: they are consumed here.
class RootSubstructure : public QObject, public QAbstractNativeEventFilter
{
public:
    static RootSubstructure *Instance()
    {
        static QPointer<RootSubstructure> instance;
        if (!instance && Connection())
            instance = new RootSubstructure(qGuiApp);
        return instance;
    }

    void Add(StackWatcher *watcher) { FWatchers.push_back(watcher); }
    void Remove(StackWatcher *watcher)
    {
        FWatchers.erase(std::remove(FWatchers.begin(), FWatchers.end(), watcher), FWatchers.end());
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        xcb_window_t parent = XCB_WINDOW_NONE, child = XCB_WINDOW_NONE;
        switch (event->response_type & ~0x80) {
        case XCB_CONFIGURE_NOTIFY: {
            const auto *e = reinterpret_cast<const xcb_configure_notify_event_t *>(event);
            parent = e->event;
            child = e->window;
            break;
        }
        case XCB_MAP_NOTIFY: {
            const auto *e = reinterpret_cast<const xcb_map_notify_event_t *>(event);
            parent = e->event;
            child = e->window;
            break;
        }
        case XCB_UNMAP_NOTIFY: {
            const auto *e = reinterpret_cast<const xcb_unmap_notify_event_t *>(event);
            parent = e->event;
            child = e->window;
            break;
        }
        case XCB_REPARENT_NOTIFY: {
            const auto *e = reinterpret_cast<const xcb_reparent_notify_event_t *>(event);
            parent = e->event;
            child = e->window;
            break;
        }
        case XCB_CREATE_NOTIFY: {
            const auto *e = reinterpret_cast<const xcb_create_notify_event_t *>(event);
            parent = e->parent;
            child = e->window;
            break;
        }
        case XCB_DESTROY_NOTIFY: {
            const auto *e = reinterpret_cast<const xcb_destroy_notify_event_t *>(event);
            parent = e->event;
            child = e->window;
            break;
        }
        case XCB_GRAVITY_NOTIFY: {
            const auto *e = reinterpret_cast<const xcb_gravity_notify_event_t *>(event);
            parent = e->event;
            child = e->window;
            break;
        }
        case XCB_CIRCULATE_NOTIFY: {
            const auto *e = reinterpret_cast<const xcb_circulate_notify_event_t *>(event);
            parent = e->event;
            child = e->window;
            break;
        }
        default:
            return false;
        }
        if (parent != FRoot || child == FRoot)
            return false; // a window's own report: Qt's business
        const std::vector<StackWatcher *> watchers = FWatchers; // a report may add or remove one
        for (StackWatcher *watcher : watchers)
            if (std::find(FWatchers.begin(), FWatchers.end(), watcher) != FWatchers.end())
                watcher->RootChildChanged(event);
        return true;
    }

private:
    explicit RootSubstructure(QObject *parent) : QObject(parent)
    {
        xcb_connection_t *c = Connection();
        FRoot = RootWindow(c);
        // Add to whatever Qt selected on the root, never replace it.
        uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        auto *attributes = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, FRoot), nullptr);
        if (attributes) {
            mask |= attributes->your_event_mask;
            std::free(attributes);
        }
        xcb_change_window_attributes(c, FRoot, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(c);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    xcb_window_t FRoot = XCB_WINDOW_NONE;
    std::vector<StackWatcher *> FWatchers;
};

} // namespace

StackWatcher::StackWatcher(WId lower, WId upper, Report report)
    : FLower(lower), FUpper(upper), FUpperTop(TopLevelOf(upper)), FReport(std::move(report))
{
    if (RootSubstructure *root = RootSubstructure::Instance())
        root->Add(this);
}

void StackWatcher::PlaceLowerBelowUpper()
{
    if (xcb_connection_t *c = Connection())
        ConfigureBelow(c, FLower, FUpperTop);
}

StackWatcher::~StackWatcher()
{
    if (RootSubstructure *root = RootSubstructure::Instance())
        root->Remove(this);
}

void StackWatcher::RootChildChanged(const void *xcbEvent)
{
    const auto *event = static_cast<const xcb_generic_event_t *>(xcbEvent);
    switch (event->response_type & ~0x80) {
    case XCB_CONFIGURE_NOTIFY: {
        const auto *e = reinterpret_cast<const xcb_configure_notify_event_t *>(event);
        const bool upperMoved = e->window == FUpperTop && e->above_sibling != FLower;
        const bool cameBetween = e->above_sibling == FLower && e->window != FUpperTop;
        // The lower one itself restacked (a plain move keeps the window below it).
        const bool lowerRestacked = e->window == FLower && e->above_sibling != FLowerAbove;
        if (e->window == FLower)
            FLowerAbove = e->above_sibling;
        if (upperMoved || cameBetween || lowerRestacked)
            FReport();
        break;
    }
    case XCB_REPARENT_NOTIFY:
    case XCB_MAP_NOTIFY:
    case XCB_DESTROY_NOTIFY: {
        // The form's window went into a new frame or out of one.
        const WId top = TopLevelOf(FUpper);
        if (top != FUpperTop) {
            FUpperTop = top;
            FReport();
        }
        break;
    }
    default:
        break;
    }
}

} // namespace X11Stacking
