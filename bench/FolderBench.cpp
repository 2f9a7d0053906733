#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/ports/MemoryProfileStore.h"
#include "core/presentation/CollectionOrder.h"
#include "core/saver/DesignFolder.h"
#include "core/saver/SaverRun.h"
#include "drivers/headless/RasterWindowHost.h"
#include "raster/RasterImage.h"
#include "systems/posix/DataFolder.h"
#include "systems/posix/PosixFileSystem.h"
#include "tools/pxs/PxsWriter.h"

// A collection of 100,000 designs in nested folders: the start of the saver up to its first
// stitch, reading the folder at the start of a pass, the pass's order, and the memory each
// design takes. The folder is made once, in the system's temporary folder, and removed at the
// end; the figures are for a folder the system has in its cache.
namespace {

using namespace vireluna;

constexpr std::uint32_t Seed = 2026;
constexpr ScreenSize Screen{1920, 1080};
// 100 folders of 10 sub-folders of 100 designs, beside a few files that are not designs.
constexpr int TopFolders = 100;
constexpr int SubFolders = 10;
constexpr int DesignsPerFolder = 100;
constexpr int Designs = TopFolders * SubFolders * DesignsPerFolder;

class Collection {
  public:
    Collection() {
        root_ = (std::filesystem::temp_directory_path() /
                 ("vireluna-bench-collection-" + std::to_string(::getpid())))
                    .string();
        pxs::PxsWriter writer;
        for (int i = 0; i < 20; ++i) writer.Move(5, 3);
        writer.End();
        const std::string design = root_ + "/design.pxs";
        std::filesystem::create_directories(root_);
        if (!writer.WriteFile(design)) return;
        for (int top = 0; top < TopFolders; ++top) {
            for (int sub = 0; sub < SubFolders; ++sub) {
                const std::string folder =
                    root_ + "/family " + std::to_string(top) + "/set " + std::to_string(sub);
                std::filesystem::create_directories(folder);
                std::ofstream(folder + "/notes.txt") << "not a design";
                for (int k = 0; k < DesignsPerFolder; ++k) {
                    std::filesystem::copy_file(design,
                                               folder + "/design " + std::to_string(k) + ".pxs");
                }
            }
        }
        std::filesystem::remove(design);
        ready_ = true;
    }
    ~Collection() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    const std::string& Root() const { return root_; }
    bool Ready() const { return ready_; }

  private:
    std::string root_;
    bool ready_ = false;
};

const Collection& TheCollection() {
    static const Collection collection;
    return collection;
}

bool CollectionThere(benchmark::State& state) {
    if (TheCollection().Ready()) return true;
    state.SkipWithError("the collection could not be written");
    return false;
}

// From the saver's construction to the tick that draws the first stitch: the folder read, the
// order drawn, the first design loaded, placed and begun.
void BM_FolderFirstStitch(benchmark::State& state) {
    if (!CollectionThere(state)) return;
    raster::RasterImage logo;
    if (!raster::ReadBmp(DefaultLogoPath(), logo)) {
        state.SkipWithError("the emblem picture is missing");
        return;
    }
    MemoryProfileStore profile;
    profile.WriteString(FileListSection, PlaylistEntryName(1), "");
    profile.WriteString(FileListSection, FolderEntry, TheCollection().Root());
    PosixFileSystem files;
    std::ostringstream messages;
    headless::MessageLog log(messages);
    double slowest = 0;
    std::size_t designs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        headless::RasterWindowHost host(Screen, Screen, logo, log);
        SaverRun run(RunMode::FullScreen, profile, host, files, {Seed, std::nullopt});
        run.Start(Screen);
        run.Step();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        slowest = std::max(slowest, took.count());
        designs = run.Window().Folder().Count();
        if (run.Window().LastTick() != TickResult::DesignStarted &&
            run.Window().LastTick() != TickResult::DesignFinished) {
            state.SkipWithError("the first tick did not start a design");
            return;
        }
    }
    state.counters["designs"] = static_cast<double>(designs);
    state.counters["slowest_s"] = slowest;
}
BENCHMARK(BM_FolderFirstStitch)->Unit(benchmark::kMillisecond)->Iterations(5);

// What the start of every pass costs: the folder read anew. Also the memory it keeps.
void BM_FolderRead(benchmark::State& state) {
    if (!CollectionThere(state)) return;
    PosixFileSystem files;
    DesignFolder folder(TheCollection().Root());
    for (auto _ : state) {
        folder.Read(files, files.DesignPathLimit(), MaxCollectionEntries);
    }
    const double count = folder.Count();
    std::size_t pathBytes = 0;
    for (std::uint32_t i = 0; i < folder.Count(); ++i) pathBytes += folder.Path(i).size();
    state.counters["designs"] = count;
    state.counters["path_bytes_per_design"] = static_cast<double>(pathBytes) / count;
    // The tails, their zeros and indexes, and the pass's order of four bytes an entry.
    state.counters["kept_bytes_per_design"] =
        static_cast<double>(folder.MemoryBytes()) / count + sizeof(std::uint32_t);
    state.SetItemsProcessed(state.iterations() * folder.Count());
}
BENCHMARK(BM_FolderRead)->Unit(benchmark::kMillisecond);

void BM_CollectionOrder(benchmark::State& state) {
    Random random(Seed);
    std::vector<std::uint32_t> order;
    const auto count = static_cast<std::uint32_t>(state.range(0));
    for (auto _ : state) {
        ShuffleCollection(order, count, random);
        benchmark::DoNotOptimize(order.data());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_CollectionOrder)->Arg(20)->Arg(Designs)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace
