#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

#include "core/ports/ColourValue.h"

namespace vireluna {

struct FontSpec {
    std::string_view face;
    int height;  // negative: character height in pixels, as a display font request
    int weight;  // 400 normal, 700 bold
    bool italic;
    int charSet;
};

// The emblem a surface copies with DrawLogo, in pixels.
inline constexpr int LogoWidth = 96;
inline constexpr int LogoHeight = 109;

// A thread's width is given in these fractions of a pixel.
inline constexpr int SubpixelScale = 256;

// A thread as the thread look lays it: a band width in 1/SubpixelScale pixel (at least one
// pixel), the thread's colour, and the colour of the field its shadow falls on.
struct ThreadPen {
    int width;
    ColourValue colour;
    ColourValue field;
};

// A rectangle [left, right) x [top, bottom) of the client area that drawing is confined to.
struct ClipRect {
    int left;
    int top;
    int right;
    int bottom;
    bool operator==(const ClipRect&) const = default;
};
inline constexpr ClipRect Unclipped{
    std::numeric_limits<int>::min(), std::numeric_limits<int>::min(),
    std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};

// A drawing context for one tick or one erase.
class Surface {
  public:
    virtual ~Surface() = default;
    // Makes a solid pen of the given width (pixels) and colour current for the lines that follow.
    virtual void SetPen(int width, ColourValue colour) = 0;
    // Makes a thread current instead: each LineTo then lays a shaded band with its shadow.
    virtual void SetThreadPen(const ThreadPen& pen) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line from the current point to (x, y) with the current pen; (x, y) becomes current.
    virtual void LineTo(int x, int y) = 0;
    // Fills [left, right) x [top, bottom) with one colour.
    virtual void FillRect(int left, int top, int right, int bottom, ColourValue colour) = 0;
    // Copies the LogoWidth x LogoHeight logo unscaled with its top-left corner at (left, top).
    virtual void DrawLogo(int left, int top) = 0;
    // One line of text, top-left at (x, y), black on an opaque background.
    virtual void DrawText(int x, int y, std::string_view utf8Text, const FontSpec& font,
                          ColourValue background) = 0;
    // Confines the drawing that follows to the rectangle (one monitor's part of a window that
    // spans several); Unclipped lifts it again.
    virtual void SetClip(const ClipRect& clip) = 0;
    // Vertical pixels per inch.
    virtual int VerticalDpi() const = 0;
};

}  // namespace vireluna
