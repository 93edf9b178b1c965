// An Xvfb server of the test's own, and the few X requests the end-to-end test needs.
#include "e2e/XServer.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {
Display* asDisplay(void* display) {
    return static_cast<Display*>(display);
}
}  // namespace

XServer::XServer() {
    if (std::system("command -v Xvfb >/dev/null 2>&1") != 0) {
        return;
    }
    for (int number = 40 + getpid() % 40; number < 120 && display_ == nullptr; ++number) {
        struct stat info;
        if (stat(("/tmp/.X11-unix/X" + std::to_string(number)).c_str(), &info) == 0) {
            continue;
        }
        name_ = ":" + std::to_string(number);
        pid_ = fork();
        if (pid_ == 0) {
            // Without -noreset the server resets when SDL's probe connection closes.
            execlp("Xvfb", "Xvfb", name_.c_str(), "-noreset", "-screen", "0", "640x480x24",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 100 && display_ == nullptr; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            display_ = XOpenDisplay(name_.c_str());
        }
        if (display_ == nullptr) {
            stop();
        }
    }
}

XServer::~XServer() {
    if (display_ != nullptr) {
        XCloseDisplay(asDisplay(display_));
    }
    stop();
}

void XServer::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

unsigned long XServer::findGameWindow() const {
    Display* d = asDisplay(display_);
    Window root, parent, *children = nullptr, found = 0;
    unsigned count = 0;
    if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
                a.width == 320 && a.height == 240) {
                found = children[i];
            }
        }
        XFree(children);
    }
    return found;
}

void XServer::close(unsigned long window) const {
    Display* d = asDisplay(display_);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &event);
    XFlush(d);
}
