// The whole installation under Windows (Wine): the real SlidePub_ODBC.exe in
// a temporary product tree, a stand-in zip.exe that records how it was
// started, and the throwaway PostgreSQL catalogue, reached through Wine's
// odbc32 and the host's unixODBC.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "packaging/reference_md5.h"
#include "support/export_fixture.h"
#include "support/product_tree.h"
#include "support/test_database.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;
using packaging_testing::ReferenceMd5;

const fs::path kHelpers = SLIDEPUB_WINDOWS_HELPERS;

const std::string kTemplateGif =
    std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13) + std::string(500, '\x7F') + "Vorschau;";

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The members of a stand-in archive (see zip_stand_in.cpp), sorted by name,
// with "/" between folders as ExpectedArchiveMembers names them.
std::vector<ExportFile> ArchiveMembers(const std::string& archive) {
    std::vector<ExportFile> members;
    std::size_t at = 0;
    while (at < archive.size()) {
        std::size_t nameEnd = archive.find('\n', at);
        std::size_t sizeEnd = archive.find('\n', nameEnd + 1);
        if (sizeEnd == std::string::npos) return {{"<broken archive>", archive}};
        std::string name = archive.substr(at, nameEnd - at);
        std::size_t size = std::stoul(archive.substr(nameEnd + 1, sizeEnd - nameEnd - 1));
        for (char& c : name)
            if (c == '\\') c = '/';
        members.push_back({name, archive.substr(sizeEnd + 1, size)});
        at = sizeEnd + 1 + size + 1;
    }
    std::sort(members.begin(), members.end(),
              [](const ExportFile& a, const ExportFile& b) { return a.name < b.name; });
    return members;
}

// Lines of the run log after the start line and the two argument lines.
std::string LogAfterArguments(const ProductTree& tree) {
    std::string log = tree.ReadLog();
    std::size_t at = log.find("Lizenz: '");
    if (at == std::string::npos) return "<no argument lines>" + log;
    return log.substr(log.find("\r\n", at) + 2);
}

class InstallWin32 : public testing::Test {
  protected:
    void SetUp() override {
        fs::copy_file(kHelpers / "zip.exe", tree.CgiBin() / "zip.exe");
        WriteBytes(tree.Presentations() / "_Eigene.gif", kTemplateGif);
    }

    BinaryRun Run(const std::string& name, const std::string& licence, const std::string& client,
                  bool verbose) const {
        std::vector<std::string> args{"operator", name, licence, client};
        if (verbose) args.push_back("/D");
        return tree.Run(args, db().OdbcEnvironment());
    }

    // The stand-in's record: command line, current directory, arguments and
    // packed files, one a line.
    std::vector<std::string> ArchiverRecord() const {
        std::string record = ReadBytes(tree.CgiBin() / "zip-record.txt");
        std::vector<std::string> lines;
        for (std::size_t at = 0, end; at < record.size(); at = end + 1) {
            end = record.find('\n', at);
            lines.push_back(record.substr(at, end - at));
        }
        return lines;
    }

    static const TestDatabase& db() {
        const TestDatabase& database = TestDatabase::Get();
        database.UseOdbcConfiguration();
        return database;
    }

    ProductTree tree;
};

struct LayoutCase {
    const char* label;
    std::string name;
    int layout;
    bool verbose;
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.label;
}

class InstallLayoutsWin32 : public InstallWin32, public testing::WithParamInterface<LayoutCase> {};

TEST_P(InstallLayoutsWin32, InstallsRegistersAndCleansUp) {
    const LayoutCase& c = GetParam();
    WriteConnectionSettings(tree.SettingsFile(), db().Settings());
    PlaceExport(tree.Transfer(), c.name, c.layout);
    WriteBytes(tree.Transfer() / "Fremd.txt", "not part of the export");

    BinaryRun run = Run(c.name, "W32", "1", c.verbose);

    ASSERT_EQ(run.exitStatus, 0) << run.out << tree.ReadLog();
    EXPECT_EQ(run.err, "");
    const std::string version = c.layout == kExportLayout2000 ? "2000" : "2003";
    EXPECT_EQ(run.out, c.verbose ? "DbConnect\nPP-Version " + version +
                                       "\nPP-Dateien modifiziert\nAufruf Zip-Programm\n"
                                       "Programm beendet \nPraesentation '" +
                                       c.name + "' installiert.\n"
                                 : "Programm beendet \n");
    const std::string command = ExpectedArchiveCommand(c.name, c.layout);
    EXPECT_EQ(LogAfterArguments(tree), "PP-Version " + version +
                                           "\r\nPP-Dateien modifiziert\r\n"
                                           "Aufruf Zip-Programm:\r\n    " +
                                           command + "\r\nPr\xE4sentation '" + c.name +
                                           "' installiert.\r\nProgramm-Ende\r\n");

    // The archiver got the line byte for byte and split it itself, in the
    // transfer folder.
    std::vector<std::string> record = ArchiverRecord();
    ASSERT_GE(record.size(), 9u);
    EXPECT_EQ(record[0], command);
    EXPECT_EQ(fs::path(record[1]), tree.Transfer());
    const std::string exportFiles =
        c.layout == kExportLayout2000 ? c.name + "-Dateien\\*.*" : c.name + "_*.*";
    EXPECT_EQ(
        std::vector<std::string>(record.begin() + 2, record.begin() + 9),
        (std::vector<std::string>{
            "argument: ..\\..\\cgi-bin\\zip.exe", "argument: -q", "argument: -m",
            "argument: ..\\..\\Zusatzmodule\\ExternePraesentationen\\" + c.name + ".exc",
            "argument: start.html", "argument: ExtPres.Orv", "argument: " + c.name + ".htm"}));
    EXPECT_EQ(record[9], "argument: " + exportFiles);
    EXPECT_EQ(record.back(), "exit: 0");

    const fs::path archive = tree.Presentations() / (c.name + ".exc");
    const std::string archiveBytes = ReadBytes(archive);
    EXPECT_EQ(ArchiveMembers(archiveBytes), ExpectedArchiveMembers(c.name, c.layout));

    // Everything packed has left the transfer folder, the export folder too.
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(tree.Transfer()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"Fremd.txt"});
    EXPECT_EQ(ReadBytes(tree.Presentations() / (c.name + ".gif")), kTemplateGif);

    // Texts reach the catalogue in Windows-1252, as they left the program.
    const std::string fingerprint = ReferenceMd5(Lower(c.name + ".exc") + archiveBytes);
    EXPECT_EQ(db().Query("SELECT TrdNam || '|' || TrdTxt || '|' || TrdArt || '|' || TrdTyp || "
                         "'|' || TrdVer || '|' || TrdTcn || '|' || TrdLiz || '|' || TrdMnd "
                         "FROM Ovsystem.O2006TrmDatei WHERE TrdTyp = 4 AND TrdNam = " +
                         SqlLiteral(c.name) + " AND TrdLiz = 'W32' AND TrdMnd = '1'"),
              c.name + "|" + c.name + "|1|4| |" + fingerprint + "|W32|1");
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, InstallLayoutsWin32,
    testing::Values(LayoutCase{"Layout2003", "Win Pr\xE4sentation 2003", kExportLayout2003, false},
                    LayoutCase{"Layout2000Verbose", "Win-Rundgang-2000", kExportLayout2000, true}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.label; });

// The archiver's own exit code ends the run: without the main page the
// stand-in finds no file for that name and refuses with 12, as zip does.
TEST_F(InstallWin32, ArchiverExitCodeEndsTheRunAndKeepsTheExport) {
    const std::string name = "Win Ohne Hauptseite";
    WriteConnectionSettings(tree.SettingsFile(), db().Settings());
    PlaceExport(tree.Transfer(), name, kExportLayout2003);
    fs::remove(tree.Transfer() / (name + ".htm"));

    BinaryRun run = Run(name, "W32", "2", true);
    EXPECT_EQ(run.exitStatus, 12);
    EXPECT_EQ(run.out,
              "DbConnect\nPP-Version 2003\nPP-Dateien modifiziert\nAufruf Zip-Programm\n"
              "Programm beendet \nFehler beim Komprimieren der Dateien 12\n");
    EXPECT_EQ(LogAfterArguments(tree),
              "PP-Version 2003\r\nPP-Dateien modifiziert\r\n"
              "Aufruf Zip-Programm:\r\n    " +
                  ExpectedArchiveCommand(name, kExportLayout2003) +
                  "\r\nFehler beim Komprimieren der Dateien 12\r\n");
    EXPECT_TRUE(fs::exists(tree.Transfer() / PlayerScriptName(name, kExportLayout2003)));
    EXPECT_TRUE(fs::exists(tree.Transfer() / "start.html"));
    EXPECT_FALSE(fs::exists(tree.Presentations() / (name + ".exc")));
    EXPECT_EQ(db().Query("SELECT count(*) FROM Ovsystem.O2006TrmDatei WHERE TrdNam = " +
                         SqlLiteral(name)),
              "0");
}

// Without a settings file the connection fails with -1, which Windows carries
// as the full 32-bit exit code.
TEST_F(InstallWin32, FailedConnectionExitsWithMinusOneIn32Bits) {
    BinaryRun run = Run("Win Ohne Anmeldung", "W32", "3", false);
    EXPECT_EQ(static_cast<std::uint32_t>(run.exitStatus), 4294967295u);
    EXPECT_EQ(run.out, "Datenbankverbindung fehlgeschlagen, Fehler: -1\n");
    EXPECT_EQ(LogAfterArguments(tree),
              "DBSys: , User: , Passwort: , Net8: , Schema: OVSYSTEM\r\n\r\n"
              "DbConnect-Fehler -1   --> Abbruch\r\n");
}

}  // namespace
