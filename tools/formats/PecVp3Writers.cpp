// The two formats with y growing down and colours of their own: PES (its PEC section) and VP3.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "tools/formats/DesignPlan.h"

namespace vireluna::formats {
namespace {

constexpr std::size_t PecStitchListOffset = 0x214;
constexpr int PecShortLimit = 63;
constexpr int PecLongLimit = 2047;
constexpr std::uint8_t PecJumpFlag = 0x10;
constexpr std::uint8_t PecTrimFlag = 0x20;

void PutLe32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void AppendBe(Bytes& bytes, std::uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void AppendString(Bytes& bytes, const std::string& text) {
    AppendBe(bytes, static_cast<std::uint32_t>(text.size()), 2);
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// A PEC section: its header (label, palette indices), then the stitch list and its end byte,
// then a few bytes standing for the preview pictures.
Bytes PecSection(const Bytes& stitchList, const std::vector<std::uint8_t>& colours) {
    Bytes section(PecStitchListOffset, 0x20);
    const std::string label = "LA:plan";
    std::copy(label.begin(), label.end(), section.begin());
    section[0x30] = static_cast<std::uint8_t>(colours.size() - 1);
    std::copy(colours.begin(), colours.end(), section.begin() + 0x31);
    section.insert(section.end(), stitchList.begin(), stitchList.end());
    section.push_back(0xFF);
    section.insert(section.end(), {0x00, 0x01, 0xFE, 0xB0, 0x02, 0x12});
    return section;
}

Bytes PesAround(const Bytes& section) {
    // Some PES header bytes of a writer's own before the section.
    Bytes bytes = {'#', 'P', 'E', 'S', '0', '0', '6', '0', 0, 0, 0, 0};
    bytes.insert(bytes.end(), 20, 0x5A);
    PutLe32(bytes, 8, static_cast<std::uint32_t>(bytes.size()));
    bytes.insert(bytes.end(), section.begin(), section.end());
    return bytes;
}

std::vector<std::uint8_t> PecColours(const DesignPlan& plan) {
    std::vector<std::uint8_t> colours;
    for (const PlanBlock& block : plan.blocks) colours.push_back(block.pecIndex);
    if (colours.empty()) colours.push_back(0);
    return colours;
}

Bytes PecStitchList(const DesignPlan& plan, bool explicitStart) {
    Bytes list;
    bool first = true;
    PlanPoint at{0, 0};
    for (std::size_t b = 0; b < plan.blocks.size(); ++b) {
        if (b > 0) list.insert(list.end(), {0xFE, 0xB0, static_cast<std::uint8_t>(b % 2 ? 2 : 1)});
        for (const PlanRun& run : plan.blocks[b].runs) {
            for (std::size_t i = 0; i < run.size(); ++i) {
                const int dx = run[i].x - at.x;
                const int dy = -(run[i].y - at.y);
                if (first) {
                    if (explicitStart) list.insert(list.end(), {0x00, 0x00});
                    first = false;
                } else if (i == 0) {
                    // One long travel (split only past the long form's reach), then a drop.
                    const int legs =
                        std::max(1, (std::max(std::abs(dx), std::abs(dy)) + PecLongLimit - 1) /
                                        PecLongLimit);
                    int doneX = 0;
                    int doneY = 0;
                    for (int leg = 1; leg <= legs; ++leg) {
                        const int x = dx * leg / legs;
                        const int y = dy * leg / legs;
                        const std::uint8_t flags = leg == 1 ? PecTrimFlag : PecJumpFlag;
                        AppendPecValue(list, x - doneX, true, flags);
                        AppendPecValue(list, y - doneY, true, flags);
                        doneX = x;
                        doneY = y;
                    }
                    list.insert(list.end(), {0x00, 0x00});
                } else {
                    const bool longForm =
                        std::abs(dx) > PecShortLimit || std::abs(dy) > PecShortLimit;
                    AppendPecValue(list, dx, longForm);
                    AppendPecValue(list, dy, longForm);
                }
                at = run[i];
            }
        }
    }
    return list;
}

}  // namespace

void AppendPecValue(Bytes& bytes, int value, bool longForm, std::uint8_t flags) {
    if (!longForm) {
        bytes.push_back(static_cast<std::uint8_t>(value & 0x7F));
        return;
    }
    const auto bits = static_cast<std::uint32_t>(value) & 0x0FFF;
    bytes.push_back(static_cast<std::uint8_t>(0x80 | flags | (bits >> 8)));
    bytes.push_back(static_cast<std::uint8_t>(bits & 0xFF));
}

Bytes PesWithStitchList(const Bytes& stitchList, const std::vector<std::uint8_t>& colours) {
    return PesAround(PecSection(stitchList, colours));
}

Bytes WritePes(const DesignPlan& plan, bool explicitStart) {
    return PesAround(PecSection(PecStitchList(plan, explicitStart), PecColours(plan)));
}

Bytes WriteBarePec(const DesignPlan& plan) {
    Bytes bytes = {'#', 'P', 'E', 'C', '0', '0', '0', '1'};
    const Bytes section = PecSection(PecStitchList(plan, false), PecColours(plan));
    bytes.insert(bytes.end(), section.begin(), section.end());
    return bytes;
}

namespace {

// A VP3 section: its tag and the length of what follows, patched when it is closed.
class Vp3Section {
  public:
    Vp3Section(Bytes& bytes, std::uint8_t tag) : bytes_(bytes) {
        bytes_.insert(bytes_.end(), {0x00, tag, 0x00});
        lengthAt_ = bytes_.size();
        AppendBe(bytes_, 0, 4);
    }
    void Close() {
        const auto length = static_cast<std::uint32_t>(bytes_.size() - lengthAt_ - 4);
        for (int i = 0; i < 4; ++i) {
            bytes_[lengthAt_ + i] = static_cast<std::uint8_t>(length >> (8 * (3 - i)));
        }
    }

  private:
    Bytes& bytes_;
    std::size_t lengthAt_;
};

constexpr std::int32_t CentreX = 12300;  // micrometres, anywhere: nothing depends on it
constexpr std::int32_t CentreY = -4500;

struct Vp3Block {
    PlanPoint start;
    std::uint8_t red, green, blue;
    Bytes stitches;
};

Bytes Vp3File(const std::vector<Vp3Block>& blocks) {
    Bytes bytes = {'%', 'v', 's', 'm', '%', 0};
    AppendString(bytes, "plan");
    Vp3Section design(bytes, 0x02);
    AppendString(bytes, "");
    bytes.insert(bytes.end(), 16, 0);  // extents
    AppendBe(bytes, 0, 4);             // stitch total
    AppendBe(bytes, static_cast<std::uint32_t>(blocks.size()), 2);
    bytes.push_back(0x0C);
    AppendBe(bytes, 1, 2);
    Vp3Section hoop(bytes, 0x03);
    AppendBe(bytes, static_cast<std::uint32_t>(CentreX), 4);
    AppendBe(bytes, static_cast<std::uint32_t>(CentreY), 4);
    bytes.insert(bytes.end(), 3 + 16 + 8, 0);  // bytes, bounds, width and height
    AppendString(bytes, "hoop");
    bytes.insert(bytes.end(), 24, 0);  // two bytes, the matrix, six bytes
    AppendString(bytes, "plan");
    AppendBe(bytes, static_cast<std::uint32_t>(blocks.size()), 2);
    for (const Vp3Block& block : blocks) {
        Vp3Section section(bytes, 0x05);
        // Micrometres relative to the centre, y up.
        AppendBe(bytes, static_cast<std::uint32_t>(block.start.x * 100 - CentreX), 4);
        AppendBe(bytes, static_cast<std::uint32_t>(block.start.y * 100 - CentreY), 4);
        bytes.insert(bytes.end(), {1, 0, block.red, block.green, block.blue, 0, 0, 5});
        bytes.insert(bytes.end(), {5, 40});  // type, weight
        AppendString(bytes, "1800");
        AppendString(bytes, "thread");
        AppendString(bytes, "brand");
        bytes.insert(bytes.end(), 8, 0);
        Vp3Section stitches(bytes, 0x01);
        bytes.insert(bytes.end(), {0x0A, 0xF6, 0x00});
        bytes.insert(bytes.end(), block.stitches.begin(), block.stitches.end());
        stitches.Close();
        bytes.push_back(0x00);
        section.Close();
    }
    hoop.Close();
    design.Close();
    return bytes;
}

}  // namespace

Bytes Vp3WithStitchBytes(const Bytes& stitchBytes) {
    return Vp3File({{{CentreX / 100, CentreY / 100}, 10, 20, 30, stitchBytes}});
}

Bytes WriteVp3(const DesignPlan& plan) {
    std::vector<Vp3Block> blocks;
    for (const PlanBlock& planBlock : plan.blocks) {
        Vp3Block block{{0, 0}, planBlock.red, planBlock.green, planBlock.blue, {}};
        bool started = false;
        PlanPoint at{0, 0};
        for (const PlanRun& run : planBlock.runs) {
            for (std::size_t i = 0; i < run.size(); ++i) {
                const int dx = run[i].x - at.x;
                const int dy = -(run[i].y - at.y);
                if (!started) {
                    // The block's start is a travel: its first drop is a stitch of no length.
                    block.start = run[i];
                    block.stitches.insert(block.stitches.end(), {0x00, 0x00});
                    started = true;
                } else if (i == 0) {
                    block.stitches.insert(block.stitches.end(), {0x80, 0x01});
                    AppendBe(block.stitches, static_cast<std::uint32_t>(dx), 2);
                    AppendBe(block.stitches, static_cast<std::uint32_t>(dy), 2);
                    block.stitches.insert(block.stitches.end(), {0x80, 0x02});
                } else {
                    block.stitches.push_back(static_cast<std::uint8_t>(dx & 0xFF));
                    block.stitches.push_back(static_cast<std::uint8_t>(dy & 0xFF));
                }
                at = run[i];
            }
        }
        blocks.push_back(block);
    }
    return Vp3File(blocks);
}

}  // namespace vireluna::formats
