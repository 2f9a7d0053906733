#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/designgen/Designs.h"

// Writes the sample designs into the directory given on the command line.
namespace {

// The reader's limits: colour entries and records (its read pass stores every
// pair of the stream, the end code included, in the same array).
constexpr int MaxColours = 72;
constexpr int MaxStreamPairs = 64000;

int Usage() {
    std::fprintf(stderr, "usage: vireluna-designgen OUTPUT_DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vireluna::designgen;
    if (argc != 2) return Usage();
    const std::string directory = argv[1];
    int failures = 0;
    for (const NamedDesign& design : AllDesigns()) {
        const StitchPlan plan = design.make();
        const vireluna::pxs::PxsWriter writer = WritePlan(plan);
        const int colours = static_cast<int>(ThreadList(plan).size());
        const int pairs = StreamPairCount(writer);
        const std::string path = directory + "/" + design.fileName;
        if (colours > MaxColours || pairs > MaxStreamPairs) {
            std::fprintf(stderr, "%s: too large (%d colours, %d stream pairs)\n", design.fileName,
                         colours, pairs);
            ++failures;
            continue;
        }
        if (!writer.WriteFile(path)) {
            std::fprintf(stderr, "%s: cannot write: %s\n", path.c_str(), std::strerror(errno));
            ++failures;
            continue;
        }
        std::printf("%s: %d records, %d colours\n", path.c_str(), writer.RecordCount(), colours);
    }
    return failures == 0 ? 0 : 1;
}
