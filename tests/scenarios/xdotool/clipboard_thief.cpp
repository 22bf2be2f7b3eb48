// Takes the CLIPBOARD selection from under a program's copy: it holds the X
// server for MILLISECONDS, long enough for a copy the program starts
// meanwhile to be waiting in the server's queue, then takes the selection,
// lets the server go, and serves TEXT until another client takes it or ten
// seconds pass. The waiting claim, stamped with the time of the program's
// last event, is then older than this one, and the server ignores it.
//
//   clipboard_thief MILLISECONDS TEXT
//
// Prints "holding" once it holds the server.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

// Answers one request for the selection with TEXT as UTF-8, or refuses it.
void Answer(Display* display, const XSelectionRequestEvent& request, const char* text)
{
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const Atom targets = XInternAtom(display, "TARGETS", False);
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = request.property == None ? request.target : request.property;
    if (request.target == targets) {
        const Atom offered[] = {targets, utf8, XA_STRING};
        XChangeProperty(display, request.requestor, reply.property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered), 3);
    } else if (request.target == utf8 || request.target == XA_STRING) {
        XChangeProperty(display, request.requestor, reply.property, request.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(text), static_cast<int>(std::strlen(text)));
    } else {
        reply.property = None;
    }
    XSendEvent(display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(display);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s MILLISECONDS TEXT\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("clipboard_thief: cannot open the display\n", stderr);
        return 2;
    }
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);

    XGrabServer(display);
    XSync(display, False);
    std::puts("holding");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[1])));
    XSetSelectionOwner(display, clipboard, window, CurrentTime);
    XUngrabServer(display);
    XSync(display, False);
    if (XGetSelectionOwner(display, clipboard) != window) {
        std::fputs("clipboard_thief: could not take the clipboard\n", stderr);
        return 1;
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (std::chrono::steady_clock::now() < deadline) {
        if (!XPending(display)) {
            poll(&connection, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest)
            Answer(display, event.xselectionrequest, argv[2]);
        else if (event.type == SelectionClear)
            break;
    }
    XCloseDisplay(display);
    return 0;
}
