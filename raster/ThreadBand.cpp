#include "raster/ThreadBand.h"

#include <algorithm>
#include <cmath>

#include "raster/IntegerRoot.h"

namespace vireluna::raster {
namespace {

// Fixed point: 256 is one pixel, and 256 is a factor of 1.
constexpr int One = SubpixelScale;
constexpr int Half = One / 2;
constexpr int ByteBits = 8;
constexpr ColourValue ByteMask = 0xFF;
constexpr int MaxChannel = 255;

// Light across the band, from the centre line (u = 0) to the edge (u = One): a round
// thread lit from the front, with this share of its colour left at the very edge ...
constexpr int EdgeLight = 100;
// ... and a narrow sheen along the top that mixes in up to this share of white, so that
// a black thread shines too. The power sets how narrow it is.
constexpr int SheenPeak = 96;
constexpr int SheenPower = 6;
// At a needle hole the band keeps this share of its light.
constexpr int HoleLight = 120;
// The needle hole darkens the band over 5/4 of its width, and at least 1.5 pixels.
constexpr int HoleLengthPerWidth = 5;
constexpr int HoleLengthDivisor = 4;
constexpr int ShortestHole = One + Half;
// The shadow: offset by 3/8 of the width to the right and 1/2 down, at least a quarter
// pixel; its edge blurred over half the width, at least one pixel.
constexpr int ShadowDxPerWidth = 3;
constexpr int ShadowDxDivisor = 8;
constexpr int ShadowDyDivisor = 2;
constexpr int SmallestShadowOffset = One / 4;
constexpr int ShadowSoftDivisor = 2;
// The deepest shadow takes this share of the field's brightness, and this share of the
// brightness of thread (or anything else) it falls on.
constexpr int ShadowOnField = 84;
constexpr int ShadowOnThread = 64;
// Stitch ends are kept this many pixels around a frame of the picture, so that all the
// arithmetic of a stitch fits in 64 bits whatever coordinates a design holds. The frame is
// the same whatever part of the picture is drawn (it holds any screen, whose sides stay
// below 2^15 pixels), so that a moved end moves the band alike in every part; a view
// reaching beyond it widens it.
constexpr std::int64_t ClipMargin = 4096;
constexpr std::int64_t FrameSide = std::int64_t{1} << 16;

struct CrossProfile {
    std::array<int, One + 1> light{};
    std::array<int, One + 1> sheen{};
};

const CrossProfile& Profile() {
    static const CrossProfile profile = [] {
        CrossProfile built;
        for (int u = 0; u <= One; ++u) {
            // How much the thread's surface faces the viewer at this distance from its axis.
            const int facing = static_cast<int>(SquareRootBelow(One * One - u * u));
            built.light[u] = EdgeLight + (One - EdgeLight) * facing / One;
            int power = One;
            for (int i = 0; i < SheenPower; ++i) power = power * facing / One;
            built.sheen[u] = SheenPeak * power / One;
        }
        return built;
    }();
    return profile;
}

int Smooth(int s) {  // 0 .. One, eased at both ends
    return s * s / One * (3 * One - 2 * s) / One;
}

int ChannelOf(ColourValue colour, int index) {
    return static_cast<int>((colour >> (ByteBits * index)) & ByteMask);
}

}  // namespace

struct ThreadBand::Segment {
    std::int64_t x0;  // start, whole pixels
    std::int64_t y0;
    std::int64_t dx;  // to the end, whole pixels
    std::int64_t dy;
    std::int64_t lengthSquared;  // square pixels
    std::int64_t length;         // 1/256 pixel

    // Distance and position along the stitch of a point given relative to its start, in
    // 1/256 pixel. False when the point lies farther than limit from the stitch.
    bool Measure(std::int64_t ax, std::int64_t ay, std::int64_t limit, std::int64_t& distance,
                 std::int64_t& along) const {
        const std::int64_t dot = ax * dx + ay * dy;
        if (lengthSquared == 0 || dot <= 0) {
            const std::int64_t squared = ax * ax + ay * ay;
            if (squared >= limit * limit) return false;
            distance = SquareRootBelow(squared);
            along = 0;
        } else if (dot >= lengthSquared * One) {
            const std::int64_t ex = ax - dx * One;
            const std::int64_t ey = ay - dy * One;
            const std::int64_t squared = ex * ex + ey * ey;
            if (squared >= limit * limit) return false;
            distance = SquareRootBelow(squared);
            along = length;
        } else {
            const std::int64_t cross = std::abs(ax * dy - ay * dx);
            if (cross * One > limit * length) return false;
            distance = cross * One / length;
            along = dot * One / length;
        }
        return distance < limit;
    }

    // The columns [first, end) of box where row ay (relative to the start, 1/256 pixel) may
    // hold points within limit of the stitch, once shifted right by offsetX: those near the
    // stretch of the stitch within limit of the row, vertically.
    void RowSpan(std::int64_t ay, std::int64_t offsetX, std::int64_t limit, const PixelBox& box,
                 int& first, int& end) const {
        first = box.left;
        end = box.left;
        const std::int64_t rise = dy * One;
        const std::int64_t low = std::max(ay - limit, std::min<std::int64_t>(0, rise));
        const std::int64_t high = std::min(ay + limit, std::max<std::int64_t>(0, rise));
        if (low > high) return;
        std::int64_t left = std::min<std::int64_t>(0, dx * One);
        std::int64_t right = std::max<std::int64_t>(0, dx * One);
        if (dy != 0) {
            const std::int64_t atLow = dx * low / dy;
            const std::int64_t atHigh = dx * high / dy;
            left = std::min(atLow, atHigh) - One;  // a pixel for the divisions' rounding
            right = std::max(atLow, atHigh) + One;
        }
        const auto column = [this](std::int64_t q8) {
            return x0 + (q8 >= 0 ? q8 / One : -((-q8 + One - 1) / One));
        };
        first = static_cast<int>(
            std::clamp<std::int64_t>(column(left - limit + offsetX) - 1, box.left, box.right));
        end = static_cast<int>(
            std::clamp<std::int64_t>(column(right + limit + offsetX) + 2, box.left, box.right));
    }
};

ThreadBand::ThreadBand(const ThreadPen& pen) {
    const int width = std::max(pen.width, One);
    halfWidth_ = width / 2;
    shadowDx_ = std::max(width * ShadowDxPerWidth / ShadowDxDivisor, SmallestShadowOffset);
    shadowDy_ = std::max(width / ShadowDyDivisor, SmallestShadowOffset);
    shadowSoft_ = std::max(width / ShadowSoftDivisor, One);
    holeLength_ = std::max(width * HoleLengthPerWidth / HoleLengthDivisor, ShortestHole);
    const int bandReach = halfWidth_ + Half;
    const int shadowReach = halfWidth_ + shadowSoft_ / 2 + std::max(shadowDx_, shadowDy_);
    reach_ = (std::max(bandReach, shadowReach) + One - 1) / One + 1;

    thread_ = {ChannelOf(pen.colour, 0), ChannelOf(pen.colour, 1), ChannelOf(pen.colour, 2)};
    const Rgb field{ChannelOf(pen.field, 0), ChannelOf(pen.field, 1), ChannelOf(pen.field, 2)};
    fieldBrightest_ = std::max({field.red, field.green, field.blue});
    deepestShade_ = std::min(fieldBrightest_ * ShadowOnField / One, MaxShadeSteps - 1);
    const auto darken = [this](int channel, int shade) {
        const int kept = fieldBrightest_ - shade;
        return (2 * channel * kept + fieldBrightest_) / (2 * fieldBrightest_);
    };
    for (int shade = 0; shade <= deepestShade_ && fieldBrightest_ > 0; ++shade) {
        shades_[shade] = {darken(field.red, shade), darken(field.green, shade),
                          darken(field.blue, shade)};
    }
}

PixelBox ThreadBand::Lay(const PixelView& view, int viewLeft, int viewTop, int x0, int y0, int x1,
                         int y1) const {
    // Keep the ends near the frame, in the picture's coordinates; a stitch that misses it
    // changes nothing.
    const auto low = [](int viewStart) {
        return static_cast<double>(std::min<std::int64_t>(0, viewStart) - ClipMargin);
    };
    const auto high = [](int viewStart, int viewSide) {
        return static_cast<double>(
            std::max<std::int64_t>(FrameSide, std::int64_t{viewStart} + viewSide) + ClipMargin);
    };
    const double lowX = low(viewLeft);
    const double lowY = low(viewTop);
    const double highX = high(viewLeft, view.width);
    const double highY = high(viewTop, view.height);
    double fromX = x0, fromY = y0, toX = x1, toY = y1;
    const auto inside = [&](double x, double y) {
        return x >= lowX && x <= highX && y >= lowY && y <= highY;
    };
    if (!inside(fromX, fromY) || !inside(toX, toY)) {
        double first = 0.0;
        double last = 1.0;
        const double deltaX = toX - fromX;
        const double deltaY = toY - fromY;
        const auto keep = [&](double towardInside, double room) {
            if (towardInside == 0.0) return room >= 0.0;
            const double t = room / towardInside;
            if (towardInside < 0.0) {
                first = std::max(first, t);
            } else {
                last = std::min(last, t);
            }
            return first <= last;
        };
        if (!keep(-deltaX, fromX - lowX) || !keep(deltaX, highX - fromX) ||
            !keep(-deltaY, fromY - lowY) || !keep(deltaY, highY - fromY)) {
            return {};
        }
        const double startX = fromX + first * deltaX;
        const double startY = fromY + first * deltaY;
        toX = std::round(fromX + last * deltaX);
        toY = std::round(fromY + last * deltaY);
        fromX = std::round(startX);
        fromY = std::round(startY);
    }
    // From here on in the view's coordinates.
    Segment segment{};
    segment.x0 = static_cast<std::int64_t>(fromX) - viewLeft;
    segment.y0 = static_cast<std::int64_t>(fromY) - viewTop;
    segment.dx = static_cast<std::int64_t>(toX) - static_cast<std::int64_t>(fromX);
    segment.dy = static_cast<std::int64_t>(toY) - static_cast<std::int64_t>(fromY);
    segment.lengthSquared = segment.dx * segment.dx + segment.dy * segment.dy;
    segment.length = SquareRootBelow(segment.lengthSquared * One * One);

    const std::int64_t endX = segment.x0 + segment.dx;
    const std::int64_t endY = segment.y0 + segment.dy;
    PixelBox box;
    box.left = static_cast<int>(std::max<std::int64_t>(0, std::min(segment.x0, endX) - reach_));
    box.top = static_cast<int>(std::max<std::int64_t>(0, std::min(segment.y0, endY) - reach_));
    box.right = static_cast<int>(
        std::min<std::int64_t>(view.width, std::max(segment.x0, endX) + reach_ + 1));
    box.bottom = static_cast<int>(
        std::min<std::int64_t>(view.height, std::max(segment.y0, endY) + reach_ + 1));
    if (box.Empty()) return {};
    LayShadow(view, segment, box);
    LayThread(view, segment, box);
    return box;
}

void ThreadBand::LayShadow(const PixelView& view, const Segment& segment,
                           const PixelBox& box) const {
    const std::int64_t limit = halfWidth_ + shadowSoft_ / 2;
    for (int y = box.top; y < box.bottom; ++y) {
        const std::int64_t ay = (y - segment.y0) * One - shadowDy_;
        int first = 0;
        int end = 0;
        segment.RowSpan(ay, shadowDx_, limit, box, first, end);
        for (int x = first; x < end; ++x) {
            const std::int64_t ax = (x - segment.x0) * One - shadowDx_;
            std::int64_t distance = 0;
            std::int64_t along = 0;
            if (!segment.Measure(ax, ay, limit, distance, along)) continue;
            const auto ramp = static_cast<int>(
                std::min<std::int64_t>(One, (limit - distance) * One / std::max(shadowSoft_, 1)));
            Shadow(view.At(x, y), Smooth(ramp), view);
        }
    }
}

void ThreadBand::Shadow(std::uint8_t* pixel, int alpha, const PixelView& view) const {
    std::uint8_t& red = pixel[view.redOffset];
    std::uint8_t& green = pixel[view.greenOffset];
    std::uint8_t& blue = pixel[view.blueOffset];
    // Field, or field in shadow: take the deeper of the two shades.
    const int shade = fieldBrightest_ - std::max({red, green, blue});
    if (shade >= 0 && shade <= deepestShade_ && shades_[shade].red == red &&
        shades_[shade].green == green && shades_[shade].blue == blue) {
        const int wanted = (alpha * deepestShade_ + Half) / One;
        if (wanted > shade) {
            red = static_cast<std::uint8_t>(shades_[wanted].red);
            green = static_cast<std::uint8_t>(shades_[wanted].green);
            blue = static_cast<std::uint8_t>(shades_[wanted].blue);
        }
        return;
    }
    const int kept = One * One - alpha * ShadowOnThread;
    const auto darken = [kept](std::uint8_t& channel) {
        channel = static_cast<std::uint8_t>((channel * kept + One * One / 2) / (One * One));
    };
    darken(red);
    darken(green);
    darken(blue);
}

void ThreadBand::LayThread(const PixelView& view, const Segment& segment,
                           const PixelBox& box) const {
    const CrossProfile& profile = Profile();
    const std::int64_t limit = halfWidth_ + Half;
    for (int y = box.top; y < box.bottom; ++y) {
        const std::int64_t ay = (y - segment.y0) * One;
        int first = 0;
        int end = 0;
        segment.RowSpan(ay, 0, limit, box, first, end);
        for (int x = first; x < end; ++x) {
            const std::int64_t ax = (x - segment.x0) * One;
            std::int64_t distance = 0;
            std::int64_t along = 0;
            if (!segment.Measure(ax, ay, limit, distance, along)) continue;
            const int cover = static_cast<int>(std::min<std::int64_t>(One, limit - distance));
            const int across =
                static_cast<int>(std::min<std::int64_t>(distance, halfWidth_) * One / halfWidth_);
            const std::int64_t fromEnd = std::min(along, segment.length - along);
            const int toHole = static_cast<int>(std::min<std::int64_t>(
                One, std::max<std::int64_t>(0, fromEnd) * One / holeLength_));
            const int holeLight =
                HoleLight + (One - HoleLight) * toHole * (2 * One - toHole) / (One * One);
            const int light = profile.light[across] * holeLight / One;
            const int sheen = profile.sheen[across] * toHole / One * toHole / One;
            const auto lay = [&](int threadChannel, std::uint8_t& channel) {
                const int lit = threadChannel * light / One;
                const int shone = lit + (MaxChannel - lit) * sheen / One;
                channel = static_cast<std::uint8_t>(
                    (channel * (One - cover) + shone * cover + Half) / One);
            };
            std::uint8_t* pixel = view.At(x, y);
            lay(thread_.red, pixel[view.redOffset]);
            lay(thread_.green, pixel[view.greenOffset]);
            lay(thread_.blue, pixel[view.blueOffset]);
        }
    }
}

}  // namespace vireluna::raster
