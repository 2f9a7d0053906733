// Pipes and devices are no designs: refused by the start-up check and by the open, at once.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "systems/win32/Win32FileSystem.h"
#include "systems/win32/Win32InputFile.h"

namespace vireluna {
namespace {

TEST(Win32InputFileTest, OnlyAFileOnADiskIsPlain) {
    EXPECT_TRUE(IsPlainFile(FILE_TYPE_DISK, true, FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(IsPlainFile(FILE_TYPE_DISK, true, FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(IsPlainFile(FILE_TYPE_PIPE, true, FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(IsPlainFile(FILE_TYPE_CHAR, true, FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(IsPlainFile(FILE_TYPE_UNKNOWN, true, FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(IsPlainFile(FILE_TYPE_DISK, false, 0));  // a volume has no file information
    EXPECT_FALSE(IsPlainFile(FILE_TYPE_DISK, true, FILE_ATTRIBUTE_DEVICE));
    EXPECT_FALSE(IsPlainFile(FILE_TYPE_DISK, true, FILE_ATTRIBUTE_DIRECTORY));
}

// A pipe with a server waiting opens at once, and its read would wait for the server to write.
TEST(Win32InputFileTest, NamedPipeAndConsoleDeviceAreNotOpened) {
    const wchar_t* pipeName = L"\\\\.\\pipe\\vireluna_input_file_test";
    const HANDLE server =
        CreateNamedPipeW(pipeName, PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 4, 64, 64, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    Win32InputFile file;
    EXPECT_FALSE(file.Open("\\\\.\\pipe\\vireluna_input_file_test"));
    EXPECT_FALSE(file.OpenExclusive("\\\\.\\pipe\\vireluna_input_file_test"));
    EXPECT_FALSE(file.Open("NUL"));
    EXPECT_FALSE(file.IsOpen());
    CloseHandle(server);
}

TEST(Win32InputFileTest, StartUpCheckDoesNotFindDevices) {
    for (const char* device : {"\\\\.\\pipe\\name", "//./COM1", "NUL", "C:\\designs\\con.pxs",
                               "aux", "D:\\Lpt3 .dst", "com9"}) {
        EXPECT_TRUE(win32::NamesADevice(device)) << device;
    }
    for (const char* file : {"\\\\.\\C:\\designs\\koi.pxs", "\\\\server\\share\\koi.pxs",
                             "C:\\designs\\console.pxs", "C:\\nul\\koi.pxs", "com0.pxs", "COM10"}) {
        EXPECT_FALSE(win32::NamesADevice(file)) << file;
    }
    win32::Win32FileSystem files;
    EXPECT_FALSE(files.DirectorySearchFinds("\\\\.\\pipe\\vireluna_no_such_pipe"));
    EXPECT_FALSE(files.DirectorySearchFinds("NUL"));
    EXPECT_FALSE(files.DirectorySearchFinds("C:\\nul.pxs"));
}

}  // namespace
}  // namespace vireluna
