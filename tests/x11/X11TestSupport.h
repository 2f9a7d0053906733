#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/x11/Xlib.h"
#include "render/RasterImage.h"

namespace vireluna::x11test {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Waits for a condition, checking it often, until the deadline; true when it came true.
bool WaitFor(const std::function<bool()>& condition, Clock::duration deadline);

// A private X server on a free display, started with -displayfd and stopped at the end.
class XvfbServer {
  public:
    XvfbServer(int width, int height);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool Running() const { return display_ != nullptr; }
    const std::string& Name() const { return name_; }
    Display* Connection() const { return display_; }
    // The whole screen, or one window, as the server shows it now.
    raster::RasterImage Grab(Window window = x11::XNone) const;
    // The root window painted black again, as a fresh server shows it.
    void ClearRoot() const;
    // Ends the server now, as when a session ends under its clients.
    void Stop();

  private:
    pid_t pid_ = -1;
    std::string name_;
    Display* display_ = nullptr;
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
std::vector<std::string> SaverEnvironment(const XvfbServer& server);

// Runs `vireluna render` with these arguments into a PNG and reads it back.
std::optional<raster::RasterImage> Render(const std::vector<std::string>& arguments);
std::optional<raster::RasterImage> ReadPng(const std::string& path);
// Pixels that differ (and, when they differ in size, every pixel of the larger).
long DifferentPixels(const raster::RasterImage& a, const raster::RasterImage& b);

// Runs xdotool with these arguments against the server; true on success.
bool XDoTool(const XvfbServer& server, const std::vector<std::string>& arguments);

}  // namespace vireluna::x11test
