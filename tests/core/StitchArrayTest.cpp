#include <gtest/gtest.h>

#include "design/Design.h"

namespace vireluna {
namespace {

TEST(StitchArray, HoldsTheFullCapacity) {
    StitchArray records = AllocateStitchArray();
    records[MaxStitchRecords - 1] = StitchRecord(3, 4, StitchKind::End);
    EXPECT_EQ(records[MaxStitchRecords - 1].x, 4);
}

}  // namespace
}  // namespace vireluna
