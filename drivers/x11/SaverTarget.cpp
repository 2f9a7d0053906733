#include "drivers/x11/SaverTarget.h"

#include "drivers/x11/Xlib.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "drivers/x11/X11Errors.h"

namespace vireluna::x11 {
namespace {

constexpr const char* ScreenSaverWindowVariable = "XSCREENSAVER_WINDOW";
constexpr const char* WindowTitle = "Vireluna";
constexpr long ForeignWindowEvents = ExposureMask | StructureNotifyMask;
constexpr long OwnWindowEvents = ExposureMask | StructureNotifyMask;
constexpr long FullScreenEvents =
    OwnWindowEvents | KeyPressMask | ButtonPressMask | PointerMotionMask | FocusChangeMask;

std::string Hex(unsigned long id) {
    std::ostringstream text;
    text << "0x" << std::hex << id;
    return text.str();
}

bool Describe(Display* display, Window window, SaverTarget& target) {
    XWindowAttributes attributes{};
    const unsigned long first = NextRequest(display);
    const Status status = XGetWindowAttributes(display, window, &attributes);
    if (FailedSince(display, first) || status == 0) return false;
    target.window = window;
    target.visual = attributes.visual;
    target.depth = attributes.depth;
    target.size = {attributes.width, attributes.height};
    return true;
}

bool Watch(Display* display, Window window, std::string& error) {
    const unsigned long first = NextRequest(display);
    XSelectInput(display, window, ForeignWindowEvents);
    if (FailedSince(display, first)) {
        error = "cannot watch the window " + Hex(window);
        return false;
    }
    return true;
}

// Desktops that draw their background in a window of their own mark it as the virtual root;
// a saver drawing on the root would be hidden under it.
Window VirtualRoot(Display* display, Window root) {
    const Atom marker = XInternAtom(display, "__SWM_VROOT", False);
    Window rootReturn = XNone;
    Window parent = XNone;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) == 0) return root;
    Window found = root;
    for (unsigned i = 0; i < count && found == root; ++i) {
        Atom type = XNone;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, children[i], marker, 0, 1, False, XA_WINDOW, &type, &format,
                               &items, &after, &data) == Success &&
            data != nullptr) {
            if (type == XA_WINDOW && items == 1) {
                Window virtualRoot = XNone;
                std::memcpy(&virtualRoot, data, sizeof virtualRoot);
                found = virtualRoot;
            }
            XFree(data);
        }
    }
    if (children != nullptr) XFree(children);
    return found;
}

Cursor InvisibleCursor(Display* display, Window window) {
    const char noBits[1] = {0};
    const Pixmap blank = XCreateBitmapFromData(display, window, noBits, 1, 1);
    XColor black{};
    const Cursor cursor = XCreatePixmapCursor(display, blank, blank, &black, &black, 0, 0);
    XFreePixmap(display, blank);
    return cursor;
}

Window CreateOwnWindow(Display* display, int x, int y, ScreenSize size, bool overrideRedirect,
                       long events) {
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = XNone;  // the saver paints every pixel itself
    attributes.override_redirect = overrideRedirect ? True : False;
    attributes.event_mask = events;
    return XCreateWindow(display, RootWindow(display, screen), x, y,
                         static_cast<unsigned>(size.width), static_cast<unsigned>(size.height), 0,
                         DefaultDepth(display, screen), InputOutput, DefaultVisual(display, screen),
                         CWBackPixmap | CWOverrideRedirect | CWEventMask, &attributes);
}

void WaitUntilMapped(Display* display, Window window) {
    XEvent event;
    do {
        XWindowEvent(display, window, StructureNotifyMask, &event);
    } while (event.type != MapNotify);
}

}  // namespace

bool FindRootTarget(Display* display, SaverTarget& target, std::string& error) {
    if (const char* named = std::getenv(ScreenSaverWindowVariable);
        named != nullptr && *named != '\0') {
        char* end = nullptr;
        const unsigned long id = std::strtoul(named, &end, 0);
        if (end == named || *end != '\0' || id == 0) {
            error = std::string("$") + ScreenSaverWindowVariable + " is not a window id: '" +
                    named + "'";
            return false;
        }
        return FindWindowTarget(display, id, target, error);
    }
    const Window root = DefaultRootWindow(display);
    const Window window = VirtualRoot(display, root);
    if (!Describe(display, window, target)) {
        error = "cannot use the root window";
        return false;
    }
    return Watch(display, window, error);
}

bool FindWindowTarget(Display* display, unsigned long id, SaverTarget& target, std::string& error) {
    if (!Describe(display, static_cast<Window>(id), target)) {
        error = "there is no window " + Hex(id) + " on the display";
        return false;
    }
    if (target.visual->c_class != TrueColor && target.visual->c_class != DirectColor) {
        error = "the window " + Hex(id) + " has no true-colour visual";
        return false;
    }
    return Watch(display, target.window, error);
}

bool CreateTopLevelTarget(Display* display, ScreenSize size, SaverTarget& target,
                          std::string& error) {
    const Window window = CreateOwnWindow(display, 0, 0, size, false, OwnWindowEvents);
    if (window == XNone || !Describe(display, window, target)) {
        error = "cannot create a window";
        return false;
    }
    target.ours = true;
    XStoreName(display, window, WindowTitle);
    XClassHint hint{};
    std::string name = "vireluna-saver";
    std::string className = "Vireluna";
    hint.res_name = name.data();
    hint.res_class = className.data();
    XSetClassHint(display, window, &hint);
    target.deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &target.deleteWindow, 1);
    // Not waited for: a window manager may map it late, and its first expose paints it.
    XMapWindow(display, window);
    return true;
}

bool CreateFullScreenTarget(Display* display, const MonitorRect& place, SaverTarget& target,
                            std::string& error) {
    // Override-redirect: no window manager frames, moves or stacks it; it stays on top.
    const Window window =
        CreateOwnWindow(display, place.left, place.top, place.Size(), true, FullScreenEvents);
    if (window == XNone || !Describe(display, window, target)) {
        error = "cannot create a window";
        return false;
    }
    target.ours = true;
    XStoreName(display, window, WindowTitle);
    const Cursor hidden = InvisibleCursor(display, window);
    XDefineCursor(display, window, hidden);
    XFreeCursor(display, hidden);
    XMapRaised(display, window);
    WaitUntilMapped(display, window);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    return true;
}

void ReleaseTarget(Display* display, const SaverTarget& target) {
    if (target.ours) XDestroyWindow(display, target.window);
    XSync(display, False);
}

}  // namespace vireluna::x11
