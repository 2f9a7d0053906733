#include "tools/windriver/SaverResources.h"

#include <windows.h>

#include "core/design/Design.h"
#include "core/design/formats/PxsReader.h"
#include "systems/win32/Win32InputFile.h"
#include "tools/windriver/TestPaths.h"

namespace vireluna::e2e {

namespace {

constexpr int EmblemBitmapId = 132;
constexpr int FullSize = 100;  // Reduction in percent that leaves the colours as they are

}  // namespace

Picture EmblemOfSaver() {
    HMODULE saver = LoadLibraryExW(WindowsPath(Paths().saver).c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (saver == nullptr) return {};
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(saver, MAKEINTRESOURCEW(EmblemBitmapId), IMAGE_BITMAP, 0, 0, 0));
    Picture emblem;
    if (bitmap != nullptr) {
        BITMAP shape{};
        GetObjectW(bitmap, sizeof shape, &shape);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = shape.bmWidth;
        info.bmiHeader.biHeight = -shape.bmHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        std::vector<std::uint8_t> bgrx(static_cast<std::size_t>(shape.bmWidth) * shape.bmHeight *
                                       4);
        HDC screen = GetDC(nullptr);
        GetDIBits(screen, bitmap, 0, shape.bmHeight, bgrx.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        emblem = Picture(shape.bmWidth, shape.bmHeight);
        for (int y = 0; y < shape.bmHeight; ++y) {
            for (int x = 0; x < shape.bmWidth; ++x) {
                const std::uint8_t* pixel =
                    &bgrx[(static_cast<std::size_t>(y) * shape.bmWidth + x) * 4];
                emblem.Set(x, y, {pixel[2], pixel[1], pixel[0]});
            }
        }
        DeleteObject(bitmap);
    }
    FreeLibrary(saver);
    return emblem;
}

std::set<std::uint32_t> ThreadColours(const std::wstring& windowsPath) {
    Design design;
    design.records = AllocateStitchArray();
    std::set<std::uint32_t> colours;
    Win32InputFile file;
    if (!LoadDesign(file, Narrow(windowsPath).c_str(), FullSize, design)) return colours;
    for (int i = 0; i < design.colourCount; ++i) {
        const ColourValue value = design.colours[static_cast<std::size_t>(i)];
        colours.insert(Packed({static_cast<std::uint8_t>(value & 0xFF),
                               static_cast<std::uint8_t>((value >> 8) & 0xFF),
                               static_cast<std::uint8_t>((value >> 16) & 0xFF)}));
    }
    return colours;
}

std::uint32_t Packed(Colour colour) {
    return (std::uint32_t{colour.red} << 16) | (std::uint32_t{colour.green} << 8) | colour.blue;
}

}  // namespace vireluna::e2e
