#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/directory.h"
#include "platform/exit_status.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "support/product_tree.h"
#include "support/test_files.h"

namespace {

using testing_support::BinaryRun;
using testing_support::RunProgram;
using testing_support::ScopedCurrentDirectory;
using testing_support::TempFolder;
using testing_support::WriteBytes;

// Built beside this test (see CMakeLists.txt).
const std::filesystem::path kExitWith = SLIDEPUB_WINDOWS_HELPERS "/exit_with.exe";

TEST(ExitStatusWin32, TheProcessEndsWithTheFull32BitResult) {
    const struct {
        std::int32_t result;
        std::uint32_t unsignedStatus;
    } cases[] = {
        {0, 0u},     {12, 12u},       {98, 98u},         {256, 256u},
        {512, 512u}, {18456, 18456u}, {-1, 4294967295u}, {-99, 4294967197u},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        EXPECT_EQ(ExitStatusFor(c.result), c.result);
        BinaryRun run = RunProgram(kExitWith, {std::to_string(c.result)}, folder.Path());
        EXPECT_EQ(static_cast<std::uint32_t>(run.exitStatus), c.unsignedStatus);
    }
}

TEST(NativePathWin32, WindowsPathsAreUsedAsTheyAre) {
    for (const char* path : {"..\\..\\Transfer\\Vidazara Dirodav\\Rundgang-Dateien\\script.js",
                             "start.html", "", "C:\\Programme\\x.exe"})
        EXPECT_EQ(NativePath(path), path);
}

TEST(FilesWin32, WindowsPathsReachTheFiles) {
    TempFolder folder;
    ScopedCurrentDirectory inFolder(folder.Path());
    WriteBytes(folder.Path() / "Unter Ordner" / "a.txt", "abc");
    EXPECT_TRUE(FileCanBeRead("Unter Ordner\\a.txt"));
    EXPECT_TRUE(RenameFile("Unter Ordner\\a.txt", "Unter Ordner\\b.txt"));
    EXPECT_FALSE(FileCanBeRead("Unter Ordner\\a.txt"));
    EXPECT_TRUE(RemoveFile("Unter Ordner\\b.txt"));
    EXPECT_FALSE(FileCanBeRead("Unter Ordner\\b.txt"));
}

TEST(DirectoryWin32, ChangesIntoAndBackAndRemovesOnlyEmptyFolders) {
    TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "Basis" / "Modul" / "Arbeit");
    std::filesystem::create_directories(folder.Path() / "Basis" / "Transfer" / "Leer");
    WriteBytes(folder.Path() / "Basis" / "Transfer" / "Voll" / "x.txt", "x");
    ScopedCurrentDirectory inWorkDir(folder.Path() / "Basis" / "Modul" / "Arbeit");

    std::string saved = CurrentDirectory();
    EXPECT_EQ(std::filesystem::path(saved), std::filesystem::current_path());
    ASSERT_TRUE(ChangeDirectory("..\\..\\Transfer\\"));
    EXPECT_EQ(std::filesystem::current_path(), folder.Path() / "Basis" / "Transfer");
    EXPECT_FALSE(RemoveEmptyDirectory("Voll"));
    EXPECT_TRUE(std::filesystem::exists("Voll\\x.txt"));
    EXPECT_TRUE(RemoveEmptyDirectory("Leer"));
    EXPECT_FALSE(std::filesystem::exists("Leer"));
    EXPECT_FALSE(RemoveEmptyDirectory("Fehlt"));
    EXPECT_FALSE(ChangeDirectory("Fehlt\\"));
    ASSERT_TRUE(ChangeDirectory(saved));
    EXPECT_EQ(CurrentDirectory(), saved);
}

}  // namespace
