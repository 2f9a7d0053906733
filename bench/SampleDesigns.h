#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace vireluna::bench {

// The largest bundled sample design: the benchmarks measure costs that grow with the
// records, and this one is near the record limit. Empty when none is found.
inline std::string LargestSampleDesign() {
    const std::filesystem::path folder = VIRELUNA_SOURCE_DIR "/resources/designs";
    std::string largest;
    std::uintmax_t largestSize = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".pxs") continue;
        const std::uintmax_t size = entry.file_size(error);
        if (!error && size > largestSize) {
            largestSize = size;
            largest = entry.path().string();
        }
    }
    return largest;
}

}  // namespace vireluna::bench
