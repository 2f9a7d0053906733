#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ports/MemoryProfileStore.h"
#include "core/settings/SaverSettings.h"
#include "drivers/win32/SaverWindow.h"
#include "systems/win32/Win32FileSystem.h"
#include "tools/pxs/PxsWriter.h"

namespace vireluna::win32 {
namespace {

constexpr wchar_t SaverClass[] = L"VirelunaSaverWindow";
constexpr wchar_t HostClass[] = L"VirelunaTestHost";
constexpr COLORREF Background = RGB(190, 215, 255);
constexpr COLORREF EmblemField = RGB(198, 222, 255);
constexpr DWORD DeadlineMs = 10000;
constexpr POINT PointerRest{500, 400};
constexpr std::uint32_t Seed = 3;

struct Quit {
    bool posted = false;
    int code = -1;
};

// Dispatches this thread's messages until the condition holds or the deadline passes; a quit
// message is kept aside for the test to look at.
template <typename Condition>
bool PumpUntil(Condition condition, Quit* quit = nullptr, DWORD deadline = DeadlineMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                if (quit != nullptr) *quit = {true, static_cast<int>(message.wParam)};
                continue;
            }
            DispatchMessageW(&message);
        }
        if (condition()) return true;
        if (GetTickCount() - start >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// For checks that something does not happen: the window's messages run for a while.
void PumpFor(DWORD milliseconds) {
    PumpUntil([] { return false; }, nullptr, milliseconds);
}

// Pixels of the colour on a grid of the given step over the client area.
int CountInClient(HWND window, COLORREF colour, int step = 3) {
    RECT client{};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    int count = 0;
    for (int y = 0; y < client.bottom; y += step) {
        for (int x = 0; x < client.right; x += step) {
            count += GetPixel(dc, x, y) == colour ? 1 : 0;
        }
    }
    ReleaseDC(window, dc);
    return count;
}

// The saver's window in this process, over a playlist of one short design.
class SaverWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        design = (std::filesystem::temp_directory_path() / "vireluna_window_test.pxs").string();
        pxs::PxsWriter writer;
        for (int i = 0; i < 30; ++i) writer.Move(4, 3);
        writer.End();
        ASSERT_TRUE(writer.WriteFile(design));
        profile.WriteString(FileListSection, PlaylistEntryName(1), design);
        profile.WriteInteger(ConfigSection, "DrawSpeed", 1);
        profile.WriteInteger(ConfigSection, "HoldTime", 0);
        profile.WriteInteger(ConfigSection, "Rotation", 0);
    }
    void TearDown() override {
        for (HWND window : {FindWindowW(SaverClass, nullptr), host}) {
            if (window != nullptr && IsWindow(window)) DestroyWindow(window);
        }
        Quit ignored;
        PumpUntil([] { return FindWindowW(SaverClass, nullptr) == nullptr; }, &ignored);
        std::error_code error;
        std::filesystem::remove(design, error);
    }

    HWND StartFullScreen(std::optional<std::int64_t> ticks) {
        // The real pointer sends its own moves: it rests where the synthetic ones begin.
        SetCursorPos(PointerRest.x, PointerRest.y);
        EXPECT_TRUE(SaverWindow::CreateFullScreen(profile, files, {Seed, ticks}));
        return FindWindowW(SaverClass, nullptr);
    }
    HWND StartPreview(std::optional<std::int64_t> ticks) {
        WNDCLASSW hostClass{};
        hostClass.lpfnWndProc = DefWindowProcW;
        hostClass.hInstance = GetModuleHandleW(nullptr);
        hostClass.lpszClassName = HostClass;
        RegisterClassW(&hostClass);  // fails harmlessly once registered
        host = CreateWindowExW(0, HostClass, L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40,
                               40, 152, 112, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(host, nullptr);
        EXPECT_TRUE(SaverWindow::CreatePreview(host, profile, files, {Seed, ticks}));
        return GetWindow(host, GW_CHILD);
    }
    // The window is gone and the message loop was told to end, with code 0.
    bool EndsCleanly(HWND saver) {
        Quit quit;
        return PumpUntil([&] { return !IsWindow(saver) && quit.posted; }, &quit) && quit.code == 0;
    }

    std::string design;
    MemoryProfileStore profile;
    win32::Win32FileSystem files;
    HWND host = nullptr;
};

// Every monitor: the system's own virtual screen, however many monitors it holds.
TEST_F(SaverWindowTest, FullScreenIsATopmostUntitledPopupCoveringTheVirtualScreen) {
    const HWND saver = StartFullScreen(0);
    ASSERT_NE(saver, nullptr);
    RECT rect{};
    GetWindowRect(saver, &rect);
    EXPECT_EQ(rect.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(rect.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_TRUE(GetWindowLongW(saver, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongW(saver, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(GetWindowTextLengthW(saver), 0);
    EXPECT_EQ(GetClassLongPtrW(saver, GCLP_HBRBACKGROUND), 0);
    EXPECT_EQ(GetClassLongPtrW(saver, GCLP_HICON), 0);
    EXPECT_EQ(GetClassLongW(saver, GCL_STYLE), static_cast<DWORD>(CS_HREDRAW | CS_VREDRAW));
}

TEST_F(SaverWindowTest, TicksDrawUntilTheTickLimitAndThePictureThenStays) {
    const HWND saver = StartFullScreen(3);
    ASSERT_NE(saver, nullptr);
    // The first tick draws the emblem over the erased background.
    ASSERT_TRUE(PumpUntil([&] { return CountInClient(saver, EmblemField) > 50; }));
    PumpFor(100);
    const int background = CountInClient(saver, Background);
    EXPECT_GT(background, 0);
    PumpFor(300);  // thirty periods of the 10 ms timer
    EXPECT_EQ(CountInClient(saver, Background), background);
}

TEST_F(SaverWindowTest, SystemCommandsToSaveOrCloseAndOtherQuietMessagesKeepIt) {
    const HWND saver = StartFullScreen(0);
    EXPECT_EQ(SendMessageW(saver, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(SendMessageW(saver, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
    EXPECT_EQ(SendMessageW(saver, WM_SETCURSOR, reinterpret_cast<WPARAM>(saver),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(SendMessageW(saver, WM_NCACTIVATE, FALSE, 0), FALSE);
    SendMessageW(saver, WM_KEYUP, 'A', 0);
    SendMessageW(saver, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(500, 400));
    // A display change that leaves the monitors where they were.
    SendMessageW(saver, WM_DISPLAYCHANGE, 32,
                 MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    PumpFor(100);
    EXPECT_TRUE(IsWindow(saver));
}

// Its input is the end-to-end preview test's: real input, from outside the process.
TEST_F(SaverWindowTest, ThePreviewCoversTheHostDrawsWithoutEmblemAndEndsWithTheHost) {
    const HWND saver = StartPreview(std::nullopt);
    ASSERT_NE(saver, nullptr);
    RECT hostClient{};
    RECT client{};
    GetClientRect(host, &hostClient);
    GetClientRect(saver, &client);
    EXPECT_EQ(client.right, hostClient.right);
    EXPECT_EQ(client.bottom, hostClient.bottom);
    EXPECT_TRUE(GetWindowLongW(saver, GWL_STYLE) & WS_CHILD);
    // Stitches appear on the background, but no emblem: its light-blue field never shows.
    const int area = client.right * client.bottom;
    EXPECT_TRUE(PumpUntil([&] {
        const int background = CountInClient(saver, Background, 1);
        return background > area / 2 && background < area;
    }));
    EXPECT_EQ(CountInClient(saver, EmblemField, 1), 0);
    DestroyWindow(host);
    EXPECT_TRUE(EndsCleanly(saver));
}

}  // namespace
}  // namespace vireluna::win32
