// Prints the size and hot spot of the mouse cursor the X server shows right
// now, as "width height xhot yhot", read through the XFixes extension.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("cursor_probe: cannot open the display\n", stderr);
        return 2;
    }
    int eventBase = 0;
    int errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase)) {
        std::fputs("cursor_probe: the server has no XFixes\n", stderr);
        XCloseDisplay(display);
        return 2;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (image == nullptr) {
        std::fputs("cursor_probe: no cursor image\n", stderr);
        XCloseDisplay(display);
        return 2;
    }
    std::printf("%u %u %u %u\n", unsigned{image->width}, unsigned{image->height}, unsigned{image->xhot},
                unsigned{image->yhot});
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
