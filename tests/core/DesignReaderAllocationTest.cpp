// The saver loads a design on every turn of its cycle from arrays it allocated once: a load
// must not touch the heap. Global operator new and delete are replaced for the whole test
// program by counting versions; only allocations made while counting is on are counted.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "core/design/DesignFileLoader.h"
#include "core/design/formats/PxsReader.h"
#include "tests/core/SystemFiles.h"
#include "tools/formats/DesignPlan.h"
#include "tools/pxs/PxsWriter.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* CountedAllocation(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
    void* block = std::malloc(size == 0 ? 1 : size);
    // Out of memory in a test run: nothing sensible is left to do.
    if (block == nullptr) std::abort();
    return block;
}

// Counts the allocations made while it lives.
class AllocationCounter {
  public:
    AllocationCounter() {
        allocations.store(0);
        counting.store(true);
    }
    ~AllocationCounter() { counting.store(false); }
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    long Count() const { return allocations.load(); }
};

}  // namespace

void* operator new(std::size_t size) {
    return CountedAllocation(size);
}
void* operator new[](std::size_t size) {
    return CountedAllocation(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

namespace vireluna {
namespace {

// The block escapes through this, so the compiler cannot leave the allocation out.
int* volatile escapedBlock = nullptr;

TEST(DesignReaderAllocation, CounterSeesAnAllocation) {
    long counted = 0;
    {
        const AllocationCounter counter;
        escapedBlock = new int(1);
        counted = counter.Count();
    }
    delete escapedBlock;
    EXPECT_EQ(counted, 1);
}

TEST(DesignReaderAllocation, LoadingADesignAllocatesNothing) {
    pxs::PxsWriter writer({2, 10, 12});
    writer.JumpTo(-300, 200);
    writer.StitchTo(300, 200);
    writer.ColourChange();
    writer.StitchTo(300, -200);
    writer.Control(0x07, 1, 1);
    writer.End();
    // Named after the moment, so that test programs running side by side keep apart.
    const std::string path =
        (std::filesystem::temp_directory_path() /
         ("vireluna_allocation_" +
          std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".pxs"))
            .string();
    ASSERT_TRUE(writer.WriteFile(path));
    Design design;
    design.records = AllocateStitchArray();
    DesignFileDetails details;
    fakes::SystemFileSystem files;
    const std::unique_ptr<InputFile> file = files.NewInputFile();

    bool loaded = false;
    long counted = 0;
    {
        const AllocationCounter counter;
        loaded = LoadDesign(*file, path.c_str(), 80, design, &details);
        counted = counter.Count();
    }
    std::filesystem::remove(path);
    ASSERT_TRUE(loaded);
    EXPECT_GT(design.recordCount, 10);
    EXPECT_EQ(counted, 0);

    // Every format through the entry point the saver uses.
    formats::DesignPlan plan;
    formats::PlanBlock block;
    block.runs.push_back({{0, 0}, {100, 0}, {100, 100}});
    block.runs.push_back({{900, 900}, {950, 900}});
    plan.blocks = {block, block};
    const std::pair<const char*, formats::Bytes> others[] = {
        {".pxs", formats::WritePxs(plan)}, {".dst", formats::WriteDst(plan)},
        {".exp", formats::WriteExp(plan)}, {".pes", formats::WritePes(plan)},
        {".vp3", formats::WriteVp3(plan)}, {".hus", formats::WriteHus(plan)},
        {".vip", formats::WriteVip(plan)}, {".xxx", formats::WriteXxx(plan)},
        {".pcs", formats::WritePcs(plan)}};
    for (const auto& [extension, bytes] : others) {
        const std::string otherPath = path + extension;
        ASSERT_TRUE(formats::WriteBytes(bytes, otherPath.c_str()));
        {
            const AllocationCounter counter;
            loaded = LoadDesignFile(*file, otherPath.c_str(), 80, design);
            counted = counter.Count();
        }
        std::filesystem::remove(otherPath);
        EXPECT_TRUE(loaded) << extension;
        EXPECT_GE(design.recordCount, 5) << extension;
        EXPECT_EQ(counted, 0) << extension;
    }
}

}  // namespace
}  // namespace vireluna
