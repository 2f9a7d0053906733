// The resources of the built Windows programs, both builds, read from their files and
// compared with what the About box, the pages, the strings, the cursor, the icon and the
// emblem are meant to be.
#include <gtest/gtest.h>

#include <strings.h>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/native/PeResourceReader.h"

namespace vireluna::testing {
namespace {

namespace win {
constexpr std::uint32_t Popup = 0x80000000, Child = 0x40000000, Visible = 0x10000000,
                        Caption = 0x00C00000, SysMenu = 0x00080000, Group = 0x00020000,
                        VScroll = 0x00200000, HScroll = 0x00100000;
constexpr std::uint32_t ModalFrame = 0x80, SetFont = 0x40;
constexpr std::uint32_t StaticKinds = 0x1F, StaticLeft = 0, StaticIcon = 3, NoPrefix = 0x80;
constexpr std::uint32_t ButtonKinds = 0xF, PushButton = 0, DefaultPushButton = 1, GroupBox = 7,
                        AutoRadioButton = 9;
constexpr std::uint32_t ListSort = 0x2, ListMultipleSelection = 0x8, ListExtendedSelection = 0x800;
constexpr std::uint32_t EditAutoScroll = 0x80, EditDigitsOnly = 0x2000;
constexpr std::uint32_t SpinWrap = 0x1, SpinSetBuddyInt = 0x2, SpinAlignRight = 0x4,
                        SpinAutoBuddy = 0x10, SpinArrowKeys = 0x20;
constexpr std::int32_t NoId = -1;  // a control without an id of its own
constexpr std::int32_t OkId = 1;
}  // namespace win

constexpr std::uint16_t AboutBoxId = 100;
constexpr std::uint16_t FilePageId = 106;
constexpr std::uint16_t OptionPageId = 131;
constexpr std::uint16_t IconId = 130;
constexpr std::uint16_t CursorId = 130;
constexpr std::uint16_t EmblemId = 132;
constexpr std::uint16_t DescriptionStringId = 1;
constexpr std::uint16_t TitleStringId = 57344;
constexpr int FontPoints = 9;
constexpr const char* Typeface = "ＭＳ Ｐゴシック";

struct ExpectedText {
    enum class Kind { Exact, AnyOneLine, Resource } kind = Kind::Exact;
    std::string text;
    std::uint16_t resource = 0;
};
ExpectedText Text(std::string text) {
    return {ExpectedText::Kind::Exact, std::move(text)};
}
const ExpectedText NoText = Text("");
const ExpectedText AnyOneLine{ExpectedText::Kind::AnyOneLine, {}, 0};
const ExpectedText TheIcon{ExpectedText::Kind::Resource, {}, IconId};

struct ExpectedControl {
    std::int32_t id;
    int x, y, width, height;
    std::string className;
    std::uint32_t kindMask, kind;  // the control's kind within its class
    std::uint32_t required, forbidden;
    ExpectedText text;
};

ExpectedControl Label(ExpectedText text, int x, int y, int width, int height) {
    return {win::NoId,       x, y, width,          height, "Static", win::StaticKinds,
            win::StaticLeft, 0, 0, std::move(text)};
}
ExpectedControl IconControl(int x, int y) {
    return {win::NoId, x, y, 20, 20, "Static", win::StaticKinds, win::StaticIcon, 0, 0, TheIcon};
}
ExpectedControl Button(std::int32_t id, std::uint32_t kind, const char* text, int x, int y,
                       int width, int height) {
    return {id, x, y, width, height, "Button", win::ButtonKinds, kind, 0, 0, Text(text)};
}
// Each group box starts a group of its own.
ExpectedControl GroupBox(const char* text, int x, int y, int width, int height) {
    ExpectedControl box = Button(win::NoId, win::GroupBox, text, x, y, width, height);
    box.required = win::Group;
    return box;
}
ExpectedControl Radio(std::int32_t id, const char* text, int x, int y, int width) {
    return Button(id, win::AutoRadioButton, text, x, y, width, 10);
}
// Any text may be typed, and long text scrolls.
ExpectedControl NumberField(std::int32_t id, int y) {
    return {id, 177, y, 36, 12, "Edit", 0, 0, win::EditAutoScroll, win::EditDigitsOnly, NoText};
}
ExpectedControl Spin(std::int32_t id, int y) {
    return {id,
            213,
            y,
            9,
            11,
            "msctls_updown32",
            0,
            0,
            win::SpinSetBuddyInt | win::SpinAlignRight | win::SpinAutoBuddy | win::SpinArrowKeys,
            win::SpinWrap,
            NoText};
}

struct ExpectedDialog {
    std::uint16_t id;
    std::uint32_t required;
    std::string caption;
    int width, height;
    std::vector<ExpectedControl> controls;
};

const ExpectedDialog AboutBox{
    AboutBoxId,
    win::ModalFrame | win::Popup | win::Caption | win::SysMenu | win::SetFont,
    "Tessoran Vireluna Screensaver",
    235,
    55,
    {IconControl(11, 17),
     [] {
         ExpectedControl version = Label(Text("QuibelScreensaver Ver. 4.0.0.2"), 40, 10, 119, 8);
         version.required = win::NoPrefix;
         return version;
     }(),
     Label(AnyOneLine, 40, 25, 119, 8),
     Button(win::OkId, win::DefaultPushButton, "OK", 178, 7, 50, 14)}};

const ExpectedDialog FilePage{FilePageId,
                              win::Child | win::SetFont,
                              "File",
                              230,
                              141,
                              {Label(Text("File for Screen Saver"), 7, 5, 131, 8),
                               {1013, 7, 21, 160, 110, "ListBox", 0, 0,
                                win::ListExtendedSelection | win::VScroll | win::HScroll,
                                win::ListSort | win::ListMultipleSelection, NoText},
                               Button(1014, win::PushButton, "Add", 173, 48, 50, 14),
                               Button(1015, win::PushButton, "Delete", 173, 75, 50, 14),
                               Button(6, win::PushButton, "Delete all", 173, 103, 50, 14)}};

const ExpectedDialog OptionPage{OptionPageId,
                                win::Child | win::SetFont,
                                "Option",
                                230,
                                141,
                                {GroupBox("Line thickness", 7, 4, 77, 57),
                                 Radio(1000, "Thin (1 pix.)", 12, 16, 70),
                                 Radio(1001, "Regular (2 pix.)", 12, 31, 70),
                                 Radio(1002, "Bold (3 pix.)", 12, 46, 70),
                                 GroupBox("Rotate", 7, 64, 77, 73),
                                 Radio(1009, "None", 12, 75, 70),
                                 Radio(1010, "-8 to +8 deg.", 12, 90, 70),
                                 Radio(1011, "-90 to +90 deg.", 12, 105, 70),
                                 Radio(1012, "0 to 360 deg.", 12, 120, 70),
                                 Label(Text("Unit time 1-10:"), 95, 86, 82, 8),
                                 NumberField(1003, 84),
                                 Spin(1006, 85),
                                 Label(Text("Size (%) 30-100:"), 95, 104, 82, 8),
                                 NumberField(1004, 102),
                                 Spin(1007, 103),
                                 Label(Text("Interval 50-500:"), 95, 122, 82, 8),
                                 NumberField(1005, 120),
                                 Spin(1008, 121),
                                 GroupBox("Drawing speed", 92, 4, 76, 73),
                                 Radio(1013, "1stitch/unit time", 97, 16, 68),
                                 Radio(1014, "2stitch/unit time", 97, 31, 68),
                                 Radio(1015, "3stitch/unit time", 97, 46, 68),
                                 Radio(1016, "5stitch/unit time", 97, 61, 68),
                                 IconControl(190, 22),
                                 Label(Text("VirelunaSaver"), 173, 55, 53, 8)}};

void ExpectText(const pe::NameOrNumber& text, const ExpectedText& expected) {
    switch (expected.kind) {
        case ExpectedText::Kind::Exact:
            EXPECT_EQ(text, (pe::NameOrNumber{expected.text, std::nullopt}));
            break;
        case ExpectedText::Kind::AnyOneLine:
            EXPECT_FALSE(text.name.empty());
            EXPECT_EQ(text.name.find('\n'), std::string::npos) << text.name;
            break;
        case ExpectedText::Kind::Resource:
            EXPECT_EQ(text, (pe::NameOrNumber{"", expected.resource}));
            break;
    }
}

void ExpectDialog(const pe::ResourceFile& file, const ExpectedDialog& expected) {
    const auto data = file.Find(pe::TypeDialog, expected.id);
    ASSERT_TRUE(data.has_value()) << "no dialog template " << expected.id;
    const std::optional<pe::DialogTemplate> dialog = pe::ParseDialog(*data);
    ASSERT_TRUE(dialog.has_value()) << "dialog template " << expected.id << " cannot be read";
    EXPECT_EQ(dialog->style & expected.required, expected.required) << std::hex << dialog->style;
    EXPECT_EQ(dialog->caption, expected.caption);
    EXPECT_EQ(dialog->width, expected.width);
    EXPECT_EQ(dialog->height, expected.height);
    EXPECT_EQ(dialog->fontPoints, FontPoints);
    EXPECT_EQ(dialog->typeface, Typeface);
    ASSERT_EQ(dialog->controls.size(), expected.controls.size());
    for (std::size_t i = 0; i < expected.controls.size(); ++i) {
        const pe::DialogControl& control = dialog->controls[i];
        const ExpectedControl& want = expected.controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + " (id " + std::to_string(want.id) + ")");
        EXPECT_EQ(control.id, want.id);
        EXPECT_EQ(strcasecmp(control.className.c_str(), want.className.c_str()), 0)
            << control.className;
        EXPECT_EQ((std::vector{control.x, control.y, control.width, control.height}),
                  (std::vector{want.x, want.y, want.width, want.height}));
        const std::uint32_t required = want.required | win::Child | win::Visible;
        EXPECT_EQ(control.style & want.kindMask, want.kind) << std::hex << control.style;
        EXPECT_EQ(control.style & required, required) << std::hex << control.style;
        EXPECT_EQ(control.style & want.forbidden, 0u) << std::hex << control.style;
        ExpectText(control.text, want.text);
    }
}

void ExpectString(const pe::ResourceFile& file, std::uint16_t id) {
    EXPECT_EQ(file.String(id), std::optional<std::string>("VirelunaLogo")) << "string " << id;
}

// The About box shows the icon at 32 by 32 pixels in 256 colours.
void ExpectIcon(const pe::ResourceFile& file) {
    const std::vector<pe::ImageShape> images = pe::IconImages(file, IconId);
    std::ostringstream sizes;
    bool aboutBoxImage = false;
    for (const pe::ImageShape& image : images) {
        sizes << image.width << "x" << image.height << "x" << image.bitCount << " ";
        aboutBoxImage |= image.width == 32 && image.height == 32 && image.bitCount == 8;
    }
    EXPECT_TRUE(aboutBoxImage) << "icon 130 holds " << sizes.str();
}

void ExpectInvisibleCursor(const pe::ResourceFile& file) {
    const std::vector<pe::CursorImage> images = pe::CursorImages(file, CursorId);
    ASSERT_EQ(images.size(), 1u);
    const pe::CursorImage& cursor = images.front();
    EXPECT_EQ(cursor.shape.width, 32);
    EXPECT_EQ(cursor.shape.height, 32);
    EXPECT_EQ(cursor.hotSpotX, 0);
    EXPECT_EQ(cursor.hotSpotY, 0);
    EXPECT_TRUE(cursor.fullyTransparent);
}

void ExpectEmblem(const pe::ResourceFile& file) {
    const std::optional<pe::ImageShape> emblem = pe::BitmapShape(file, EmblemId);
    ASSERT_TRUE(emblem.has_value()) << "no bitmap 132";
    EXPECT_EQ(emblem->width, 96);
    EXPECT_EQ(emblem->height, 109);
}

enum Program : unsigned { Saver = 1, Settings = 2 };

struct ResourceRow {
    const char* what;
    unsigned heldBy;
    std::function<void(const pe::ResourceFile&)> expect;
};

const std::vector<ResourceRow> Resources{
    {"dialog 100", Saver, [](auto& file) { ExpectDialog(file, AboutBox); }},
    {"page 106", Saver | Settings, [](auto& file) { ExpectDialog(file, FilePage); }},
    {"page 131", Saver | Settings, [](auto& file) { ExpectDialog(file, OptionPage); }},
    {"string 1", Saver, [](auto& file) { ExpectString(file, DescriptionStringId); }},
    {"string 57344", Saver | Settings, [](auto& file) { ExpectString(file, TitleStringId); }},
    {"icon 130", Saver | Settings, ExpectIcon},
    {"cursor 130", Saver, ExpectInvisibleCursor},
    {"bitmap 132", Saver, ExpectEmblem},
};

const std::vector<std::pair<Program, std::string>> Programs{
    {Saver, "drivers/win32/saver/VirelunaLogo.scr"},
    {Settings, "drivers/win32/settings/VirelunaSettings.exe"}};

std::vector<std::string> WindowsTrees() {
    std::vector<std::string> trees;
    std::istringstream list(VIRELUNA_WINDOWS_TREES);
    for (std::string tree; std::getline(list, tree, '|');) trees.push_back(tree);
    return trees;
}

TEST(BuiltResources, BothBuildsHoldTheResourcesAsDescribed) {
    ASSERT_FALSE(WindowsTrees().empty());
    // A lone native tree (a plain CMake build) has no Windows programs to read; beside the
    // trees of scripts/build-all.sh a missing program is a failure.
    const bool anyTree = std::ranges::any_of(WindowsTrees(), [](const std::string& tree) {
        return std::filesystem::is_directory(tree);
    });
    if (!anyTree) GTEST_SKIP() << "no Windows build tree beside this one";
    for (const std::string& tree : WindowsTrees()) {
        for (const auto& [program, relativePath] : Programs) {
            const std::string path = tree + "/" + relativePath;
            SCOPED_TRACE(path);
            std::string error;
            const std::optional<pe::ResourceFile> file = pe::ResourceFile::Load(path, error);
            if (!file) {
                ADD_FAILURE() << error << " (build the Windows trees: scripts/build-all.sh)";
                continue;
            }
            for (const ResourceRow& row : Resources) {
                if ((row.heldBy & program) == 0) continue;
                SCOPED_TRACE(row.what);
                row.expect(*file);
            }
        }
    }
}

}  // namespace
}  // namespace vireluna::testing
