#pragma once

#include <cstdint>

namespace vireluna::raster {

struct PixelPoint {
    int x;
    int y;
    bool operator==(const PixelPoint&) const = default;
};

// An inclusive pixel rectangle; 64-bit so that a margin around any image cannot overflow.
struct InclusiveBox {
    std::int64_t left;
    std::int64_t top;
    std::int64_t right;
    std::int64_t bottom;
};

// The pixel path of a straight line: one pixel per step along the longer (major) axis.
// Step i lies i pixels from the start along the major axis; its minor-axis offset is
// i * minorLength / majorLength rounded to the nearest pixel, so step Steps() is exactly the end
// point. A tie goes to the pixel with the smaller minor coordinate, as the display does: the
// offset rounds half up when the minor axis runs backwards and half down when it runs forwards.
// Every step can be computed directly, which lets a caller skip the part of a line that
// lies outside the image, however far away its end points are.
class LineWalk {
  public:
    LineWalk(PixelPoint from, PixelPoint to);

    std::uint32_t Steps() const { return majorLength_; }
    PixelPoint At(std::uint32_t step) const;
    // Narrows [first, last] to the steps whose pixel lies inside box; false when none does.
    bool ClipSteps(const InclusiveBox& box, std::uint32_t& first, std::uint32_t& last) const;

    // Walks consecutive steps with a running remainder instead of a division per pixel.
    class Cursor {
      public:
        Cursor(const LineWalk& walk, std::uint32_t step);
        PixelPoint Point() const { return walk_.ToPoint(majorCoord_, minorOffset_); }
        // The pixel beside Point() that keeps the previous step's minor coordinate, when this
        // step moved diagonally: it turns the path into a 4-connected one.
        bool MovedDiagonally() const { return minorOffset_ != previousMinorOffset_; }
        PixelPoint DiagonalCorner() const {
            return walk_.ToPoint(majorCoord_, previousMinorOffset_);
        }
        void Advance();

      private:
        const LineWalk& walk_;
        std::int64_t majorCoord_;
        std::uint64_t quotient_;
        std::uint64_t remainder_;
        std::uint64_t minorOffset_;
        std::uint64_t previousMinorOffset_;
    };

  private:
    std::uint64_t MinorOffsetAt(std::uint64_t step) const;
    std::uint64_t RoundedOffset(std::uint64_t quotient, std::uint64_t remainder) const;
    // The first step in [first, last] whose minor offset reaches target; last + 1 if none.
    std::uint64_t FirstStepReaching(std::uint64_t target, std::uint64_t first,
                                    std::uint64_t last) const;
    PixelPoint ToPoint(std::int64_t majorCoord, std::uint64_t minorOffset) const;

    bool xMajor_;
    std::int64_t majorStart_;
    std::int64_t minorStart_;
    int majorSign_;
    int minorSign_;
    bool tieStepsEarly_;  // a half-way offset already takes the minor step
    std::uint32_t majorLength_;
    std::uint32_t minorLength_;
};

}  // namespace vireluna::raster
