// An Xvfb server of the test's own, and the few X requests the end-to-end test needs.
#pragma once

#include <sys/types.h>

#include <string>

class XServer {
  public:
    // Starts Xvfb on a free display; connected() is false when that was not possible.
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool connected() const { return display_ != nullptr; }
    const std::string& name() const { return name_; }
    // A mapped 320x240 top-level window, or 0.
    unsigned long findGameWindow() const;
    // What a window manager's close button sends: WM_DELETE_WINDOW.
    void close(unsigned long window) const;

  private:
    void stop();
    std::string name_;
    pid_t pid_ = -1;
    void* display_ = nullptr;
};
