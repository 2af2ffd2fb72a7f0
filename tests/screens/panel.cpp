#include "tests/screens/panel.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

Display *panel_display = nullptr;

} // namespace

bool panel_open(int height) {
    panel_display = XOpenDisplay(nullptr);
    if (!panel_display) return false;
    int screen = DefaultScreen(panel_display);
    int width = DisplayWidth(panel_display, screen);
    int bottom = DisplayHeight(panel_display, screen) - height;
    ::Window panel = XCreateSimpleWindow(panel_display, RootWindow(panel_display, screen), 0, bottom,
                                         static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 0, 0);
    Atom dock = XInternAtom(panel_display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    XChangeProperty(panel_display, panel, XInternAtom(panel_display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char *>(&dock), 1);
    // left, right, top, bottom, then the start and end of each along its edge
    long strut[12] = {0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1};
    XChangeProperty(panel_display, panel, XInternAtom(panel_display, "_NET_WM_STRUT_PARTIAL", False), XA_CARDINAL,
                    32, PropModeReplace, reinterpret_cast<unsigned char *>(strut), 12);
    XChangeProperty(panel_display, panel, XInternAtom(panel_display, "_NET_WM_STRUT", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char *>(strut), 4);
    XMapWindow(panel_display, panel);
    XSync(panel_display, False);
    return true;
}

void panel_close() {
    if (panel_display) XCloseDisplay(panel_display); // its windows go with it
    panel_display = nullptr;
}
