#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

#include "core/design/ThreadPalette.h"
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

// One straight line of stitches in one thread colour.
const ThreadColour& LineThread() {
    return ThreadPalette::Rows()[1];
}
bool WriteLine(const std::wstring& path) {
    pxs::PxsWriter writer({LineThread().number});
    writer.StitchTo(LineStitches * StitchLength, 0);
    writer.End();
    return writer.WriteFile(Narrow(path));
}

// Waits until the saver has drawn the whole line; columns and the pen's thickness as seen.
bool LineDrawn(int& columns, int& thickness) {
    const ThreadColour& thread = LineThread();
    const std::uint32_t rgb = std::uint32_t{thread.red} << 16 | thread.green << 8 | thread.blue;
    // The whole line is drawn once as many columns hold its colour as it is long, less its
    // first step: that leads from the design's origin to the first needle point and is not
    // a line between two stitches.
    constexpr int DrawnLength = LineStitches * StitchLength - pxs::MaxStep;
    return WaitFor([&] {
        thickness = CommonThickness(CaptureScreen(), rgb, columns);
        return columns >= DrawnLength;
    });
}

TEST(SaverAfterSettings, TheSaverDrawsWithTheValuesStoredOnOk) {
    Profile::Clear();
    DesignFolder folder;
    const std::wstring design = folder.FullPath(L"line.pxs");
    ASSERT_TRUE(WriteLine(design));
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

    Saver saver(folder.Path());
    int columns = 0;
    int thickness = 0;
    EXPECT_TRUE(LineDrawn(columns, thickness)) << columns << " columns hold the thread colour";
    EXPECT_EQ(thickness, 3) << "a bold line is 3 pixels thick";
    Profile::Clear();
}

// Windows counts a path in UTF-16 units. Through Japanese folders the longest path the page
// accepts, 259 units in about 700 bytes, is one the saver plays; one character more is
// refused by the page with a message of its own.
TEST(SaverAfterSettings, TheLongestPathThePageAcceptsIsPlayed) {
    constexpr std::size_t LongestPath = 259;
    constexpr std::size_t FolderCharacters = 80;
    const std::wstring embroidery = L"\u523A";
    const std::wstring extension = L".pxs";
    Profile::Clear();
    DesignFolder folder;
    const std::filesystem::path top(folder.FullPath(L"long"));
    const struct Remover {
        std::filesystem::path tree;
        ~Remover() {
            std::error_code ignored;
            std::filesystem::remove_all(tree, ignored);
        }
    } remover{top};
    std::wstring path = top.wstring();
    while (LongestPath - path.size() > FolderCharacters + 1 + extension.size() + 1) {
        path += L"\\";
        for (std::size_t i = 0; i < FolderCharacters; ++i) path += embroidery;
    }
    ASSERT_TRUE(std::filesystem::create_directories(path));
    path += L"\\";
    while (path.size() + extension.size() < LongestPath) path += embroidery;
    const std::wstring longest = path + extension;
    const std::wstring oneMore = path + embroidery + extension;
    ASSERT_EQ(longest.size(), LongestPath);
    ASSERT_TRUE(WriteLine(longest));
    EXPECT_TRUE(WriteLine(oneMore)) << "the longer path holds a design too";
    Profile::SetFile(1, oneMore);
    Profile::SetFile(2, longest);
    // Unturned at full size, so that the line is drawn as long as it is.
    Profile::SetInteger(L"Rotation", 0);
    Profile::SetInteger(L"Reduction", 100);
    {
        SettingsProgram program(folder.Path());
        ASSERT_NE(program.Sheet(), nullptr);
        program.PressOk();
        const auto refusal = program.CloseMessageBox();
        ASSERT_TRUE(refusal.has_value());
        EXPECT_EQ(Narrow(refusal->text),
                  "Could not read the file because its path is too long. (maximum 259 "
                  "characters)\n\n" +
                      Narrow(oneMore));
        program.SelectListEntries({0});
        program.Click(0, 1015);  // "Delete"
        ASSERT_TRUE(WaitFor([&] { return program.ListEntries().size() == 1; }));
        program.PressOk();
        ASSERT_EQ(program.WaitForExit(), 0u);
    }
    ASSERT_EQ(Profile::File(1), longest);

    Saver saver(folder.Path());
    int columns = 0;
    int thickness = 0;
    EXPECT_TRUE(LineDrawn(columns, thickness)) << columns << " columns hold the thread colour";
    Profile::Clear();
}

}  // namespace
}  // namespace vireluna::e2e

#endif
