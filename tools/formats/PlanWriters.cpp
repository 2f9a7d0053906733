// The saver's own format and the two formats without colours.
#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "tools/formats/DesignPlan.h"
#include "tools/formats/PlanWalk.h"
#include "tools/pxs/PxsWriter.h"

namespace vireluna::formats {
namespace {

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

Bytes WritePxs(const DesignPlan& plan) {
    std::vector<std::int32_t> threads;
    for (const PlanBlock& block : plan.blocks) threads.push_back(block.thread);
    pxs::PxsWriter writer(threads);
    WalkPlan(
        plan, [&](int dx, int dy) { writer.Move(dx, dy); },
        [&](int dx, int dy) {
            writer.JumpTo(writer.CurrentX() + dx, writer.CurrentY() + dy);
            writer.Move(0, 0);
        },
        [&] { writer.ColourChange(); });
    writer.End();
    return writer.Build();
}

std::array<std::uint8_t, 3> DstRecord(int dx, int dy, DstKind kind) {
    std::array<std::uint8_t, 3> record{0, 0, 0x03};
    // Balanced ternary digits of 1, 3, 9, 27, 81: (byte, bit for +, bit for -) per axis.
    struct Digit {
        int weight;
        int byte;
        std::uint8_t xPlus, xMinus, yPlus, yMinus;
    };
    constexpr Digit Digits[] = {{81, 2, 0x04, 0x08, 0x20, 0x10},
                                {27, 1, 0x04, 0x08, 0x20, 0x10},
                                {9, 0, 0x04, 0x08, 0x20, 0x10},
                                {3, 1, 0x01, 0x02, 0x80, 0x40},
                                {1, 0, 0x01, 0x02, 0x80, 0x40}};
    for (const Digit& digit : Digits) {
        const int half = digit.weight / 2;
        if (dx > half) {
            record[digit.byte] |= digit.xPlus;
            dx -= digit.weight;
        } else if (dx < -half) {
            record[digit.byte] |= digit.xMinus;
            dx += digit.weight;
        }
        if (dy > half) {
            record[digit.byte] |= digit.yPlus;
            dy -= digit.weight;
        } else if (dy < -half) {
            record[digit.byte] |= digit.yMinus;
            dy += digit.weight;
        }
    }
    if (kind == DstKind::Jump) record[2] |= 0x80;
    if (kind == DstKind::ColourChange) record[2] |= 0xC0;
    if (kind == DstKind::End) record[2] |= 0xF0;
    return record;
}

Bytes WriteDst(const DesignPlan& plan) {
    Bytes bytes(512, ' ');
    const char label[] = "LA:plan";
    std::copy(label, label + sizeof label - 1, bytes.begin());
    bytes[19] = 0x0D;
    bytes[124] = 0x1A;
    const auto put = [&](int dx, int dy, DstKind kind) {
        const auto record = DstRecord(dx, dy, kind);
        bytes.insert(bytes.end(), record.begin(), record.end());
    };
    WalkPlan(
        plan, [&](int dx, int dy) { put(dx, dy, DstKind::Stitch); },
        [&](int dx, int dy) {
            // A trim is a short jump out and back; the last leg of the travel is a stitch.
            put(13, 1, DstKind::Jump);
            put(-13, -1, DstKind::Jump);
            ForEachLeg(dx, dy, MaxPlanStep, [&](int x, int y, bool last) {
                put(x, y, last ? DstKind::Stitch : DstKind::Jump);
            });
        },
        [&] { put(0, 0, DstKind::ColourChange); });
    put(0, 0, DstKind::End);
    bytes.push_back(0x1A);
    return bytes;
}

Bytes WriteExp(const DesignPlan& plan) {
    Bytes bytes;
    const auto pair = [&](int first, int second) {
        bytes.push_back(Byte(first));
        bytes.push_back(Byte(second));
    };
    WalkPlan(
        plan, [&](int dx, int dy) { pair(dx, dy); },
        [&](int dx, int dy) {
            pair(0x80, 0x80);  // a trim
            pair(0x07, 0x00);
            ForEachLeg(dx, dy, 127, [&](int x, int y, bool) {
                pair(0x80, 0x04);
                pair(x, y);
            });
            pair(0, 0);  // the needle goes down where the travel arrives
        },
        [&] {
            pair(0x80, 0x01);
            pair(0, 0);
        });
    return bytes;
}

bool WriteBytes(const Bytes& bytes, const char* utf8Path) {
    std::ofstream out(utf8Path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace vireluna::formats
