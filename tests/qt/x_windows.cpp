// x_windows: lists the top-level windows of an X display, top-most first, one
// a line: "ID PID STATE WIDTHxHEIGHT+X+Y TITLE" (PID 0 when the window names
// none; STATE viewable, unviewable or unmapped; TITLE its UTF-8 name, maybe
// empty). A window that disappears while it is looked at is left out instead
// of ending the program with an X error, as xdotool and xwininfo do: the
// window tests call it while other windows come and go.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <string>

namespace {

bool g_failed = false;  // an X request failed since it was last cleared

int RecordError(Display *, XErrorEvent *)
{
    g_failed = true;
    return 0;
}

// A property's bytes as Xlib gives them, or nothing when the window has none
// or has gone.
std::string Property(Display *display, Window window, Atom property, Atom type)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::string value;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format, &count, &after,
                           &data) == Success &&
        data != nullptr && actualType == type)
        // Xlib hands 32-bit items over as longs.
        value.assign(reinterpret_cast<const char *>(data), count * (format == 32 ? sizeof(long) : format / 8u));
    if (data != nullptr)
        XFree(data);
    return value;
}

}  // namespace

int main()
{
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "x_windows: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(RecordError);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    const Atom nameAtom = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8Atom = XInternAtom(display, "UTF8_STRING", False);

    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        std::fprintf(stderr, "x_windows: cannot list the windows\n");
        return 2;
    }
    // XQueryTree gives the stacking order bottom first.
    for (unsigned int i = count; i-- > 0;) {
        const Window w = children[i];
        g_failed = false;
        XWindowAttributes attributes{};
        const bool described = XGetWindowAttributes(display, w, &attributes) != 0;
        const std::string pid = Property(display, w, pidAtom, XA_CARDINAL);
        std::string title = Property(display, w, nameAtom, utf8Atom);
        if (title.empty())
            title = Property(display, w, XA_WM_NAME, XA_STRING);
        XSync(display, False);
        if (!described || g_failed)
            continue;  // gone while looked at
        unsigned long pidValue = 0;
        if (pid.size() >= sizeof(unsigned long))
            pidValue = *reinterpret_cast<const unsigned long *>(pid.data());
        const char *state = attributes.map_state == IsViewable ? "viewable"
                            : attributes.map_state == IsUnviewable ? "unviewable"
                                                                    : "unmapped";
        std::printf("0x%lx %lu %s %dx%d+%d+%d %s\n", w, pidValue, state, attributes.width, attributes.height,
                    attributes.x, attributes.y, title.c_str());
    }
    if (children != nullptr)
        XFree(children);
    XCloseDisplay(display);
    return 0;
}
