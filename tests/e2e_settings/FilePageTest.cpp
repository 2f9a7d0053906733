#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e_settings/SheetDriver.h"

namespace vireluna::e2e {
namespace {

constexpr int FilePage = 0;
constexpr int AddButton = 1014;
constexpr int DeleteButton = 1015;
constexpr int DeleteAllButton = 6;
using Entries = std::vector<std::wstring>;

const std::string ColourHeading =
    "Could not process the file because it contains too many color changes. (Maximum 72)\n";
const std::string StitchHeading =
    "Could not read the file because it contains too many stitches. (maximum 64,000 stitches)\n";

class FilePageTest : public ::testing::Test {
  protected:
    void SetUp() override { Profile::Clear(); }
    void TearDown() override { Profile::Clear(); }

    // Reads the next box and checks that it is the application's refusal with this text.
    void ExpectRefusal(const SettingsProgram& program, const std::string& text) {
        const auto box = program.CloseMessageBox();
        ASSERT_TRUE(box.has_value()) << "no message box for: " << text;
        EXPECT_EQ(Narrow(box->caption), "VirelunaLogo");
        EXPECT_EQ(Narrow(box->text), text);
        EXPECT_EQ(box->icon, BoxIconSeen::Stop);
    }

    DesignFolder folder;
};

TEST_F(FilePageTest, ListFromTheProfileAddThroughTheDialogDeleteAndDeleteAll) {
    for (int k = 1; k <= 4; ++k) {
        Profile::SetFile(k, folder.Design(L"p" + std::to_wstring(k) + L".pxs", 1, 1));
    }
    folder.Design(L"new a.pxs", 1, 1);
    folder.Design(L"new b.pxs", 1, 1);
    SettingsProgram program(folder.Path());
    ASSERT_NE(program.Sheet(), nullptr);
    EXPECT_EQ(program.ListEntries(),
              (Entries{folder.FullPath(L"p1.pxs"), folder.FullPath(L"p2.pxs"),
                       folder.FullPath(L"p3.pxs"), folder.FullPath(L"p4.pxs")}));
    EXPECT_FALSE(program.IsApplyEnabled());

    program.Click(FilePage, AddButton);
    HWND dialog = program.WaitForFileDialog();
    ASSERT_NE(dialog, nullptr);
    program.ChooseInFileDialog(dialog, L"\"new b.pxs\" \"new a.pxs\"");
    ASSERT_TRUE(WaitFor([&] { return program.ListEntries().size() == 6; }));
    const Entries afterAdd = program.ListEntries();
    const Entries added(afterAdd.begin() + 4, afterAdd.end());
    EXPECT_EQ(added.size(), 2u);
    for (const wchar_t* name : {L"new a.pxs", L"new b.pxs"}) {
        EXPECT_NE(std::find(added.begin(), added.end(), folder.FullPath(name)), added.end())
            << Narrow(name);
    }
    EXPECT_TRUE(program.IsApplyEnabled());

    program.Click(FilePage, AddButton);
    dialog = program.WaitForFileDialog();
    ASSERT_NE(dialog, nullptr);
    program.CancelFileDialog(dialog);
    EXPECT_TRUE(program.NoMessageBox());
    EXPECT_EQ(program.ListEntries().size(), 6u);

    // Entries 1, 3 and 4 of the list.
    program.SelectListEntries({0, 2, 3});
    program.Click(FilePage, DeleteButton);
    ASSERT_TRUE(WaitFor([&] { return program.ListEntries().size() == 3; }));
    const Entries afterDelete = program.ListEntries();
    EXPECT_EQ(afterDelete[0], folder.FullPath(L"p2.pxs"));
    EXPECT_EQ(Entries(afterDelete.begin() + 1, afterDelete.end()), added);

    program.Click(FilePage, DeleteAllButton);
    ASSERT_TRUE(WaitFor([&] { return program.ListEntries().empty(); }));
    program.PressApply();
    ExpectRefusal(program, "No files were in the list.");
    EXPECT_TRUE(program.NoMessageBox());
    EXPECT_EQ(Profile::File(1), folder.FullPath(L"p1.pxs"));
}

TEST_F(FilePageTest, RefusalsInTheirOrderThenTwentyFilesAreStoredOnOk) {
    std::wstring typed;
    for (int i = 0; i < 21; ++i) {
        const std::wstring name = L"d" + std::to_wstring(i) + L".pxs";
        folder.Design(name, 72, 64000);
        typed += L"\"" + name + L"\" ";
    }
    const std::wstring colours = folder.Design(L"colours.pxs", 73, 1);
    const std::wstring stitches = folder.Design(L"stitches.pxs", 1, 64001);
    const std::wstring missing = folder.FullPath(L"missing.pxs");
    Profile::SetFile(1, stitches);
    Profile::SetFile(2, colours);
    Profile::SetFile(3, missing);
    SettingsProgram program(folder.Path());
    ASSERT_NE(program.Sheet(), nullptr);

    program.PressOk();
    ExpectRefusal(program, "File not found.\n\n" + Narrow(missing));
    program.SelectListEntries({2});
    program.Click(FilePage, DeleteButton);
    ASSERT_TRUE(WaitFor([&] { return program.ListEntries().size() == 2; }));
    program.PressOk();
    ExpectRefusal(program, ColourHeading + Narrow(colours) + "\n");
    program.SelectListEntries({1});
    program.Click(FilePage, DeleteButton);
    ASSERT_TRUE(WaitFor([&] { return program.ListEntries().size() == 1; }));
    program.PressApply();
    ExpectRefusal(program, StitchHeading + Narrow(stitches) + "\n");

    program.Click(FilePage, DeleteAllButton);
    program.Click(FilePage, AddButton);
    const HWND dialog = program.WaitForFileDialog();
    ASSERT_NE(dialog, nullptr);
    program.ChooseInFileDialog(dialog, typed);
    ASSERT_TRUE(WaitFor([&] { return program.ListEntries().size() == 21; }));
    const Entries chosen = program.ListEntries();
    program.PressOk();
    ExpectRefusal(program,
                  "Too many files in the list, reduce number of file. (maximum 20 files).");

    program.SelectListEntries({20});
    program.Click(FilePage, DeleteButton);
    ASSERT_TRUE(WaitFor([&] { return program.ListEntries().size() == 20; }));
    program.PressOk();
    ASSERT_EQ(program.WaitForExit(), 0u);
    for (int k = 1; k <= 20; ++k) EXPECT_EQ(Profile::File(k), chosen[k - 1]) << k;
    EXPECT_EQ(Profile::Integer(L"PenSize"), 1u);
    EXPECT_EQ(Profile::Integer(L"HoldTime"), 100u);
}

// Another format is counted from its content: a DST file is accepted, a .vp3 file without
// its format's signature is refused as unreadable.
TEST_F(FilePageTest, AcceptsADstFileAndRefusesAFalseVp3) {
    const std::wstring dst = folder.FullPath(L"two colours.dst");
    {
        std::string bytes(512, ' ');
        bytes.replace(0, 3, "LA:");
        // A stitch, a colour change, a stitch, the end.
        bytes += std::string("\x01\x00\x03\x00\x00\xC3\x01\x00\x03\x00\x00\xF3", 12);
        std::ofstream(std::filesystem::path(dst), std::ios::binary) << bytes;
    }
    const std::wstring fake = folder.Design(L"fake.vp3", 1, 1);
    Profile::SetFile(1, dst);
    Profile::SetFile(2, fake);
    SettingsProgram program(folder.Path());
    ASSERT_NE(program.Sheet(), nullptr);

    program.PressOk();
    ExpectRefusal(program,
                  "Could not read the file because it is not a design file in a format the saver "
                  "reads (PXS, DST, EXP, PES, VP3, HUS, VIP, XXX, PCS), or it is damaged.\n\n" +
                      Narrow(fake));
    program.SelectListEntries({1});
    program.Click(FilePage, DeleteButton);
    ASSERT_TRUE(WaitFor([&] { return program.ListEntries().size() == 1; }));
    program.PressOk();
    ASSERT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(Profile::File(1), dst);
}

// Apply stores what it accepted at once, as Apply does on Windows; Cancel after it keeps that.
TEST_F(FilePageTest, ApplyStoresAtOnceAndCancelAfterwardsKeepsIt) {
    const std::wstring design = folder.Design(L"kept.pxs", 1, 1);
    Profile::SetFile(1, design);
    SettingsProgram program(folder.Path());
    ASSERT_NE(program.Sheet(), nullptr);
    program.SelectPage(1);
    ASSERT_TRUE(WaitFor([&] { return program.CurrentPage() == program.Page(1); }));
    program.SetText(1, 1004, L"55");
    program.PressApply();
    EXPECT_TRUE(WaitFor([] { return Profile::Integer(L"Reduction") == 55u; }))
        << "Apply stored nothing";
    EXPECT_EQ(Profile::File(1), design);

    program.SetText(1, 1004, L"66");
    program.PressCancel();
    ASSERT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(Profile::Integer(L"Reduction"), 55u);
}

TEST_F(FilePageTest, CancelWritesNothing) {
    Profile::SetInteger(L"Rotation", 1);
    SettingsProgram program(folder.Path());
    ASSERT_NE(program.Sheet(), nullptr);
    program.Click(FilePage, DeleteAllButton);
    ASSERT_TRUE(program.ShowPage(1));
    program.SetText(1, 1004, L"55");
    program.PressCancel();
    ASSERT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(Profile::Integer(L"Rotation"), 1u);
    EXPECT_EQ(Profile::Integer(L"Reduction"), std::nullopt);
    EXPECT_EQ(Profile::File(1), std::nullopt);
}

}  // namespace
}  // namespace vireluna::e2e
