#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vireluna::e2e {

struct Colour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const Colour&) const = default;
};

// The saver's background: red 190, green 215, blue 255.
inline constexpr Colour Background{190, 215, 255};

// An RGB picture, row by row from the top.
class Picture {
  public:
    Picture() = default;
    Picture(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    Colour At(int x, int y) const;
    void Set(int x, int y, Colour colour);
    bool operator==(const Picture&) const = default;

    // The screen as it is now, or a part of it (screen coordinates).
    static Picture FromScreen();
    static Picture FromScreen(const RECT& area);
    // Binary PPM (P6) at a Unix path, as ImageMagick writes it; an empty picture on any fault.
    static Picture ReadPpm(const std::string& path);
    bool WritePpm(const std::string& path) const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> rgb_;
};

}  // namespace vireluna::e2e
