#pragma once

#include <cstdint>
#include <optional>

namespace vireluna::soak {

struct MemoryFigures {
    std::int64_t residentBytes = 0;   // what the kernel keeps in RAM for the process
    std::int64_t heapInUseBytes = 0;  // what the allocator has handed out and not had back
};

// This process's figures now; none when /proc cannot be read.
std::optional<MemoryFigures> ReadOwnMemory();

}  // namespace vireluna::soak
