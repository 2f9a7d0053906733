#include "tests/x11/X11TestSupport.h"

#include <fcntl.h>
#include <png.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "drivers/x11/Xlib.h"

namespace vireluna::x11test {
namespace {

constexpr auto PollInterval = 5ms;
constexpr int DisplayFd = 3;  // the pipe end Xvfb writes its display number to
constexpr int SignalStatusBase = 128;

std::vector<char*> CStrings(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& text : strings) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

int DecodeStatus(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return SignalStatusBase + WTERMSIG(status);
    return -1;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, Clock::duration deadline) {
    const Clock::time_point until = Clock::now() + deadline;
    while (true) {
        if (condition()) return true;
        if (Clock::now() >= until) return false;
        std::this_thread::sleep_for(PollInterval);
    }
}

void XServer::Start(const std::vector<std::string>& command) {
    int fds[2];
    if (pipe(fds) != 0) return;
    std::vector<std::string> argv = command;
    argv.insert(argv.begin() + 1, {"-displayfd", std::to_string(DisplayFd)});
    pid_ = fork();
    if (pid_ == 0) {
        dup2(fds[1], DisplayFd);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        std::vector<char*> pointers = CStrings(argv);
        execvp(pointers[0], pointers.data());
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) return;
    name_ = ":" + number;
    display_ = XOpenDisplay(name_.c_str());
}

XvfbServer::XvfbServer(int width, int height, int depth) {
    const std::string screen =
        std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth);
    Start({"Xvfb", "-screen", "0", screen, "-nolisten", "tcp", "-br", "-noreset"});
}

XServer::~XServer() {
    Stop();
}

void XServer::Stop() {
    if (display_ != nullptr) XCloseDisplay(display_);
    display_ = nullptr;
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
}

raster::RasterImage XServer::Grab(Window window) const {
    if (window == x11::XNone) window = DefaultRootWindow(display_);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window, &attributes);
    XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    raster::RasterImage result(attributes.width, attributes.height);
    if (image == nullptr) return result;
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            result.SetPixel(x, y,
                            {static_cast<std::uint8_t>((pixel >> 16) & 0xFF),
                             static_cast<std::uint8_t>((pixel >> 8) & 0xFF),
                             static_cast<std::uint8_t>(pixel & 0xFF)});
        }
    }
    XDestroyImage(image);
    return result;
}

Window MapWindow(const XServer& server, int x, int y, int width, int height) {
    Display* display = server.Connection();
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);
    return window;
}

void XServer::ClearRoot() const {
    XClearWindow(display_, DefaultRootWindow(display_));
    XSync(display_, False);
}

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment) {
    static std::atomic<int> count{0};
    stderrPath_ = TestFolder() + "/stderr-" + std::to_string(++count) + ".txt";
    std::vector<std::string> argv = arguments;
    pid_ = fork();
    if (pid_ == 0) {
        for (const std::string& entry : environment) {
            const std::size_t equals = entry.find('=');
            setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
        }
        const int errors = open(stderrPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(errors, STDERR_FILENO);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        std::vector<char*> pointers = CStrings(argv);
        execv(pointers[0], pointers.data());
        _exit(127);
    }
}

ChildProcess::~ChildProcess() {
    if (Running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool ChildProcess::Running() {
    if (status_ || pid_ <= 0) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = DecodeStatus(status);
        return false;
    }
    return true;
}

std::optional<int> ChildProcess::WaitExit(Clock::duration deadline) {
    WaitFor([this] { return !Running(); }, deadline);
    return status_;
}

void ChildProcess::Signal(int signal) const {
    kill(pid_, signal);
}

std::string ChildProcess::Stderr() const {
    std::ifstream file(stderrPath_);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string SaverPath() {
    return VIRELUNA_SAVER_PATH;
}

std::string ToolPath() {
    return VIRELUNA_TOOL_PATH;
}

std::string SamplePath(const std::string& name) {
    return std::string(VIRELUNA_SOURCE_DIR) + "/resources/designs/" + name;
}

std::string TestFolder() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vireluna-x11-test-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        return std::string(made != nullptr ? made : "/tmp");
    }();
    return folder;
}

std::vector<std::string> SaverEnvironment(const XServer& server) {
    // An empty profile folder: the defaults, whatever the user running the tests has set.
    return {"DISPLAY=" + server.Name(), "XDG_CONFIG_HOME=" + TestFolder() + "/config",
            "XSCREENSAVER_WINDOW="};
}

std::optional<raster::RasterImage> Render(const std::vector<std::string>& arguments) {
    static std::atomic<int> count{0};
    const std::string output = TestFolder() + "/render-" + std::to_string(++count) + ".png";
    std::vector<std::string> argv{ToolPath(), "render", "-o", output};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ChildProcess tool(argv, {"XDG_CONFIG_HOME=" + TestFolder() + "/config"});
    const std::optional<int> status = tool.WaitExit(60s);
    if (status != 0) return std::nullopt;
    return ReadPng(output);
}

std::optional<raster::RasterImage> ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return std::nullopt;
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> bytes(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) == 0) {
        return std::nullopt;
    }
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    raster::RasterImage result(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
            result.SetPixel(x, y, {bytes[at], bytes[at + 1], bytes[at + 2]});
        }
    }
    return result;
}

long DifferentPixels(const raster::RasterImage& a, const raster::RasterImage& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) {
        return std::max(static_cast<long>(a.Width()) * a.Height(),
                        static_cast<long>(b.Width()) * b.Height());
    }
    long different = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (!(a.PixelAt(x, y) == b.PixelAt(x, y))) ++different;
        }
    }
    return different;
}

bool XDoTool(const XServer& server, const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{"/usr/bin/xdotool"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ChildProcess tool(argv, {"DISPLAY=" + server.Name()});
    return tool.WaitExit(10s) == 0;
}

}  // namespace vireluna::x11test
