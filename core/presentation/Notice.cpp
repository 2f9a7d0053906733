#include "core/presentation/Notice.h"
#include "core/presentation/Background.h"
#include "core/presentation/NoticeFont.h"
#include "core/presentation/Rounding.h"

namespace vireluna {
namespace {

// The notice starts at a random multiple of this many pixels.
constexpr int NoticeStepPixels = 10;
// Distance of the top of the text from the bottom screen edge.
constexpr int NoticeBottomOffset = 30;

constexpr std::string_view NoticeFace = "Arial";
constexpr int NoticePoints = 10;
constexpr int PointsPerInch = 72;
constexpr int BoldWeight = 700;
constexpr int AnsiCharSet = 0;

}  // namespace

FontSpec NoticeFont(int verticalDpi) {
    // Negative: a character height, not a cell height.
    const int height = -MulDiv(NoticePoints, verticalDpi, PointsPerInch);
    return {NoticeFace, height, BoldWeight, true, AnsiCharSet};
}

void DrawNotice(Surface& surface, ScreenSize screen, std::int32_t noticeRange, Random& random) {
    // The draw is made even where the screen leaves no range, so the sequence keeps its shape.
    const int r = random.Next();
    const int x = noticeRange > 0 ? r % noticeRange / NoticeStepPixels * NoticeStepPixels : 0;
    const int y = screen.height - NoticeBottomOffset;
    surface.DrawText(x, y, NoticeText, NoticeFont(surface.VerticalDpi()), BackgroundColour);
}

}  // namespace vireluna
