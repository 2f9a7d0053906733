#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tools/windriver/Deadline.h"
#include "tools/windriver/Picture.h"
#include "tools/windriver/SaverProcess.h"

namespace vireluna::e2e {

inline constexpr int ExpectedScreenWidth = 1024;
inline constexpr int ExpectedScreenHeight = 768;
// Where the pointer waits while a saver starts: away from every corner and from the notice.
inline constexpr POINT PointerRest{600, 400};

// A design of the bundled samples or of the test designs, as the saver names it.
std::wstring SampleDesign(const std::string& name);
std::wstring TestDesign(const std::string& name);

// Every test starts from an empty profile, the pointer at rest and no saver on the screen.
class SaverTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the saver; the run is ended by force at tear-down if a test leaves it running.
    SaverProcess& Start(const std::wstring& arguments,
                        const std::map<std::string, std::string>& environment = {});
    // Starts "/s" and waits for its window; fails the test when none comes.
    HWND StartFullScreen(const std::map<std::string, std::string>& environment = {});

    // Lets the saver's window handle everything queued for it so far, including a close request
    // that its input handling posts; false when the window is gone by then.
    static bool Settle(HWND window);
    // True when the screen changed `times` times, one after the other: then the saver has
    // handled every input given before this call and drawn on.
    static bool ScreenKeepsChanging(int times = 3, Clock::duration limit = 10s);
    // Leaves a picture in the output folder for a failing test to be looked at.
    static void KeepForInspection(const Picture& picture, const std::string& name);

    std::vector<std::unique_ptr<SaverProcess>> runs_;
};

}  // namespace vireluna::e2e
