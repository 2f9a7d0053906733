#include "drivers/win32/SaverWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "drivers/win32/MessageBox.h"
#include "drivers/win32/Win32Monitors.h"
#include "raster/MachineOverlayPainter.h"
#include "resources/win32/ResourceIds.h"

namespace vireluna::win32 {
namespace {

constexpr wchar_t WindowClassName[] = L"VirelunaSaverWindow";
constexpr UINT_PTR AnimationTimer = 1;
// Posted by a run's load-failure message, so that its box opens outside the tick's handler.
constexpr UINT ShowHandedMessageMessage = WM_APP + 1;

// Registered at the first window creation and kept for the life of the process.
bool RegisterSaverClass(HINSTANCE module, WNDPROC procedure) {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(module, MAKEINTRESOURCEW(IDC_INVISIBLE));
    windowClass.hbrBackground = nullptr;  // the saver erases its own background
    windowClass.hIcon = nullptr;
    windowClass.lpszClassName = WindowClassName;
    registered = RegisterClassW(&windowClass) != 0;
    return registered;
}

}  // namespace

SaverWindow::SaverWindow(RunMode mode, ProfileStore& profile, FileSystem& files, RunStart start,
                         const MonitorLayout& layout)
    : module_(GetModuleHandleW(nullptr)), runs_(mode, profile, *this, files, start, layout) {}

SaverWindow::~SaverWindow() {
    ReleaseSurface();
}

bool SaverWindow::CreatePreview(HWND host, ProfileStore& profile, FileSystem& files,
                                RunStart start) {
    RECT client{};
    if (!GetClientRect(host, &client)) return false;
    const MonitorLayout inHost = MonitorLayout::Single({client.right, client.bottom});
    return Create(std::unique_ptr<SaverWindow>(
                      new SaverWindow(RunMode::Picture, profile, files, start, inHost)),
                  WS_CHILD | WS_VISIBLE, client, host);
}

bool SaverWindow::CreateFullScreen(ProfileStore& profile, FileSystem& files, RunStart start,
                                   const std::optional<MonitorLayout>& monitors) {
    const MonitorLayout layout = monitors ? *monitors : DiscoverMonitors();
    const MonitorRect bounds = layout.Bounds();
    const RECT screen{bounds.left, bounds.top, bounds.left + bounds.width,
                      bounds.top + bounds.height};
    std::unique_ptr<SaverWindow> window(
        new SaverWindow(RunMode::FullScreen, profile, files, start, layout));
    window->followsDisplay_ = !monitors;
    SaverWindow& self = *window;
    // The size message that follows sizes the canvas before the runs draw on it again.
    window->runs_.SetWindowMover([&self](const MonitorLayout& layout) {
        if (self.window_ == nullptr) return;
        const MonitorRect at = layout.Bounds();
        SetWindowPos(self.window_, HWND_TOPMOST, at.left, at.top, at.width, at.height,
                     SWP_NOACTIVATE);
    });
    return Create(std::move(window), WS_POPUP | WS_VISIBLE, screen, nullptr);
}

bool SaverWindow::Create(std::unique_ptr<SaverWindow> window, DWORD style, const RECT& rect,
                         HWND parent) {
    if (!RegisterSaverClass(window->module_, &SaverWindow::WindowProc)) return false;
    const HWND created = CreateWindowExW(WS_EX_TOPMOST, WindowClassName, L"", style, rect.left,
                                         rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                         parent, nullptr, window->module_, window.get());
    if (created == nullptr) return false;  // the object goes with the unique_ptr
    window->ownedByWindow_ = true;
    window.release();  // from now on the window's end deletes it
    return true;
}

LRESULT CALLBACK SaverWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SaverWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<SaverWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);

    ++self->handlerDepth_;
    const LRESULT result = self->runs_.InputRules() != nullptr
                               ? self->FullScreenMessage(message, wParam, lParam)
                               : self->SaverMessage(message, wParam, lParam);
    --self->handlerDepth_;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        self->windowGone_ = true;
    }
    if (self->windowGone_ && self->handlerDepth_ == 0 && self->ownedByWindow_) delete self;
    return result;
}

LRESULT SaverWindow::FullScreenMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    CFullScreenSaverWnd& saver = *runs_.InputRules();
    switch (message) {
        case WM_SYSCOMMAND:
            // The low four bits are the system's own.
            if (saver.OnSysCommand(static_cast<std::uint32_t>(wParam & 0xFFF0))) return 0;
            break;
        case WM_SETCURSOR:
            SetCursor(nullptr);
            return TRUE;
        case WM_NCACTIVATE:
            if (wParam == FALSE && saver.RefusesDeactivation()) return FALSE;
            break;
        case WM_ACTIVATE:
            saver.OnActivate(LOWORD(wParam) != WA_INACTIVE);
            break;
        case WM_ACTIVATEAPP:
            saver.OnActivateApp(wParam != FALSE);
            break;
        case WM_MOUSEMOVE:
            saver.OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            break;
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_RBUTTONDOWN:
            saver.OnButtonDown();
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            saver.OnKeyDown();
            break;
        case WM_DISPLAYCHANGE:
            OnDisplayChange();
            break;
        default:
            break;
    }
    return SaverMessage(message, wParam, lParam);
}

LRESULT SaverWindow::SaverMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (DefWindowProcW(window_, message, wParam, lParam) == -1) return -1;
            runs_.Start();
            return 0;
        case WM_SIZE:
            DefWindowProcW(window_, message, wParam, lParam);
            runs_.OnSize(LOWORD(lParam), HIWORD(lParam));
            ResizeCanvas(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == AnimationTimer) {
                runs_.Step();
                UpdateOverlays();
            }
            return 0;
        case WM_ERASEBKGND:
            return OnEraseBackground(reinterpret_cast<HDC>(wParam));
        case ShowHandedMessageMessage:
            ShowHandedMessage();
            return 0;
        case WM_DESTROY:
            // The saver's window is the application's main window: its end ends the program.
            PostQuitMessage(0);
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool SaverWindow::WantsCanvas() const {
    const SaverSettings& settings = runs_.Primary().Window().Settings();
    return settings.look == StitchLook::Thread || settings.playback == Playback::Machine;
}

bool SaverWindow::DrawsOnCanvas() const {
    return canvasReady_ && WantsCanvas();
}

void SaverWindow::ResizeCanvas(int width, int height) {
    if (!WantsCanvas() || window_ == nullptr) return;
    HDC dc = GetDC(window_);
    canvasReady_ = dc != nullptr && canvas_.Resize(dc, width, height);
    if (dc != nullptr) ReleaseDC(window_, dc);
}

LRESULT SaverWindow::OnEraseBackground(HDC dc) {
    RECT client{};
    GetClientRect(window_, &client);
    if (!DrawsOnCanvas()) {
        GdiSurface surface(dc, module_);
        return runs_.Erase(surface, client.right, client.bottom) ? TRUE : FALSE;
    }
    DibSurface canvas(canvas_, module_);
    raster::ChangedArea changed;
    raster::TrackingSurface surface(canvas, changed);
    const bool erased = runs_.Erase(surface, client.right, client.bottom);
    GdiFlush();
    PresentArea(dc, changed);
    return erased ? TRUE : FALSE;
}

// Each box on its own: runs on two monitors change two small places, not the screen between.
void SaverWindow::PresentArea(HDC dc, const raster::ChangedArea& area) {
    for (const raster::PixelBox& box : area.Boxes()) PresentWithOverlays(dc, box);
}

void SaverWindow::PresentWithOverlays(HDC dc, const raster::PixelBox& box) {
    const raster::PixelBox inside =
        raster::Intersection(box, {0, 0, canvas_.Width(), canvas_.Height()});
    if (inside.Empty() || !overlayTrail_.Touches(inside)) return canvas_.Present(dc, box);
    const int width = inside.right - inside.left;
    const int height = inside.bottom - inside.top;
    if (overlayCanvas_.Width() < width || overlayCanvas_.Height() < height) {
        // Grown only, so that a moving needle does not make a bitmap every tick.
        if (!overlayCanvas_.Resize(dc, std::max(width, overlayCanvas_.Width()),
                                   std::max(height, overlayCanvas_.Height()))) {
            return canvas_.Present(dc, box);
        }
    }
    const raster::PixelView from = canvas_.View();
    const raster::PixelView to = overlayCanvas_.View();
    const auto rowBytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(from.pixelBytes);
    for (int y = 0; y < height; ++y) {
        std::memcpy(to.At(0, y), from.At(inside.left, inside.top + y), rowBytes);
    }
    raster::PixelView part = to;
    part.width = width;
    part.height = height;
    raster::PaintOverlays(part, inside.left, inside.top, overlays_);
    overlayCanvas_.PresentCorner(dc, width, height, inside.left, inside.top);
}

void SaverWindow::UpdateOverlays() {
    if (!DrawsOnCanvas() || window_ == nullptr) return;
    overlays_.clear();
    runs_.CollectOverlays(overlays_);
    raster::ChangedArea moved;
    overlayTrail_.Follow(overlays_, moved);
    if (moved.Empty()) return;
    HDC dc = GetDC(window_);
    if (dc == nullptr) return;
    PresentArea(dc, moved);
    ReleaseDC(window_, dc);
}

void SaverWindow::OnDisplayChange() {
    if (!followsDisplay_) return;
    if (window_ != nullptr) runs_.OnLayoutChange(DiscoverMonitors());
}

Surface& SaverWindow::AcquireSurface() {
    ReleaseSurface();
    tickDc_ = GetDC(window_);
    if (DrawsOnCanvas()) {
        canvasChanged_.Clear();
        return canvasTracking_.emplace(canvasSurface_.emplace(canvas_, module_), canvasChanged_);
    }
    surface_.emplace(tickDc_, module_);
    return *surface_;
}

void SaverWindow::ReleaseSurface() {
    if (canvasSurface_) {
        canvasTracking_.reset();
        canvasSurface_.reset();
        GdiFlush();
        if (tickDc_ != nullptr) PresentArea(tickDc_, canvasChanged_);
        canvasChanged_.Clear();
    }
    surface_.reset();  // puts the context's own pen back and deletes ours
    if (tickDc_ != nullptr) ReleaseDC(window_, tickDc_);
    tickDc_ = nullptr;
}

void SaverWindow::InvalidateWithErase() {
    if (window_ != nullptr) InvalidateRect(window_, nullptr, TRUE);
}

void SaverWindow::SetTimer(int periodMs) {
    if (window_ == nullptr) return;
    ::SetTimer(window_, AnimationTimer, static_cast<UINT>(periodMs), nullptr);
}

void SaverWindow::KillTimer() {
    if (window_ != nullptr) ::KillTimer(window_, AnimationTimer);
}

void SaverWindow::PostCloseRequest() {
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
}

ScreenSize SaverWindow::GetScreenSize() const {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

ScreenSize SaverWindow::ClientSize() const {
    RECT client{};
    if (window_ != nullptr) GetClientRect(window_, &client);
    return {client.right, client.bottom};
}

bool SaverWindow::OpenMessage(std::string_view utf8Text, std::string_view utf8Caption,
                              MessageIcon icon) {
    if (window_ == nullptr) return false;
    handed_ = HandedMessage{std::string(utf8Text), std::string(utf8Caption), icon};
    if (PostMessageW(window_, ShowHandedMessageMessage, 0, 0) != FALSE) return true;
    handed_.reset();
    return false;
}

void SaverWindow::ShowHandedMessage() {
    if (!handed_) return;
    const HandedMessage message = std::move(*handed_);
    handed_.reset();
    // Over the full screen the box belongs to the saver and stays above it, so it can be read.
    MessageBoxOptions options;
    if (runs_.InputRules() != nullptr) {
        options.owner = window_;
        options.topmost = true;
    }
    win32::ShowMessageBox(message.text, message.caption, message.icon, options);
    // A window destroyed while the box was up has no runs to go on.
    if (window_ != nullptr) runs_.OnMessageClosed();
}

}  // namespace vireluna::win32
