#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "drivers/x11/Xlib.h"
#include "raster/RasterImage.h"

namespace vireluna::x11test {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Waits for a condition, checking it often, until the deadline; true when it came true.
bool WaitFor(const std::function<bool()>& condition, Clock::duration deadline);

// A private X server on a free display, started with -displayfd and stopped at the end.
class XServer {
  public:
    virtual ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool Running() const { return display_ != nullptr; }
    const std::string& Name() const { return name_; }
    Display* Connection() const { return display_; }
    // The whole screen, or one window, as the server shows it now.
    raster::RasterImage Grab(Window window = x11::XNone) const;
    // The root window painted black again, as a fresh server shows it.
    void ClearRoot() const;
    // Ends the server now, as when a session ends under its clients.
    void Stop();

  protected:
    XServer() = default;
    // command: the server and its arguments; "-displayfd 3" is added.
    void Start(const std::vector<std::string>& command);

  private:
    pid_t pid_ = -1;
    std::string name_;
    Display* display_ = nullptr;
};

// A plain window of the server's, mapped and synced, for a saver to draw into.
Window MapWindow(const XServer& server, int x, int y, int width, int height);

// Xvfb with one screen of this size and depth.
class XvfbServer : public XServer {
  public:
    XvfbServer(int width, int height, int depth = 24);
};

// One monitor as RandR 1.5 keeps it: WIDTHxHEIGHT+X+Y on the root window.
struct TestMonitor {
    int width;
    int height;
    int x;
    int y;
    std::string Geometry() const;  // as `vireluna render --monitors` takes it
};

// Replaces the server's monitors by these, the first one the primary, through xrandr; true
// once the server lists exactly them.
bool SetRandRMonitors(const XServer& server, const std::vector<TestMonitor>& monitors);
// Drops one monitor (by its place in the list given to SetRandRMonitors).
bool DeleteRandRMonitor(const XServer& server, std::size_t place);
// "A,B,C" of the monitors' geometries.
std::string MonitorList(const std::vector<TestMonitor>& monitors);

// Xorg with the dummy video driver, one screen per head side by side, the heads joined by
// Xinerama. It needs root and the driver; Running() is false without them.
class XorgDummyServer : public XServer {
  public:
    explicit XorgDummyServer(const std::vector<TestMonitor>& heads);
    // Why the server cannot run here, or empty when it can.
    static std::string Unavailable();
};

// A program run by a test, with its standard error collected in a file.
class ChildProcess {
  public:
    // environment: extra NAME=VALUE entries over the test's own.
    ChildProcess(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }
    // The exit status once it has ended within the deadline (a signal death gives 128 + n).
    std::optional<int> WaitExit(Clock::duration deadline);
    bool Running();
    void Signal(int signal) const;
    std::string Stderr() const;

  private:
    pid_t pid_ = -1;
    std::optional<int> status_;
    std::string stderrPath_;
};

// The saver and the render tool as built with the tests.
std::string SaverPath();
std::string ToolPath();
std::string SamplePath(const std::string& name);
// A fresh folder for one test's files; the saver's profile lives here too.
std::string TestFolder();
std::vector<std::string> SaverEnvironment(const XServer& server);

// Runs `vireluna render` with these arguments into a PNG and reads it back.
std::optional<raster::RasterImage> Render(const std::vector<std::string>& arguments);
std::optional<raster::RasterImage> ReadPng(const std::string& path);
// Pixels that differ (and, when they differ in size, every pixel of the larger).
long DifferentPixels(const raster::RasterImage& a, const raster::RasterImage& b);

// Runs xdotool with these arguments against the server; true on success.
bool XDoTool(const XServer& server, const std::vector<std::string>& arguments);

}  // namespace vireluna::x11test
