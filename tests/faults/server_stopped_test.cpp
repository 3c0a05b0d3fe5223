// The catalogue server goes away after the existence query, while the
// archiver runs: the run must fail, the archive must stay, and the catalogue
// must hold no half row. The server is a private one of this test (CTest
// fixture faults_private_db), so stopping it hits no other test.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fault_run.h"
#include "platform/exit_status.h"

namespace {

namespace fs = std::filesystem;
using namespace fault_testing;
using namespace testing_support;

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

TEST_F(FaultRun, ServerStoppedWhileArchivingLeavesTheArchiveAndNoRow) {
    const std::string name = "FLT Server weg";
    PlaceExport(tree.Transfer(), name, kExportLayout2003);
    const char* stateDir = std::getenv("SLIDEPUB_TESTDB_DIR");
    ASSERT_NE(stateDir, nullptr) << "needs the private server of the fixture faults_private_db";
    const std::string script = std::string(SLIDEPUB_SOURCE_DIR) + "/tests/support/testdb/testdb.sh";
    // The real archiver does its work, then the server stops.
    InstallStandInArchiver(tree, "/usr/bin/zip \"$@\"\nstatus=$?\nbash " + ShellQuoted(script) +
                                     " pg_ctl " + ShellQuoted(stateDir) +
                                     " stop >/dev/null 2>&1\nexit $status\n");

    BinaryRun run = Run(name, "6", true);
    db.StartServer();

    EXPECT_NE(run.exitStatus, 0);
    const std::string log = LogAfterArguments(tree);
    const std::string failure = "Fehler beim Eintragen in Datenbank: ";
    const std::size_t at = log.find(failure);
    ASSERT_NE(at, std::string::npos) << log;
    const std::string number =
        log.substr(at + failure.size(), log.find("\r\n", at) - at - failure.size());
    EXPECT_NE(number, "0");
    EXPECT_EQ(run.exitStatus, ExitStatusFor(std::stoi(number))) << log;
    EXPECT_EQ(log.substr(0, at),
              "PP-Version 2003\r\nPP-Dateien modifiziert\r\nAufruf Zip-Programm:\r\n    " +
                  ExpectedArchiveCommand(name, kExportLayout2003) + "\r\n");
    EXPECT_EQ(log.substr(log.find("\r\n", at) + 2), "Programm-Ende\r\n");
    EXPECT_NE(run.out.find("Fehler beim Eintragen in Datenbank: " + number + "\n"),
              std::string::npos);

    EXPECT_EQ(ArchiveMembers(tree.Presentations() / (name + ".exc")),
              ExpectedArchiveMembers(name, kExportLayout2003));
    EXPECT_EQ(ReadBytes(tree.Presentations() / (name + ".gif")), TemplatePicture());
    EXPECT_EQ(CatalogueRows(name, "6"), 0);
}

}  // namespace
