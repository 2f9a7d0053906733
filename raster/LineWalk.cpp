#include "raster/LineWalk.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vireluna::raster {

LineWalk::LineWalk(PixelPoint from, PixelPoint to) {
    const std::int64_t dx = static_cast<std::int64_t>(to.x) - from.x;
    const std::int64_t dy = static_cast<std::int64_t>(to.y) - from.y;
    xMajor_ = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t majorDelta = xMajor_ ? dx : dy;
    const std::int64_t minorDelta = xMajor_ ? dy : dx;
    majorStart_ = xMajor_ ? from.x : from.y;
    minorStart_ = xMajor_ ? from.y : from.x;
    majorSign_ = majorDelta < 0 ? -1 : 1;
    minorSign_ = minorDelta < 0 ? -1 : 1;
    tieStepsEarly_ = minorDelta < 0;
    // Two ints differ by less than 2^32, so both lengths fit and their product fits 64 bits.
    majorLength_ = static_cast<std::uint32_t>(std::llabs(majorDelta));
    minorLength_ = static_cast<std::uint32_t>(std::llabs(minorDelta));
}

std::uint64_t LineWalk::RoundedOffset(std::uint64_t quotient, std::uint64_t remainder) const {
    const std::uint64_t twice = 2 * remainder;
    const bool stepped = tieStepsEarly_ ? twice >= majorLength_ : twice > majorLength_;
    return quotient + (stepped ? 1 : 0);
}

std::uint64_t LineWalk::MinorOffsetAt(std::uint64_t step) const {
    if (majorLength_ == 0) return 0;
    const std::uint64_t product = step * minorLength_;
    return RoundedOffset(product / majorLength_, product % majorLength_);
}

PixelPoint LineWalk::ToPoint(std::int64_t majorCoord, std::uint64_t minorOffset) const {
    const std::int64_t minorCoord =
        minorStart_ + minorSign_ * static_cast<std::int64_t>(minorOffset);
    // Every step lies between the end points, so both coordinates fit an int.
    const int major = static_cast<int>(majorCoord);
    const int minor = static_cast<int>(minorCoord);
    return xMajor_ ? PixelPoint{major, minor} : PixelPoint{minor, major};
}

PixelPoint LineWalk::At(std::uint32_t step) const {
    return ToPoint(majorStart_ + majorSign_ * static_cast<std::int64_t>(step), MinorOffsetAt(step));
}

std::uint64_t LineWalk::FirstStepReaching(std::uint64_t target, std::uint64_t first,
                                          std::uint64_t last) const {
    if (MinorOffsetAt(first) >= target) return first;
    if (MinorOffsetAt(last) < target) return last + 1;
    // Offset(i) >= target exactly when i >= (2 target - 1) majorLength / (2 minorLength); the
    // estimate is exact to within a step or two and the loops below settle it exactly.
    const double estimate =
        std::floor((2.0 * static_cast<double>(target) - 1.0) * majorLength_ / (2.0 * minorLength_));
    std::uint64_t step = static_cast<std::uint64_t>(
        std::clamp(estimate, static_cast<double>(first), static_cast<double>(last)));
    while (step > first && MinorOffsetAt(step - 1) >= target) --step;
    while (MinorOffsetAt(step) < target) ++step;
    return step;
}

bool LineWalk::ClipSteps(const InclusiveBox& box, std::uint32_t& first, std::uint32_t& last) const {
    if (first > last) return false;
    const std::int64_t majorLow = xMajor_ ? box.left : box.top;
    const std::int64_t majorHigh = xMajor_ ? box.right : box.bottom;
    const std::int64_t minorLow = xMajor_ ? box.top : box.left;
    const std::int64_t minorHigh = xMajor_ ? box.bottom : box.right;

    // Steps whose major coordinate lies inside the box.
    std::int64_t low = majorSign_ > 0 ? majorLow - majorStart_ : majorStart_ - majorHigh;
    std::int64_t high = majorSign_ > 0 ? majorHigh - majorStart_ : majorStart_ - majorLow;
    low = std::max<std::int64_t>(low, first);
    high = std::min<std::int64_t>(high, last);
    if (low > high) return false;

    // Minor offsets inside the box; the offset never decreases along the walk.
    std::int64_t offsetLow = minorSign_ > 0 ? minorLow - minorStart_ : minorStart_ - minorHigh;
    const std::int64_t offsetHigh =
        minorSign_ > 0 ? minorHigh - minorStart_ : minorStart_ - minorLow;
    if (offsetHigh < 0 || offsetLow > static_cast<std::int64_t>(minorLength_)) return false;
    offsetLow = std::max<std::int64_t>(offsetLow, 0);

    const auto lowStep = static_cast<std::uint64_t>(low);
    const auto highStep = static_cast<std::uint64_t>(high);
    const std::uint64_t clippedFirst =
        FirstStepReaching(static_cast<std::uint64_t>(offsetLow), lowStep, highStep);
    const std::uint64_t pastLast =
        offsetHigh >= static_cast<std::int64_t>(minorLength_)
            ? highStep + 1
            : FirstStepReaching(static_cast<std::uint64_t>(offsetHigh) + 1, lowStep, highStep);
    if (clippedFirst >= pastLast) return false;
    first = static_cast<std::uint32_t>(clippedFirst);
    last = static_cast<std::uint32_t>(pastLast - 1);
    return true;
}

LineWalk::Cursor::Cursor(const LineWalk& walk, std::uint32_t step)
    : walk_(walk),
      majorCoord_(walk.majorStart_ + walk.majorSign_ * static_cast<std::int64_t>(step)) {
    const std::uint64_t product = static_cast<std::uint64_t>(step) * walk.minorLength_;
    const std::uint64_t length = std::max<std::uint64_t>(walk.majorLength_, 1);
    quotient_ = product / length;
    remainder_ = product % length;
    minorOffset_ = walk.MinorOffsetAt(step);
    previousMinorOffset_ = step > 0 ? walk.MinorOffsetAt(step - 1) : minorOffset_;
}

void LineWalk::Cursor::Advance() {
    previousMinorOffset_ = minorOffset_;
    majorCoord_ += walk_.majorSign_;
    remainder_ += walk_.minorLength_;
    if (remainder_ >= walk_.majorLength_ && walk_.majorLength_ > 0) {
        remainder_ -= walk_.majorLength_;
        ++quotient_;
    }
    minorOffset_ = walk_.RoundedOffset(quotient_, remainder_);
}

}  // namespace vireluna::raster
