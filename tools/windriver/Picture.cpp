#include "tools/windriver/Picture.h"

#include <filesystem>
#include <fstream>

#include "tools/windriver/TestPaths.h"

namespace vireluna::e2e {

namespace {

constexpr int Channels = 3;
constexpr int BitsPerCapturedPixel = 32;
constexpr int MaxPpmSample = 255;

}  // namespace

Picture::Picture(int width, int height)
    : width_(width), height_(height), rgb_(static_cast<std::size_t>(width) * height * Channels) {}

Colour Picture::At(int x, int y) const {
    const std::size_t offset = (static_cast<std::size_t>(y) * width_ + x) * Channels;
    return {rgb_[offset], rgb_[offset + 1], rgb_[offset + 2]};
}

void Picture::Set(int x, int y, Colour colour) {
    const std::size_t offset = (static_cast<std::size_t>(y) * width_ + x) * Channels;
    rgb_[offset] = colour.red;
    rgb_[offset + 1] = colour.green;
    rgb_[offset + 2] = colour.blue;
}

Picture Picture::FromScreen() {
    return FromScreen(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

Picture Picture::FromScreen(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    Picture picture(width, height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = BitsPerCapturedPixel;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* bgrx = static_cast<const std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* pixel = bgrx + (static_cast<std::size_t>(y) * width + x) * 4;
            picture.Set(x, y, {pixel[2], pixel[1], pixel[0]});
        }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

Picture Picture::ReadPpm(const std::string& path) {
    std::ifstream file(std::filesystem::path(WindowsPath(path)), std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    if (!(file >> magic >> width >> height >> maximum) || magic != "P6" || width <= 0 ||
        height <= 0 || maximum != MaxPpmSample)
        return {};
    file.get();  // the one blank after the header
    Picture picture(width, height);
    if (!file.read(reinterpret_cast<char*>(picture.rgb_.data()),
                   static_cast<std::streamsize>(picture.rgb_.size())))
        return {};
    return picture;
}

bool Picture::WritePpm(const std::string& path) const {
    std::ofstream file(std::filesystem::path(WindowsPath(path)), std::ios::binary);
    file << "P6\n" << width_ << ' ' << height_ << "\n" << MaxPpmSample << "\n";
    file.write(reinterpret_cast<const char*>(rgb_.data()),
               static_cast<std::streamsize>(rgb_.size()));
    return static_cast<bool>(file);
}

}  // namespace vireluna::e2e
