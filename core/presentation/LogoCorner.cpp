#include "core/presentation/LogoCorner.h"

namespace vireluna {
namespace {

// Distances of the logo from the screen edges: the bottom margin leaves room for the notice.
constexpr int LogoSideMargin = 10;
constexpr int LogoTopMargin = 10;
constexpr int LogoBottomMargin = 40;

}  // namespace

void SetLogoCorner(int corner, ScreenSize screen, LogoState& logo) {
    const int farLeft = screen.width - LogoSideMargin - LogoWidth;
    const int lowTop = screen.height - LogoBottomMargin - LogoHeight;
    Rect& rect = logo.logoRect;
    switch (corner) {
        case LogoTopRight:
            rect.left = farLeft;
            rect.top = LogoTopMargin;
            break;
        case LogoBottomRight:
            rect.left = farLeft;
            rect.top = lowTop;
            break;
        case LogoBottomLeft:
            rect.left = LogoSideMargin;
            rect.top = lowTop;
            break;
        default:  // top left, also for a number that names no corner
            corner = LogoTopLeft;
            rect.left = LogoSideMargin;
            rect.top = LogoTopMargin;
            break;
    }
    logo.logoCorner = corner;
    rect.right = rect.left + LogoWidth;
    rect.bottom = rect.top + LogoHeight;
}

void DrawLogo(Surface& surface, const LogoState& logo) {
    surface.DrawLogo(logo.logoRect.left, logo.logoRect.top);
}

}  // namespace vireluna
