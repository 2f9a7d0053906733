#include "tools/windriver/Windows.h"

namespace vireluna::e2e {

namespace {

constexpr wchar_t HostClass[] = L"VirelunaE2eHost";
constexpr POINT HostPosition{200, 150};

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterHostClass() {
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = HostProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = HostClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

struct ChildSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindSaverChild(HWND child, LPARAM parameter) {
    auto* search = reinterpret_cast<ChildSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(child, &owner);
    if (owner != search->process) return TRUE;
    search->found = child;
    return FALSE;
}

}  // namespace

PreviewHost::PreviewHost(int clientWidth, int clientHeight) {
    RegisterHostClass();
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN;
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    window_ = CreateWindowExW(0, HostClass, L"Preview host", style, HostPosition.x, HostPosition.y,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    Pump();
}

PreviewHost::~PreviewHost() {
    Destroy();
}

void PreviewHost::Destroy() {
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = nullptr;
    Pump();
}

std::wstring PreviewHost::HandleText() const {
    return std::to_wstring(reinterpret_cast<std::uintptr_t>(window_));
}

RECT PreviewHost::ClientOnScreen() const {
    RECT client{};
    GetClientRect(window_, &client);
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    OffsetRect(&client, origin.x, origin.y);
    return client;
}

HWND PreviewHost::WaitForSaverChild(const SaverProcess& saver, Clock::duration limit) const {
    ChildSearch search{saver.Id(), nullptr};
    WaitUntil(
        [&] {
            EnumChildWindows(window_, FindSaverChild, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr || !saver.Running();
        },
        limit);
    return search.found;
}

OtherWindow::OtherWindow() {
    RegisterHostClass();
    window_ = CreateWindowExW(0, HostClass, L"Another program", WS_OVERLAPPEDWINDOW, 100, 100, 300,
                              200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

OtherWindow::~OtherWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
    Pump();
}

void OtherWindow::Activate() {
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    Pump();
}

}  // namespace vireluna::e2e
