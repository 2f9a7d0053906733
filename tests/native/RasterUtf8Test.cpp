#include <gtest/gtest.h>

#include "raster/Utf8.h"

namespace vireluna::raster {
namespace {

using CodePoints = std::vector<char32_t>;
constexpr char32_t kBad = kReplacementCharacter;

TEST(RasterUtf8, DecodesEveryLength) {
    EXPECT_EQ(DecodeUtf8("A\xc3\xa9\xe2\x80\x94\xf0\x9f\x8c\x99"),
              (CodePoints{U'A', U'\u00e9', U'\u2014', U'\U0001F319'}));
    EXPECT_TRUE(DecodeUtf8("").empty());
}

TEST(RasterUtf8, ReplacesEachBadByteAndResumes) {
    EXPECT_EQ(DecodeUtf8("\xc0\xaf"
                         "a"),
              (CodePoints{kBad, kBad, U'a'}));                              // overlong
    EXPECT_EQ(DecodeUtf8("\xed\xa0\x80"), (CodePoints{kBad, kBad, kBad}));  // surrogate
    EXPECT_EQ(DecodeUtf8("\xf4\x90\x80\x80"), (CodePoints(4, kBad)));       // past U+10FFFF
    EXPECT_EQ(DecodeUtf8("x\xe2\x82"), (CodePoints{U'x', kBad, kBad}));     // cut short
    EXPECT_EQ(DecodeUtf8("\xe2"
                         "b"),
              (CodePoints{kBad, U'b'}));  // missing continuation
    EXPECT_EQ(DecodeUtf8("\xff"), (CodePoints{kBad}));
}

}  // namespace
}  // namespace vireluna::raster
