#include <gtest/gtest.h>

#include "systems/win32/WideText.h"

namespace vireluna::win32 {
namespace {

TEST(WideTextTest, JapaneseTextAndPathsSurviveTheRoundTrip) {
    // "ファイルが見つかりません" and a path with a character outside the basic plane.
    const std::string japanese =
        "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE3\x81\x8C\xE8\xA6\x8B\xE3\x81\xA4"
        "\xE3\x81\x8B\xE3\x82\x8A\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93";
    const std::string path = "C:\\designs\\\xF0\x9F\xA7\xB5 thread.pxs";
    std::wstring wide;
    ASSERT_TRUE(WideFromUtf8(japanese, wide));
    EXPECT_EQ(wide.size(), 12u);
    EXPECT_EQ(wide[0], L'\x30D5');
    EXPECT_EQ(Utf8(wide), japanese);
    ASSERT_TRUE(WideFromUtf8(path, wide));
    EXPECT_EQ(wide.substr(11, 2), std::wstring({wchar_t(0xD83E), wchar_t(0xDDF5)}));
    EXPECT_EQ(Utf8(wide), path);
    EXPECT_EQ(Wide(""), L"");
}

TEST(WideTextTest, TextThatIsNotValidInItsEncodingIsRefusedNotMangled) {
    std::wstring wide = L"old";
    EXPECT_FALSE(WideFromUtf8("C:\\\xFF.pxs", wide));
    EXPECT_TRUE(wide.empty());
    EXPECT_FALSE(WideFromUtf8("\xE3\x83", wide));  // cut short
    std::string utf8 = "old";
    EXPECT_FALSE(Utf8FromWide(std::wstring({L'a', wchar_t(0xDC00)}), utf8));
    EXPECT_TRUE(utf8.empty());
    EXPECT_EQ(Wide("\xC0\xAF"), L"");  // an overlong form of "/"
}

}  // namespace
}  // namespace vireluna::win32
