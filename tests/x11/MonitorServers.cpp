#include <X11/extensions/Xrandr.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/x11/X11TestSupport.h"

namespace vireluna::x11test {
namespace {

constexpr auto ToolDeadline = 10s;
constexpr int PixelsPerMillimetre = 4;
// Xvfb's one output: the first monitor takes it over, so the screen's own monitor goes.
constexpr const char* XvfbOutput = "screen";
constexpr const char* DummyDriver = "/usr/lib/xorg/modules/drivers/dummy_drv.so";

std::string MonitorName(std::size_t place) {
    return "vireluna" + std::to_string(place);
}

bool XRandR(const XServer& server, const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{"/usr/bin/xrandr"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ChildProcess tool(argv, {"DISPLAY=" + server.Name()});
    return tool.WaitExit(ToolDeadline) == 0;
}

std::vector<TestMonitor> ListedMonitors(const XServer& server) {
    std::vector<TestMonitor> listed;
    int count = 0;
    XRRMonitorInfo* info =
        XRRGetMonitors(server.Connection(), DefaultRootWindow(server.Connection()), True, &count);
    for (int i = 0; i < count; ++i) {
        listed.push_back({info[i].width, info[i].height, info[i].x, info[i].y});
    }
    if (info != nullptr) XRRFreeMonitors(info);
    return listed;
}

bool SameMonitors(const std::vector<TestMonitor>& a, const std::vector<TestMonitor>& b) {
    if (a.size() != b.size()) return false;
    for (const TestMonitor& monitor : a) {
        bool found = false;
        for (const TestMonitor& other : b) {
            found = found || (monitor.width == other.width && monitor.height == other.height &&
                              monitor.x == other.x && monitor.y == other.y);
        }
        if (!found) return false;
    }
    return true;
}

// The monitors given last to SetRandRMonitors, in their places.
std::vector<TestMonitor>& GivenMonitors() {
    static std::vector<TestMonitor> given;
    return given;
}

std::string DummyConfig(const std::vector<TestMonitor>& heads) {
    std::ostringstream config;
    std::ostringstream layout;
    for (std::size_t i = 0; i < heads.size(); ++i) {
        const TestMonitor& head = heads[i];
        const std::string mode = std::to_string(head.width) + "x" + std::to_string(head.height);
        // A mode of its own for each head: blanking of a few pixels, refresh about 60 Hz.
        const int totalWidth = head.width + 160;
        const int totalHeight = head.height + 30;
        const double clock = totalWidth * totalHeight * 60 / 1e6;
        config << "Section \"Device\"\n  Identifier \"Card" << i
               << "\"\n  Driver \"dummy\"\n  VideoRam 64000\nEndSection\n"
               << "Section \"Monitor\"\n  Identifier \"Monitor" << i
               << "\"\n  HorizSync 5.0-1000.0\n  VertRefresh 5.0-200.0\n  Modeline \"" << mode
               << "\" " << clock << ' ' << head.width << ' ' << head.width + 40 << ' '
               << head.width + 120 << ' ' << totalWidth << ' ' << head.height << ' '
               << head.height + 3 << ' ' << head.height + 8 << ' ' << totalHeight
               << "\nEndSection\n"
               << "Section \"Screen\"\n  Identifier \"Screen" << i << "\"\n  Device \"Card" << i
               << "\"\n  Monitor \"Monitor" << i
               << "\"\n  DefaultDepth 24\n  SubSection \"Display\"\n    Depth 24\n    Modes \""
               << mode << "\"\n    Virtual " << head.width << ' ' << head.height
               << "\n  EndSubSection\nEndSection\n";
        layout << "  Screen " << i << " \"Screen" << i << '"';
        if (i > 0) layout << " RightOf \"Screen" << i - 1 << '"';
        layout << '\n';
    }
    config << "Section \"ServerLayout\"\n  Identifier \"Heads\"\n"
           << layout.str() << "  Option \"Xinerama\" \"on\"\nEndSection\n"
           << "Section \"ServerFlags\"\n  Option \"AutoAddDevices\" \"false\"\n"
              "  Option \"AutoEnableDevices\" \"false\"\n  Option \"DontVTSwitch\" \"true\"\n"
              "EndSection\n";
    return config.str();
}

}  // namespace

std::string TestMonitor::Geometry() const {
    const auto offset = [](int value) {
        return (value < 0 ? "-" : "+") + std::to_string(value < 0 ? -value : value);
    };
    return std::to_string(width) + "x" + std::to_string(height) + offset(x) + offset(y);
}

std::string MonitorList(const std::vector<TestMonitor>& monitors) {
    std::string list;
    for (const TestMonitor& monitor : monitors) {
        list += (list.empty() ? "" : ",") + monitor.Geometry();
    }
    return list;
}

bool SetRandRMonitors(const XServer& server, const std::vector<TestMonitor>& monitors) {
    for (std::size_t place = 0; place < monitors.size(); ++place) {
        const TestMonitor& monitor = monitors[place];
        const std::string geometry = std::to_string(monitor.width) + "/" +
                                     std::to_string(monitor.width / PixelsPerMillimetre) + "x" +
                                     std::to_string(monitor.height) + "/" +
                                     std::to_string(monitor.height / PixelsPerMillimetre) + "+" +
                                     std::to_string(monitor.x) + "+" + std::to_string(monitor.y);
        if (!XRandR(server, {"--setmonitor", MonitorName(place), geometry,
                             place == 0 ? XvfbOutput : "none"})) {
            return false;
        }
    }
    GivenMonitors() = monitors;
    return WaitFor([&] { return SameMonitors(ListedMonitors(server), monitors); }, ToolDeadline);
}

bool DeleteRandRMonitor(const XServer& server, std::size_t place) {
    // Xvfb sends no notice for a monitor alone. A real display's going changes its output
    // too: switching Xvfb's one output off (refused, yet announced) and on again brings the
    // same notices.
    if (!XRandR(server, {"--delmonitor", MonitorName(place)})) return false;
    XRandR(server, {"--output", XvfbOutput, "--off"});
    if (!XRandR(server, {"--output", XvfbOutput, "--auto"})) return false;
    std::vector<TestMonitor> left = GivenMonitors();
    left.erase(left.begin() + static_cast<std::ptrdiff_t>(place));
    return WaitFor([&] { return SameMonitors(ListedMonitors(server), left); }, ToolDeadline);
}

std::string XorgDummyServer::Unavailable() {
    if (geteuid() != 0) return "Xorg with the dummy driver needs root";
    if (!std::filesystem::exists(DummyDriver)) return "the dummy video driver is not installed";
    if (!std::filesystem::exists("/usr/bin/Xorg")) return "Xorg is not installed";
    return {};
}

XorgDummyServer::XorgDummyServer(const std::vector<TestMonitor>& heads) {
    if (!Unavailable().empty()) return;
    static int count = 0;
    const std::string stem = TestFolder() + "/xorg-" + std::to_string(++count);
    std::ofstream(stem + ".conf") << DummyConfig(heads);
    Start({"Xorg", "-config", stem + ".conf", "-logfile", stem + ".log", "-noreset", "-nolisten",
           "tcp", "-novtswitch", "-sharevts"});
}

}  // namespace vireluna::x11test
