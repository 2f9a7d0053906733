#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "design/ThreadPalette.h"
#include "tests/e2e_settings/SheetDriver.h"
#include "tools/pxs/PxsWriter.h"

#ifdef VIRELUNA_SAVER_SCR

namespace vireluna::e2e {
namespace {

constexpr int OptionPage = 1;
constexpr int BoldButton = 1002;
constexpr int NoRotationButton = 1009;
constexpr int SizeField = 1004;
constexpr int LineStitches = 40;
constexpr int StitchLength = 10;

// What the screen shows now, one 0x00RRGGBB value per pixel.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

Screenshot CaptureScreen() {
    Screenshot shot;
    shot.width = GetSystemMetrics(SM_CXSCREEN);
    shot.height = GetSystemMetrics(SM_CYSCREEN);
    shot.pixels.resize(static_cast<std::size_t>(shot.width) * shot.height);
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < shot.pixels.size(); ++i) shot.pixels[i] = source[i] & 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

// The most common height of the runs of this colour in the columns that hold it: the pen
// width of a horizontal line.
int CommonThickness(const Screenshot& shot, std::uint32_t rgb, int& columns) {
    std::map<int, int> heights;
    columns = 0;
    for (int x = 0; x < shot.width; ++x) {
        int run = 0;
        for (int y = 0; y < shot.height; ++y) {
            if (shot.pixels[static_cast<std::size_t>(y) * shot.width + x] == rgb) ++run;
        }
        if (run > 0) {
            ++heights[run];
            ++columns;
        }
    }
    const auto most = std::max_element(heights.begin(), heights.end(),
                                       [](auto& a, auto& b) { return a.second < b.second; });
    return most == heights.end() ? 0 : most->first;
}

class Saver {
  public:
    explicit Saver(const std::wstring& workingFolder) {
        std::wstring commandLine = L"\"" + WindowsPath(VIRELUNA_SAVER_SCR) + L"\" /s";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingFolder.c_str(), &startup, &process_);
    }
    ~Saver() {
        if (process_.hProcess == nullptr) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, INFINITE);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

  private:
    PROCESS_INFORMATION process_{};
};

TEST(SaverAfterSettings, TheSaverDrawsWithTheValuesStoredOnOk) {
    Profile::Clear();
    DesignFolder folder;
    // One straight line of stitches in one thread colour.
    const ThreadColour& thread = ThreadPalette::Rows()[1];
    pxs::PxsWriter writer({thread.number});
    writer.StitchTo(LineStitches * StitchLength, 0);
    writer.End();
    const std::wstring design = folder.FullPath(L"line.pxs");
    ASSERT_TRUE(writer.WriteFile(Narrow(design)));
    Profile::SetFile(1, design);
    {
        SettingsProgram program(folder.Path());
        ASSERT_NE(program.Sheet(), nullptr);
        ASSERT_TRUE(program.ShowPage(OptionPage));
        PostMessageW(program.Control(OptionPage, BoldButton), BM_CLICK, 0, 0);
        PostMessageW(program.Control(OptionPage, NoRotationButton), BM_CLICK, 0, 0);
        program.SetText(OptionPage, SizeField, L"100");
        ASSERT_TRUE(WaitFor([&] { return program.IsChecked(OptionPage, NoRotationButton); }));
        program.PressOk();
        ASSERT_EQ(program.WaitForExit(), 0u);
    }
    ASSERT_EQ(Profile::Integer(L"PenSize"), 2u);

    const std::uint32_t rgb = std::uint32_t{thread.red} << 16 | thread.green << 8 | thread.blue;
    Saver saver(folder.Path());
    // The whole line is drawn once as many columns hold its colour as it is long, less its
    // first step: that leads from the design's origin to the first needle point and is not
    // a line between two stitches.
    constexpr int DrawnLength = LineStitches * StitchLength - pxs::MaxStep;
    int columns = 0;
    int thickness = 0;
    const bool drawn = WaitFor([&] {
        thickness = CommonThickness(CaptureScreen(), rgb, columns);
        return columns >= DrawnLength;
    });
    EXPECT_TRUE(drawn) << columns << " columns hold the thread colour";
    EXPECT_EQ(thickness, 3) << "a bold line is 3 pixels thick";
    Profile::Clear();
}

}  // namespace
}  // namespace vireluna::e2e

#endif
