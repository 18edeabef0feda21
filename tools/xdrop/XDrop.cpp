// Drops files onto an X window as a file manager does, through the XDND
// protocol: the end-to-end tests use it for a real drag and drop onto a
// Wine window, which Wine hands to the program as WM_DROPFILES.
//   pelor_xdrop WINDOW X Y FILE...   (WINDOW: the X id of the top-level
//   window; X Y: the drop point on the screen; FILE: absolute Linux paths)
// Exits 0 once the target says it finished with the drop, 1 on a refusal or
// after 10 s without an answer, 2 on bad arguments or no display.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

struct Atoms {
    Atom aware, enter, position, status, drop, finished, selection, copy, uriList;
};

void SendClient(Display* display, Window target, Atom type, const long (&data)[5]) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    for (int i = 0; i < 5; ++i) event.xclient.data.l[i] = data[i];
    XSendEvent(display, target, False, NoEventMask, &event);
    XFlush(display);
}

// Hands the file list to whoever asks for the drop's selection.
void Answer(Display* display, const XSelectionRequestEvent& request, const Atoms& atoms, const std::string& uris) {
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.time = request.time;
    reply.xselection.property = None;
    if (request.target == atoms.uriList && request.property != None) {
        XChangeProperty(display, request.requestor, request.property, atoms.uriList, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(uris.data()), static_cast<int>(uris.size()));
        reply.xselection.property = request.property;
    }
    XSendEvent(display, request.requestor, False, NoEventMask, &reply);
    XFlush(display);
}

// Serves selection requests until a client message of `type` comes from
// `target`; false after the time left runs out.
bool WaitFor(Display* display, Window target, Atom type, const Atoms& atoms, const std::string& uris,
             std::chrono::steady_clock::time_point limit, XClientMessageEvent& got) {
    while (std::chrono::steady_clock::now() < limit) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == SelectionRequest) {
                Answer(display, event.xselectionrequest, atoms, uris);
            } else if (event.type == ClientMessage && event.xclient.message_type == type &&
                       static_cast<Window>(event.xclient.data.l[0]) == target) {
                got = event.xclient;
                return true;
            }
        }
        struct timespec pause = {0, 10 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: pelor_xdrop WINDOW X Y FILE...\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "pelor_xdrop: no display\n");
        return 2;
    }
    const Window target = std::strtoul(argv[1], nullptr, 0);
    const long x = std::strtol(argv[2], nullptr, 10);
    const long y = std::strtol(argv[3], nullptr, 10);
    std::string uris;
    for (int i = 4; i < argc; ++i) uris += std::string("file://") + argv[i] + "\r\n";

    const Atoms atoms{XInternAtom(display, "XdndAware", False),    XInternAtom(display, "XdndEnter", False),
                      XInternAtom(display, "XdndPosition", False), XInternAtom(display, "XdndStatus", False),
                      XInternAtom(display, "XdndDrop", False),     XInternAtom(display, "XdndFinished", False),
                      XInternAtom(display, "XdndSelection", False), XInternAtom(display, "XdndActionCopy", False),
                      XInternAtom(display, "text/uri-list", False)};
    const Window source = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, atoms.selection, source, CurrentTime);
    XSync(display, False);

    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    const long sourceId = static_cast<long>(source);
    SendClient(display, target, atoms.enter, {sourceId, 5L << 24, static_cast<long>(atoms.uriList), 0, 0});
    SendClient(display, target, atoms.position, {sourceId, 0, (x << 16) | y, CurrentTime, static_cast<long>(atoms.copy)});
    XClientMessageEvent answer{};
    int result = 1;
    if (!WaitFor(display, target, atoms.status, atoms, uris, limit, answer)) {
        std::fprintf(stderr, "pelor_xdrop: no XdndStatus from the window\n");
    } else if ((answer.data.l[1] & 1) == 0) {
        std::fprintf(stderr, "pelor_xdrop: the window refuses the drop there\n");
    } else {
        SendClient(display, target, atoms.drop, {sourceId, 0, CurrentTime, 0, 0});
        if (WaitFor(display, target, atoms.finished, atoms, uris, limit, answer)) {
            result = 0;
        } else {
            std::fprintf(stderr, "pelor_xdrop: no XdndFinished from the window\n");
        }
    }
    XDestroyWindow(display, source);
    XCloseDisplay(display);
    return result;
}
