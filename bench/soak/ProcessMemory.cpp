#include "bench/soak/ProcessMemory.h"

#include <malloc.h>
#include <unistd.h>

#include <fstream>

namespace vireluna::soak {

std::optional<MemoryFigures> ReadOwnMemory() {
    // statm: total program size, then resident, in pages.
    std::ifstream statm("/proc/self/statm");
    std::int64_t sizePages = 0;
    std::int64_t residentPages = 0;
    if (!(statm >> sizePages >> residentPages)) return std::nullopt;
    MemoryFigures figures;
    figures.residentBytes = residentPages * sysconf(_SC_PAGESIZE);
    // The heap in use shows a leak of a few bytes a design long before whole pages do.
    const struct mallinfo2 heap = mallinfo2();
    figures.heapInUseBytes = static_cast<std::int64_t>(heap.uordblks + heap.hblkhd);
    return figures;
}

}  // namespace vireluna::soak
