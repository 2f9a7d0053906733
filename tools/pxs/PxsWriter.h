#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/design/formats/PxsLayout.h"

namespace vireluna::pxs {

// The format's codes, also under the writer's name for its users.
using vireluna::ColourChangeCode;
using vireluna::ControlByte;
using vireluna::EndCode;
using vireluna::JumpCode;

inline constexpr int MaxStep = 127;  // largest displacement of one pair on either axis

// Builds design files: a header, a list of thread numbers and a stitch stream.
// Coordinates given to the *To operations are absolute file units with y growing upward;
// long moves are split into several pairs.
class PxsWriter {
  public:
    explicit PxsWriter(std::vector<std::int32_t> threads = {1});

    // --- stream, absolute -------------------------------------------------
    void StitchTo(int x, int y);  // stitches along the way, each at most MaxStep
    void JumpTo(int x, int y);    // one jump record per step of at most MaxStep
    // A colour change whose record sits at the current point.
    void ColourChange();

    // --- stream, raw pairs ------------------------------------------------
    void Pair(std::uint8_t first, std::uint8_t second);
    void Move(int dx, int dy);  // one ordinary pair; dx -127..127, dy -128..127
    void Control(std::uint8_t code, int dx, int dy);
    void End();

    // --- header -----------------------------------------------------------
    // Declared counts default to the real ones; these override them.
    void SetDeclaredColourCount(std::int32_t count);
    void SetDeclaredStitchCount(std::int32_t count);
    // Bytes left between the colour list and the stream (may be negative: the
    // declared stream offset then points inside the colour list).
    void SetGapBeforeStream(std::int32_t bytes);
    void SetStreamOffset(std::int32_t offset);  // overrides the computed one

    int CurrentX() const { return x_; }
    int CurrentY() const { return y_; }
    // Records the reader will produce for the stream written so far (End not counted).
    std::int32_t RecordCount() const { return records_; }

    std::vector<std::uint8_t> Build() const;
    bool WriteFile(const std::string& utf8Path) const;

  private:
    std::vector<std::int32_t> threads_;
    std::vector<std::uint8_t> stream_;
    int x_ = 0;
    int y_ = 0;
    std::int32_t records_ = 0;
    bool hasDeclaredColourCount_ = false;
    std::int32_t declaredColourCount_ = 0;
    bool hasDeclaredStitchCount_ = false;
    std::int32_t declaredStitchCount_ = 0;
    std::int32_t gapBeforeStream_ = 0;
    bool hasStreamOffset_ = false;
    std::int32_t streamOffset_ = 0;
};

}  // namespace vireluna::pxs
