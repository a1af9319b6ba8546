// korvel-xclose NAME: asks every top-level window whose name contains NAME to close, the way a window
// manager's close button does (a WM_DELETE_WINDOW client message), so tests can end a program as a
// user closing its window would. Exits 1 when no such window exists.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cstdio>
#include <cstring>

namespace {

int Close(Display* display, Window window, const char* name) {
    int closed = 0;
    char* title = nullptr;
    if (XFetchName(display, window, &title) && title) {
        if (std::strstr(title, name)) {
            XEvent event;
            std::memset(&event, 0, sizeof event);
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(display, window, False, NoEventMask, &event);
            closed = 1;
        }
        XFree(title);
    }
    Window root, parent;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i) {
            closed += Close(display, children[i], name);
        }
        if (children) {
            XFree(children);
        }
    }
    return closed;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: korvel-xclose WINDOW_NAME\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "korvel-xclose: cannot open the display\n");
        return 2;
    }
    int closed = Close(display, DefaultRootWindow(display), argv[1]);
    XSync(display, False);
    XCloseDisplay(display);
    return closed > 0 ? 0 : 1;
}
