// XXX (relative moves, colours after the records) and PCS (absolute positions in 1/6 mm).
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tools/formats/DesignPlan.h"
#include "tools/formats/PlanWalk.h"

namespace vireluna::formats {
namespace {

constexpr std::size_t XxxHeaderBytes = 0x100;
constexpr int LongestJump = 127;
constexpr int PcsSlots = 16;
constexpr PlanPoint HoopCentre{600, 575};
constexpr double PcsValuePerUnit = 256.0 * 3 / 5;  // 1/6 mm with 8 fraction bits per 0.1 mm

void PutLe(Bytes& bytes, std::size_t at, std::uint32_t value, int count) {
    if (bytes.size() < at + count) bytes.resize(at + count);
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void AppendLe(Bytes& bytes, std::uint32_t value, int count) {
    PutLe(bytes, bytes.size(), value, count);
}

// Calls change() between blocks and run(runPoints) for every run, in order.
template <typename Run, typename Change>
void WalkRuns(const DesignPlan& plan, Run run, Change change) {
    for (std::size_t b = 0; b < plan.blocks.size(); ++b) {
        if (b > 0) change(b);
        for (const PlanRun& points : plan.blocks[b].runs) {
            if (!points.empty()) run(points);
        }
    }
}

}  // namespace

Bytes WriteXxx(const DesignPlan& plan) {
    Bytes records;
    std::uint32_t count = 0;
    const auto command = [&](std::uint8_t code, int dx, int dy) {
        records.insert(records.end(), {0x7F, code, static_cast<std::uint8_t>(dx & 0xFF),
                                       static_cast<std::uint8_t>(dy & 0xFF)});
        ++count;
    };
    const auto stitch = [&](int dx, int dy) {
        records.insert(records.end(), {static_cast<std::uint8_t>(dx & 0xFF),
                                       static_cast<std::uint8_t>(dy & 0xFF)});
        ++count;
    };
    bool started = false;
    PlanPoint at{0, 0};
    PlanPoint low{0, 0};
    PlanPoint high{0, 0};
    WalkRuns(
        plan,
        [&](const PlanRun& run) {
            if (!started) at = run[0];  // the origin
            const int dx = run[0].x - at.x;
            const int dy = run[0].y - at.y;
            if (started) command(0x03, 0, 0);  // a trim
            if (std::max(std::abs(dx), std::abs(dy)) > LongestJump) {
                // One long jump, then a zero stitch where it lands.
                records.insert(records.end(), {0x7E});
                AppendLe(records, static_cast<std::uint32_t>(dx), 2);
                AppendLe(records, static_cast<std::uint32_t>(dy), 2);
                stitch(0, 0);
            } else {
                // Short jumps, then straight on: the landing is a needle drop.
                ForEachLeg(dx, dy, LongestJump, [&](int x, int y, bool) { command(0x01, x, y); });
                if (run.size() == 1) stitch(0, 0);
            }
            started = true;
            for (std::size_t i = 1; i < run.size(); ++i) {
                stitch(run[i].x - run[i - 1].x, run[i].y - run[i - 1].y);
            }
            for (const PlanPoint& point : run) {
                low = {std::min(low.x, point.x), std::min(low.y, point.y)};
                high = {std::max(high.x, point.x), std::max(high.y, point.y)};
            }
            at = run.back();
        },
        [&](std::size_t) { command(0x08, 0, 0); });
    command(0x18, 0, 0);

    Bytes bytes(XxxHeaderBytes, 0);
    PutLe(bytes, 0x17, count, 4);
    PutLe(bytes, 0x27, static_cast<std::uint32_t>(plan.blocks.size()), 2);
    PutLe(bytes, 0x2D, static_cast<std::uint32_t>(high.x - low.x), 2);
    PutLe(bytes, 0x2F, static_cast<std::uint32_t>(high.y - low.y), 2);
    PutLe(bytes, 0xFC, static_cast<std::uint32_t>(XxxHeaderBytes + records.size()), 4);
    bytes.insert(bytes.end(), records.begin(), records.end());
    bytes.insert(bytes.end(), {0x7F, 0x7F, 0x03, 0x14, 0x00, 0x00});
    for (const PlanBlock& block : plan.blocks) {
        bytes.insert(bytes.end(), {0x00, block.red, block.green, block.blue});
    }
    bytes.insert(bytes.end(), 12, 0xA5);  // data of the writer's own
    return bytes;
}

Bytes WritePcs(const DesignPlan& plan) {
    Bytes records;
    std::uint32_t moves = 0;
    const auto record = [&](PlanPoint point, std::uint8_t flags) {
        AppendLe(records, static_cast<std::uint32_t>(std::lround(point.x * PcsValuePerUnit)), 4);
        AppendLe(records, static_cast<std::uint32_t>(std::lround(point.y * PcsValuePerUnit)), 4);
        records.push_back(flags);
        ++moves;
    };
    const auto colour = [&](std::size_t block) {
        records.insert(records.end(),
                       {static_cast<std::uint8_t>(block % PcsSlots), 0, 0, 0, 0, 0, 0, 0, 0x03});
    };
    const auto onHoop = [](PlanPoint point) {
        return PlanPoint{point.x + HoopCentre.x, point.y + HoopCentre.y};
    };
    colour(0);
    WalkRuns(
        plan,
        [&](const PlanRun& run) {
            // A jump to every run; straight on from it, its landing is a needle drop.
            record(onHoop(run[0]), 0x04);
            if (run.size() == 1) record(onHoop(run[0]), 0x00);
            for (std::size_t i = 1; i < run.size(); ++i) record(onHoop(run[i]), 0x00);
        },
        colour);

    Bytes bytes = {0x32, 0x03};
    AppendLe(bytes, PcsSlots, 2);
    for (int slot = 0; slot < PcsSlots; ++slot) {
        // A slot holds the colour of its first block.
        const auto index = static_cast<std::size_t>(slot);
        if (index < plan.blocks.size()) {
            const PlanBlock& block = plan.blocks[index];
            bytes.insert(bytes.end(), {block.red, block.green, block.blue, 0});
        } else {
            bytes.insert(bytes.end(), {0, 0, 0, 0});
        }
    }
    AppendLe(bytes, moves, 2);
    bytes.insert(bytes.end(), records.begin(), records.end());
    bytes.insert(bytes.end(), 13, 0);  // padding some writers leave
    return bytes;
}

}  // namespace vireluna::formats
