#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ports/Surface.h"

namespace vireluna::fakes {

enum class SurfaceCallKind { SetPen, SetThreadPen, MoveTo, LineTo, FillRect, DrawLogo, DrawText };

// One call made on a FakeSurface, with its arguments in the order of the Surface operation.
struct SurfaceCall {
    SurfaceCallKind kind = SurfaceCallKind::SetPen;
    // SetPen, SetThreadPen: width. MoveTo, LineTo, DrawLogo, DrawText: x, y. FillRect: left, top,
    // right, bottom.
    std::vector<int> ints;
    ColourValue colour =
        0;             // SetPen, SetThreadPen: pen colour. FillRect: fill. DrawText: background.
    std::string text;  // DrawText only, as are the font fields
    std::string fontFace;
    int fontHeight = 0;
    int fontWeight = 0;
    bool fontItalic = false;
    int fontCharSet = 0;
};

// A straight line as a LineTo drew it: from the current point, with the pen then current.
struct DrawnLine {
    int x0;
    int y0;
    int x1;
    int y1;
    int width;
    ColourValue colour;
    bool operator==(const DrawnLine&) const = default;
};

// A Surface that records every call in order and draws nothing.
class FakeSurface : public Surface {
  public:
    explicit FakeSurface(int verticalDpi = 96) : dpi(verticalDpi) {}

    std::vector<SurfaceCall> calls;
    int dpi;
    ClipRect clip = Unclipped;

    void SetPen(int width, ColourValue colour) override {
        Record(SurfaceCallKind::SetPen, {width}, colour);
    }
    void SetThreadPen(const ThreadPen& pen) override {
        Record(SurfaceCallKind::SetThreadPen, {pen.width}, pen.colour);
    }
    void MoveTo(int x, int y) override { Record(SurfaceCallKind::MoveTo, {x, y}); }
    void LineTo(int x, int y) override { Record(SurfaceCallKind::LineTo, {x, y}); }
    void FillRect(int left, int top, int right, int bottom, ColourValue colour) override {
        Record(SurfaceCallKind::FillRect, {left, top, right, bottom}, colour);
    }
    void DrawLogo(int left, int top) override { Record(SurfaceCallKind::DrawLogo, {left, top}); }
    void DrawText(int x, int y, std::string_view utf8Text, const FontSpec& font,
                  ColourValue background) override {
        SurfaceCall& call = Record(SurfaceCallKind::DrawText, {x, y}, background);
        call.text = utf8Text;
        call.fontFace = font.face;
        call.fontHeight = font.height;
        call.fontWeight = font.weight;
        call.fontItalic = font.italic;
        call.fontCharSet = font.charSet;
    }
    void SetClip(const ClipRect& clip) override { this->clip = clip; }
    int VerticalDpi() const override { return dpi; }

    std::vector<SurfaceCall> CallsOf(SurfaceCallKind kind) const {
        std::vector<SurfaceCall> found;
        for (const SurfaceCall& call : calls) {
            if (call.kind == kind) found.push_back(call);
        }
        return found;
    }

    // The lines drawn, replaying the current point and pen as a display context keeps them.
    std::vector<DrawnLine> Lines() const {
        std::vector<DrawnLine> lines;
        int x = 0;
        int y = 0;
        int width = 0;
        ColourValue colour = 0;
        for (const SurfaceCall& call : calls) {
            switch (call.kind) {
                case SurfaceCallKind::SetPen:
                case SurfaceCallKind::SetThreadPen:  // width in 1/SubpixelScale pixel
                    width = call.ints[0];
                    colour = call.colour;
                    break;
                case SurfaceCallKind::MoveTo:
                    x = call.ints[0];
                    y = call.ints[1];
                    break;
                case SurfaceCallKind::LineTo:
                    lines.push_back({x, y, call.ints[0], call.ints[1], width, colour});
                    x = call.ints[0];
                    y = call.ints[1];
                    break;
                default:
                    break;
            }
        }
        return lines;
    }

    void Clear() { calls.clear(); }

  private:
    SurfaceCall& Record(SurfaceCallKind kind, std::vector<int> ints, ColourValue colour = 0) {
        SurfaceCall& call = calls.emplace_back();
        call.kind = kind;
        call.ints = std::move(ints);
        call.colour = colour;
        return call;
    }
};

}  // namespace vireluna::fakes
