#pragma once
// A design loaded from bytes in memory through the entry point the saver uses, and its needle
// drops as drawing joins them: what the tests of the formats compare.
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "core/design/DesignFileLoader.h"
#include "core/ports/MemoryInputFile.h"
#include "tools/formats/DesignPlan.h"

namespace vireluna {

struct Drop {
    std::int32_t x;
    std::int32_t y;
    bool joined;  // thread from the drop before
    std::int32_t block;
    bool operator==(const Drop& other) const {
        return std::tie(x, y, joined, block) ==
               std::tie(other.x, other.y, other.joined, other.block);
    }
};

inline std::ostream& operator<<(std::ostream& out, const Drop& drop) {
    return out << "(" << drop.x << ", " << drop.y << (drop.joined ? ", joined" : "") << ", block "
               << drop.block << ")";
}

class Loaded {
  public:
    Loaded() { design.records = AllocateStitchArray(); }

    bool Load(const formats::Bytes& bytes, const std::string& name, std::int32_t reduction = 100) {
        MemoryInputFile file(bytes.data(), bytes.size());
        return LoadDesignFile(file, name.c_str(), reduction, design, &info);
    }

    // The needle drops, relative to the first, as drawing joins them.
    std::vector<Drop> Drops() const {
        std::vector<Drop> drops;
        std::int32_t block = 0;
        for (std::int32_t i = 0; i < design.recordCount; ++i) {
            const StitchRecord& record = design.records[i];
            if (record.kind == StitchKind::ColourChange) ++block;
            if (record.kind != StitchKind::Stitch) continue;
            const bool joined = i > 0 && design.records[i - 1].kind == StitchKind::Stitch;
            drops.push_back({record.x, record.y, joined, block});
        }
        for (std::size_t i = drops.size(); i-- > 0;) {
            drops[i].x -= drops[0].x;
            drops[i].y -= drops[0].y;
        }
        return drops;
    }

    Design design;
    DesignLoadInfo info;
};

}  // namespace vireluna
