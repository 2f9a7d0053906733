#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "systems/posix/IniProfileStore.h"
#include "systems/posix/PosixFileSystem.h"
#include "systems/posix/ProfileLocation.h"
#include "tests/native/ProfileTestFolder.h"

namespace vireluna {
namespace {

using testing::ReadFile;
using testing::ScopedVariable;
using testing::TempFolder;
using testing::WriteFile;

class IniProfileStoreTest : public ::testing::Test {
  protected:
    std::string ProfilePath() const {
        return folder_.Path() + "/TessoranVireluna/VirelunaLogo.ini";
    }
    TempFolder folder_;
};

TEST_F(IniProfileStoreTest, ReadsAHandWrittenFile) {
    WriteFile(ProfilePath(),
              "\xEF\xBB\xBF; written by hand\r\n[Config]\r\nPenSize = 2\r\nrotation=0 ; none\r\n"
              "DrawSpeed=fast\r\nReduction=99999999999\r\nHoldTime=120\r\nHoldTime=130\r\n"
              "[display file list]\r\nFile01=/home/\xC3\xBC/one;two.pxs\r\nFile02=\r\n");
    IniProfileStore store(ProfilePath());
    EXPECT_EQ(store.FileState(), ProfileFileState::Read);
    EXPECT_EQ(store.FirstErrorLine(), 0);
    EXPECT_EQ(store.ReadInteger("Config", "PenSize", -1), 2);
    EXPECT_EQ(store.ReadInteger("Config", "Rotation", -1), 0);
    EXPECT_EQ(store.ReadInteger("Config", "DrawSpeed", -1), -1);  // not a number
    EXPECT_EQ(store.ReadInteger("Config", "Reduction", -1), -1);  // beyond 32 bits
    EXPECT_EQ(store.ReadInteger("Config", "HoldTime", -1), 130);  // the later one counts
    EXPECT_EQ(store.ReadString("Display File List", "File01", ""), "/home/\xC3\xBC/one;two.pxs");
    EXPECT_EQ(store.ReadString("Display File List", "File02", "default"), "");
    EXPECT_EQ(store.ReadString("Display File List", "File03", "default"), "default");
}

TEST_F(IniProfileStoreTest, LongLinesAreReadWhole) {
    const std::string path300 = "/" + std::string(295, 'a') + ".pxs";
    const std::string path1000 = "/" + std::string(500, 'b') + " x;y " + std::string(490, 'c');
    const std::string continued(400, 'e');
    IniProfileStore store("");
    store.LoadText("[Display File List]\nFile01=" + path300 + "\nFile02 =   " + path1000 +
                   "    ; a note\nFile03=\n    " + continued + "\n[" + std::string(250, 'S') +
                   "]\nFile04=/elsewhere.pxs\n");
    EXPECT_EQ(store.ReadString("Display File List", "File01", ""), path300);
    EXPECT_EQ(store.ReadString("Display File List", "File02", ""), path1000);
    EXPECT_EQ(store.ReadString("Display File List", "File03", ""), continued);
    EXPECT_EQ(store.ReadString("Display File List", "File04", "missing"), "missing");
    EXPECT_EQ(store.FirstErrorLine(), 0);
}

TEST_F(IniProfileStoreTest, WritingChangesOneEntryAndKeepsEverythingElse) {
    WriteFile(ProfilePath(),
              "; keep me\n[Config]\nPenSize=1 ; was regular\nRotation=2\n\n[Other]\nkey=value\n"
              "not an entry\n");
    const std::string longPath = "/" + std::string(600, 'p') + ".pxs";
    IniProfileStore store(ProfilePath());
    ASSERT_TRUE(store.WriteInteger("Config", "penSize", 2));
    ASSERT_TRUE(store.WriteInteger("Config", "HoldTime", -2147483647 - 1));
    ASSERT_TRUE(store.WriteString("Display File List", "File01", longPath));
    ASSERT_TRUE(store.WriteString("Display File List", "File02", ""));

    EXPECT_EQ(ReadFile(ProfilePath()),
              "; keep me\n[Config]\npenSize=2\nRotation=2\nHoldTime=-2147483648\n\n[Other]\n"
              "key=value\nnot an entry\n\n[Display File List]\nFile01=" +
                  longPath + "\nFile02=\n");
    IniProfileStore reread(ProfilePath());
    EXPECT_EQ(reread.ReadInteger("Config", "PenSize", 0), 2);
    EXPECT_EQ(reread.ReadInteger("Config", "HoldTime", 0), INT32_MIN);
    EXPECT_EQ(reread.ReadString("Other", "key", ""), "value");
    EXPECT_EQ(reread.ReadString("Display File List", "File01", ""), longPath);
    EXPECT_EQ(reread.ReadString("Display File List", "File02", "default"), "");
    EXPECT_EQ(store.ReadString("Display File List", "File01", ""), longPath);
}

// After an entry without a name an indented line is an error, not a continuation; a new
// entry put below it would take that line over.
TEST_F(IniProfileStoreTest, AddedEntryNeverTakesOverALaterLine) {
    WriteFile(ProfilePath(), "[Config]\n=nameless\n  indented\n");
    IniProfileStore store(ProfilePath());
    ASSERT_TRUE(store.WriteInteger("Config", "PenSize", 2));
    EXPECT_EQ(IniProfileStore(ProfilePath()).ReadInteger("Config", "PenSize", -1), 2);
    EXPECT_EQ(ReadFile(ProfilePath()), "[Config]\n=nameless\n  indented\n\n[Config]\nPenSize=2\n");
}

TEST_F(IniProfileStoreTest, WritingCreatesTheFolderAndFollowsTheFilesLineEndings) {
    IniProfileStore fresh(ProfilePath());
    ASSERT_TRUE(fresh.WriteInteger("Config", "PenSize", 0));
    EXPECT_EQ(ReadFile(ProfilePath()), "[Config]\nPenSize=0\n");

    WriteFile(ProfilePath(), "[Config]\r\nPenSize=1\r\n");
    IniProfileStore store(ProfilePath());
    ASSERT_TRUE(store.WriteInteger("Config", "PenSize", 2));
    ASSERT_TRUE(store.WriteInteger("Config", "HoldTime", 60));
    EXPECT_EQ(ReadFile(ProfilePath()), "[Config]\r\nPenSize=2\r\nHoldTime=60\r\n");
}

TEST_F(IniProfileStoreTest, ValuesTheFileCannotHoldAreRefusedAndNothingChanges) {
    const std::string original = "[Config]\nPenSize=1\n";
    WriteFile(ProfilePath(), original);
    IniProfileStore store(ProfilePath());
    for (const std::string& value :
         {std::string("a\nb"), std::string(" lead"), std::string("trail\t"), std::string("a ;b"),
          std::string("x\r"), std::string("a\0b", 3)}) {
        EXPECT_FALSE(store.WriteString("Config", "Note", value)) << value;
    }
    for (const char* name : {"", "a=b", "[x]", " File01", "x;y", "a\nb"}) {
        EXPECT_FALSE(store.WriteString("Config", name, "v")) << name;
        EXPECT_FALSE(store.WriteString(name, "File01", "v")) << name;
    }
    EXPECT_EQ(ReadFile(ProfilePath()), original);
    EXPECT_EQ(store.ReadString("Config", "Note", "none"), "none");
}

TEST_F(IniProfileStoreTest, FailedWritesReportFalse) {
    EXPECT_EQ(IniProfileStore(ProfilePath()).FileState(), ProfileFileState::Missing);
    // The profile's folder cannot be made: a file stands where it should be.
    WriteFile(folder_.Path() + "/TessoranVireluna", "not a folder");
    EXPECT_FALSE(IniProfileStore(ProfilePath()).WriteInteger("Config", "PenSize", 2));

    // The profile is a folder: neither read nor replaced.
    const std::string folderProfile = folder_.Path() + "/profile.ini";
    std::filesystem::create_directories(folderProfile + "/inside");
    IniProfileStore store(folderProfile);
    EXPECT_EQ(store.FileState(), ProfileFileState::Unreadable);
    EXPECT_FALSE(store.WriteInteger("Config", "PenSize", 2));
    EXPECT_TRUE(std::filesystem::is_directory(folderProfile + "/inside"));
}

TEST_F(IniProfileStoreTest, WritingKeepsPermissionsAndWritesThroughALink) {
    const std::string target = folder_.Path() + "/dotfiles/profile.ini";
    WriteFile(target, "[Config]\nPenSize=1\n");
    ::chmod(target.c_str(), 0600);
    std::filesystem::create_directories(folder_.Path() + "/TessoranVireluna");
    std::filesystem::create_symlink(target, ProfilePath());

    ASSERT_TRUE(IniProfileStore(ProfilePath()).WriteInteger("Config", "PenSize", 2));
    EXPECT_TRUE(std::filesystem::is_symlink(ProfilePath()));
    EXPECT_EQ(ReadFile(target), "[Config]\nPenSize=2\n");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path() + "/dotfiles"),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ProfileLocation, FollowsXdgConfigHomeThenHome) {
    ScopedVariable home("HOME", "/home/someone");
    {
        ScopedVariable config("XDG_CONFIG_HOME", "/xdg/config");
        EXPECT_EQ(DefaultProfilePath(), "/xdg/config/TessoranVireluna/VirelunaLogo.ini");
        EXPECT_EQ(IniProfileStore().Location(), DefaultProfilePath());
    }
    const std::string fallback = "/home/someone/.config/TessoranVireluna/VirelunaLogo.ini";
    {
        ScopedVariable config("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(DefaultProfilePath(), fallback);
    }
    ScopedVariable config("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(DefaultProfilePath(), fallback);
}

TEST(DefaultDesignPath, PrefersTheDataFolderNamedInTheEnvironment) {
    TempFolder data;
    const std::string logo = data.Path() + "/designs/logo.pxs";
    {
        ScopedVariable dataDir("VIRELUNA_DATA_DIR", data.Path());
        EXPECT_NE(PosixFileSystem().DefaultDesignPath(), logo);  // not there yet
        WriteFile(logo, "PXS");
        EXPECT_EQ(PosixFileSystem().DefaultDesignPath(), logo);
    }
    EXPECT_NE(PosixFileSystem().DefaultDesignPath(), logo);
    EXPECT_TRUE(PosixFileSystem().DefaultDesignPath().ends_with("/designs/logo.pxs"));
}

}  // namespace
}  // namespace vireluna
