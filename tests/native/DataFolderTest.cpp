#include <gtest/gtest.h>

#include <string>

#include "raster/RasterSurface.h"
#include "systems/posix/DataFolder.h"
#include "tests/native/ProfileTestFolder.h"

namespace vireluna {
namespace {

using testing::ScopedVariable;
using testing::TempFolder;
using testing::WriteFile;

// An installed copy takes its emblem from the same folder as its designs, not from the
// source tree it was built in.
TEST(DataFolder, TheEmblemComesFromTheDataFolderThatHasIt) {
    TempFolder data;
    const std::string emblem = data.Path() + "/logo.bmp";
    ScopedVariable dataDir("VIRELUNA_DATA_DIR", data.Path());
    EXPECT_NE(DefaultLogoPath(), emblem);  // not there yet
    WriteFile(emblem, "BM");
    EXPECT_EQ(DefaultLogoPath(), emblem);
}

TEST(DataFolder, AFileNoFolderHasIsNamedInTheSourceTree) {
    EXPECT_EQ(FindDataFile("designs/no-such.pxs"),
              VIRELUNA_SOURCE_DIR "/resources/designs/no-such.pxs");
}

}  // namespace
}  // namespace vireluna
