#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "packaging/command_runner.h"
#include "packaging/console_capture.h"
#include "packaging/fingerprint.h"
#include "packaging/reference_md5.h"
#include "support/product_tree.h"

namespace {

using packaging_testing::ConsoleCapture;
using packaging_testing::ReferenceMd5;
using testing_support::ProductTree;
using testing_support::ReadBytes;
using testing_support::RunProgram;
using testing_support::ScopedCurrentDirectory;
using testing_support::WriteBytes;

// The archiver command of the export step, as it builds it, run in the
// transfer folder with the real Info-ZIP zip.
struct ArchiveCase {
    const char* label;
    const char* command;
    const char* archive;               // in the presentations folder
    std::vector<std::string> files;    // in the transfer folder before the run
    std::vector<std::string> members;  // sorted
    std::vector<std::string> left;     // files the archiver must not take
    const char* emptiedFolder;         // an export folder that stays, emptied; or none
};

void PrintTo(const ArchiveCase& c, std::ostream* out) {
    *out << c.label;
}

class ArchiveCommand : public testing::TestWithParam<ArchiveCase> {};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

TEST_P(ArchiveCommand, PacksExactlyTheExportAndMovesItIntoTheArchive) {
    const ArchiveCase& row = GetParam();
    ProductTree tree;
    tree.InstallRealArchiver();
    for (const std::string& file : row.files)
        WriteBytes(tree.Transfer() / file, "content of " + file);
    for (const std::string& file : row.left) WriteBytes(tree.Transfer() / file, "not packed");

    std::int32_t result = 0;
    std::string console;
    {
        ScopedCurrentDirectory inTransfer(tree.Transfer());
        ConsoleCapture capture;
        result = RunCommand(row.command);
        console = capture.Finish();
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(console, "Programm beendet \n");  // -q keeps the archiver silent

    std::filesystem::path archive = tree.Presentations() / row.archive;
    auto listing = RunProgram("/usr/bin/unzip", {"-Z1", archive.string()}, tree.Base());
    ASSERT_EQ(listing.exitStatus, 0) << listing.err;
    std::vector<std::string> members = Lines(listing.out);
    std::sort(members.begin(), members.end());
    EXPECT_EQ(members, row.members);

    for (const std::string& file : row.files)
        EXPECT_FALSE(std::filesystem::exists(tree.Transfer() / file)) << file << " not moved";
    for (const std::string& file : row.left)
        EXPECT_TRUE(std::filesystem::exists(tree.Transfer() / file)) << file << " taken";
    if (row.emptiedFolder != nullptr) {
        std::filesystem::path folder = tree.Transfer() / row.emptiedFolder;
        EXPECT_TRUE(std::filesystem::is_directory(folder));
        EXPECT_TRUE(std::filesystem::is_empty(folder));
    }

    // The fingerprint the import sequence registers, from the working directory.
    std::string lowerName = row.archive;
    std::transform(lowerName.begin(), lowerName.end(), lowerName.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    ScopedCurrentDirectory inWorkDir(tree.WorkDir());
    EXPECT_EQ(FileFingerprint(std::string("..\\..\\Zusatzmodule\\ExternePraesentationen\\") +
                              row.archive),
              ReferenceMd5(lowerName + ReadBytes(archive)));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ArchiveCommand,
    testing::Values(
        ArchiveCase{
            "Layout2003",
            R"(..\..\cgi-bin\zip.exe -q -m "..\..\Zusatzmodule\ExternePraesentationen\Rundgang.exc" "start.html" "ExtPres.Orv" "Rundgang.htm" "Rundgang_*.*")",
            "Rundgang.exc",
            {"start.html", "ExtPres.Orv", "Rundgang.htm", "Rundgang_script.js",
             "Rundgang_slide0001.htm", "Rundgang_frame"},
            {"ExtPres.Orv", "Rundgang.htm", "Rundgang_frame", "Rundgang_script.js",
             "Rundgang_slide0001.htm", "start.html"},
            {"Rundgang2.htm", "Other_script.js"},
            nullptr},
        ArchiveCase{
            "Layout2000",
            R"(..\..\cgi-bin\zip.exe -q -m "..\..\Zusatzmodule\ExternePraesentationen\Rundgang.exc" "start.html" "ExtPres.Orv" "Rundgang.htm" "Rundgang-Dateien\*.*")",
            "Rundgang.exc",
            {"start.html", "ExtPres.Orv", "Rundgang.htm", "Rundgang-Dateien/script.js",
             "Rundgang-Dateien/slide0001.htm", "Rundgang-Dateien/frame"},
            {"ExtPres.Orv", "Rundgang-Dateien/frame", "Rundgang-Dateien/script.js",
             "Rundgang-Dateien/slide0001.htm", "Rundgang.htm", "start.html"},
            {"Other.htm"},
            "Rundgang-Dateien"},
        ArchiveCase{
            "NameWithBlanks",
            R"(..\..\cgi-bin\zip.exe -q -m "..\..\Zusatzmodule\ExternePraesentationen\Mein Rundgang.exc" "start.html" "ExtPres.Orv" "Mein Rundgang.htm" "Mein Rundgang-Dateien\*.*")",
            "Mein Rundgang.exc",
            {"start.html", "ExtPres.Orv", "Mein Rundgang.htm", "Mein Rundgang-Dateien/bild 1.png",
             "Mein Rundgang-Dateien/slide0001.htm"},
            {"ExtPres.Orv", "Mein Rundgang-Dateien/bild 1.png",
             "Mein Rundgang-Dateien/slide0001.htm", "Mein Rundgang.htm", "start.html"},
            {"Mein.htm"},
            "Mein Rundgang-Dateien"}),
    [](const testing::TestParamInfo<ArchiveCase>& info) { return std::string(info.param.label); });

}  // namespace
