#include "tests/e2e_win32/driver/SaverTest.h"

#include "tools/windriver/Input.h"
#include "tools/windriver/SaverProfile.h"
#include "tools/windriver/TestPaths.h"

namespace vireluna::e2e {

std::wstring SampleDesign(const std::string& name) {
    return WindowsPath(Paths().designs + "/" + name);
}

std::wstring TestDesign(const std::string& name) {
    return WindowsPath(Paths().testDesigns + "/" + name);
}

void SaverTest::SetUp() {
    ASSERT_FALSE(Paths().saver.empty()) << "VIRELUNA_E2E_SAVER names no saver";
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), ExpectedScreenWidth);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), ExpectedScreenHeight);
    SaverProfile::Reset();
    input::MoveTo(PointerRest.x, PointerRest.y);
}

void SaverTest::TearDown() {
    for (const auto& run : runs_) {
        EXPECT_FALSE(run->Running()) << "a saver was still running at the end of the test";
    }
    runs_.clear();  // ends by force what is left
    SaverProfile::Reset();
}

SaverProcess& SaverTest::Start(const std::wstring& arguments,
                               const std::map<std::string, std::string>& environment) {
    runs_.push_back(std::make_unique<SaverProcess>(arguments, environment));
    EXPECT_TRUE(runs_.back()->Started()) << "cannot start " << Paths().saver;
    return *runs_.back();
}

HWND SaverTest::StartFullScreen(const std::map<std::string, std::string>& environment) {
    SaverProcess& saver = Start(L"/s", environment);
    HWND window = saver.WaitForWindow(L"");
    EXPECT_NE(window, nullptr) << "no full-screen window appeared";
    return window;
}

bool SaverTest::Settle(HWND window) {
    // A sent message is handled at the thread's next look at its queue, before any input or
    // posted message: the first lands before the queued input, the second after it has been
    // handled, the third after the close request that input may have posted.
    constexpr int Rounds = 3;
    constexpr UINT ReplyLimitMs = 5000;
    for (int round = 0; round < Rounds; ++round) {
        DWORD_PTR result = 0;
        if (!IsWindow(window) ||
            !SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, ReplyLimitMs, &result))
            return false;
    }
    return IsWindow(window) != FALSE;
}

bool SaverTest::ScreenKeepsChanging(int times, Clock::duration limit) {
    Picture last = Picture::FromScreen();
    int changes = 0;
    return WaitUntil(
        [&] {
            Picture now = Picture::FromScreen();
            if (!(now == last)) {
                ++changes;
                last = std::move(now);
            }
            return changes >= times;
        },
        limit);
}

void SaverTest::KeepForInspection(const Picture& picture, const std::string& name) {
    if (Paths().output.empty()) return;
    CreateDirectoryW(WindowsPath(Paths().output).c_str(), nullptr);
    picture.WritePpm(Paths().output + "/" + name + ".ppm");
}

}  // namespace vireluna::e2e
