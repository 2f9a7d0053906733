// The X11 saver's command line, without a server.
#include <gtest/gtest.h>

#include "core/settings/SaverSettings.h"
#include "drivers/x11/MessagePanel.h"
#include "drivers/x11/PixelFormat.h"
#include "drivers/x11/SaverOptions.h"

namespace vireluna {
namespace {

saver::ParseOutcome Parse(std::vector<std::string> arguments, saver::SaverOptions& options,
                          std::string& error) {
    return saver::ParseSaverOptions(arguments, options, error);
}

TEST(SaverOptions, TakesXScreenSaverStyleSingleDashOptionsAndHexWindowIds) {
    saver::SaverOptions options;
    std::string error;
    // A hold outside the option page's range, as a hand-edited profile may hold it.
    ASSERT_EQ(Parse({"-window-id", "0x1a00007", "-pen-size", "2", "-hold-time=20", "-look",
                     "thread", "--other-monitors=plain", "a.pxs"},
                    options, error),
              saver::ParseOutcome::Run)
        << error;
    EXPECT_EQ(options.mode, saver::SaverMode::WindowId);
    EXPECT_EQ(options.windowId, 0x1a00007u);
    EXPECT_EQ(options.configOverrides.at("PenSize"), 2);
    EXPECT_EQ(options.configOverrides.at("HoldTime"), 20);
    EXPECT_EQ(options.configOverrides.at("Look"), static_cast<int>(StitchLook::Thread));
    EXPECT_EQ(options.configOverrides.at("Monitors"), static_cast<int>(OtherMonitors::Plain));
    EXPECT_EQ(options.files, std::vector<std::string>{"a.pxs"});

    saver::SaverOptions collection;
    ASSERT_EQ(Parse({"-fit", "-folder", "/home/me/designs"}, collection, error),
              saver::ParseOutcome::Run)
        << error;
    EXPECT_EQ(collection.configOverrides.at("Fit"), static_cast<int>(FitToScreen::On));
    EXPECT_EQ(collection.folder, std::optional<std::string>("/home/me/designs"));

    saver::SaverOptions decimal;
    ASSERT_EQ(Parse({"--window-id=27262983"}, decimal, error), saver::ParseOutcome::Run);
    EXPECT_EQ(decimal.windowId, 27262983u);
}

TEST(SaverOptions, DefaultsToAWindowWithTheProfilesPlaylist) {
    saver::SaverOptions options;
    std::string error;
    ASSERT_EQ(Parse({}, options, error), saver::ParseOutcome::Run);
    EXPECT_EQ(options.mode, saver::SaverMode::Window);
    EXPECT_EQ(options.geometry.width, 1024);
    EXPECT_EQ(options.geometry.height, 768);
    EXPECT_TRUE(options.files.empty());
    EXPECT_TRUE(options.configOverrides.empty());
    EXPECT_FALSE(options.ticks);
}

TEST(SaverOptions, RefusesWhatItCannotUseAndSaysWhy) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals{
        {{"--reduction", "80%"}, "--reduction wants a whole number, not '80%'"},
        {{"--draw-speed", "4294967296"}, "--draw-speed wants a whole number, not '4294967296'"},
        {{"--rotation", "two"}, "--rotation wants a whole number, not 'two'"},
        {{"--look", "1"}, "--look wants flat or thread, not '1'"},
        {{"--other-monitors"}, "--other-monitors needs a value"},
        {{"--ticks", "0"}, "--ticks wants a whole number from 1"},
        {{"--seed"}, "--seed needs a value"},
        {{"--window-id", "0"}, "--window-id wants a window id"},
        {{"--geometry", "big"}, "--geometry wants WIDTHxHEIGHT, not 'big'"},
        {{"--window", "--root"}, "give only one of"},
        {{"--root=1"}, "--root takes no value"},
        {{"--fit=1"}, "--fit takes no value"},
        {{"--folder"}, "--folder needs a value"},
        {{"--folder", ""}, "--folder needs a folder"},
        {{"-x"}, "unknown option '-x'"},
    };
    for (const auto& [arguments, message] : refusals) {
        saver::SaverOptions options;
        std::string error;
        EXPECT_EQ(Parse(arguments, options, error), saver::ParseOutcome::UsageError)
            << arguments[0];
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
    std::vector<std::string> tooMany(21, "a.pxs");
    saver::SaverOptions options;
    std::string error;
    EXPECT_EQ(Parse(tooMany, options, error), saver::ParseOutcome::UsageError);
}

// The message panel's lines: a path too long for the panel used to be cut at the right, so the
// file's name never showed. It loses its start instead, never inside a character.
TEST(MessagePanelText, ALongLineKeepsItsEndAfterAnEllipsis) {
    const std::string ellipsis = "\xE2\x80\xA6";
    // One pixel a byte: easy to count.
    const auto bytes = [](std::string_view text) { return static_cast<int>(text.size()); };
    EXPECT_EQ(x11::ShortenFromLeft("/short/koi.pxs", 14, bytes), "/short/koi.pxs");
    EXPECT_EQ(x11::ShortenFromLeft("/a/very/long/folder/koi.pxs", 14, bytes),
              ellipsis + "der/koi.pxs");
    // Japanese folder names: three bytes a character, each kept or dropped whole.
    const std::string folders = "/\xE5\x88\xBA\xE7\xB9\x8D/\xE5\x9B\xB3\xE6\xA1\x88/koi.pxs";
    const std::string shortened = x11::ShortenFromLeft(folders, 15, bytes);
    EXPECT_EQ(shortened, ellipsis + "\xE6\xA1\x88/koi.pxs");
    EXPECT_EQ(x11::ShortenFromLeft("koi.pxs", 2, bytes), ellipsis);
}

// A 10-bit visual (depth 30) used to get the 8-bit values in the low bits of each channel:
// every colour at a quarter of its brightness. Values are scaled to the channel's range, and
// read back as they were; the 8-bit and 5/6-bit visuals keep the value's top bits as before.
TEST(PixelFormatTest, WideChannelsAreScaledAndNarrowOnesKeepTheTopBits) {
    const x11::PixelFormat tenBits(0x3FF00000UL, 0x000FFC00UL, 0x000003FFUL);
    const std::uint32_t field = tenBits.PixelOf({190, 215, 255});
    EXPECT_EQ((field >> 20) & 0x3FF, 762u);
    EXPECT_EQ((field >> 10) & 0x3FF, 863u);
    EXPECT_EQ(field & 0x3FF, 1023u);
    EXPECT_EQ(tenBits.PixelOf({0, 0, 0}), 0u);
    for (int value = 0; value <= 255; ++value) {
        const auto v = static_cast<std::uint8_t>(value);
        const raster::Rgb back = tenBits.RgbOf(tenBits.PixelOf({v, v, v}));
        ASSERT_EQ(back, (raster::Rgb{v, v, v})) << value;
    }
    const x11::PixelFormat eightBits(0xFF0000UL, 0x00FF00UL, 0x0000FFUL);
    EXPECT_EQ(eightBits.PixelOf({190, 215, 255}), 0xBED7FFu);
    const x11::PixelFormat sixteenBits(0xF800UL, 0x07E0UL, 0x001FUL);
    EXPECT_EQ(sixteenBits.PixelOf({255, 255, 255}), 0xFFFFu);
    EXPECT_EQ(sixteenBits.PixelOf({190, 215, 255}), (23u << 11) | (53u << 5) | 31u);
}

}  // namespace
}  // namespace vireluna
