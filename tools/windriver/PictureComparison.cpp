#include "tools/windriver/PictureComparison.h"

#include <algorithm>
#include <cstdlib>

namespace vireluna::e2e {

namespace {

// The notice's top is 30 pixels above the bottom edge; its 10-point italic text stays within
// a few pixels of that line and above the bottom edge.
constexpr int NoticeTopFromBottom = 30;
constexpr int NoticeBandSlack = 4;
constexpr int BlendTolerance = 3;  // per channel, for rounding in the smoothing

bool IsTextInk(Colour colour) {
    if (colour == Background) return false;
    // Smoothed black text on the background is the background scaled down evenly.
    const double share = colour.green / static_cast<double>(Background.green);
    return std::abs(colour.red - Background.red * share) <= BlendTolerance &&
           std::abs(colour.blue - Background.blue * share) <= BlendTolerance;
}

void Extend(RECT& box, bool& found, int x, int y) {
    if (!found) {
        box = {x, y, x + 1, y + 1};
        found = true;
        return;
    }
    box.left = std::min<LONG>(box.left, x);
    box.top = std::min<LONG>(box.top, y);
    box.right = std::max<LONG>(box.right, x + 1);
    box.bottom = std::max<LONG>(box.bottom, y + 1);
}

bool Inside(const RECT& box, int x, int y) {
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}

}  // namespace

NoticeBox FindNotice(const Picture& first, const Picture& second) {
    NoticeBox notice;
    const int bandTop = std::max(0, first.Height() - NoticeTopFromBottom - NoticeBandSlack);
    for (const Picture* picture : {&first, &second}) {
        for (int y = bandTop; y < picture->Height(); ++y)
            for (int x = 0; x < picture->Width(); ++x)
                if (IsTextInk(picture->At(x, y))) Extend(notice.area, notice.found, x, y);
    }
    return notice;
}

PictureDifference Compare(const Picture& shown, const Picture& expected, bool maskNotice) {
    PictureDifference difference;
    if (maskNotice) difference.notice = FindNotice(shown, expected);
    const RECT& box = difference.notice.area;
    if (difference.notice.found)
        difference.noticeArea = (box.right - box.left) * (box.bottom - box.top);
    for (int y = 0; y < shown.Height(); ++y) {
        for (int x = 0; x < shown.Width(); ++x) {
            if (shown.At(x, y) == expected.At(x, y)) continue;
            if (difference.notice.found && Inside(box, x, y)) {
                ++difference.insideNotice;
                const Colour a = shown.At(x, y);
                const Colour b = expected.At(x, y);
                difference.largestNoticeStep =
                    std::max({difference.largestNoticeStep, std::abs(a.red - b.red),
                              std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
            } else {
                ++difference.outsideNotice;
            }
        }
    }
    return difference;
}

}  // namespace vireluna::e2e
