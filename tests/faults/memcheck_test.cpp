// One whole installation under valgrind's memcheck: no memory error and no
// block lost for good, on the real binary with the real archiver and server.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fault_run.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using namespace fault_testing;
using namespace testing_support;

constexpr const char* kValgrind = "/usr/bin/valgrind";

TEST_F(FaultRun, WholeInstallationUnderMemcheck) {
#ifdef SLIDEPUB_SANITIZED
    GTEST_SKIP() << "a sanitizer build does not run under valgrind";
#endif
    if (!fs::exists(kValgrind)) GTEST_SKIP() << "valgrind is not installed";
    const std::string name = "FLT Memcheck";
    PlaceExport(tree.Transfer(), name, kExportLayout2000);
    TempFolder reports;
    const fs::path report = reports.Path() / "memcheck.txt";

    BinaryRun run = RunProgram(
        kValgrind,
        {"--tool=memcheck", "--leak-check=full", "--errors-for-leak-kinds=definite",
         "--error-exitcode=99", "--suppressions=" SLIDEPUB_VALGRIND_SUPPRESSIONS,
         "--log-file=" + report.string(), SLIDEPUB_BINARY, "operator", name, kLicence, "7", "/D"},
        tree.WorkDir(), db.OdbcEnvironment());

    const std::string memcheck = ReadBytes(report);
    EXPECT_EQ(run.exitStatus, 0) << memcheck << tree.ReadLog();
    EXPECT_NE(memcheck.find("ERROR SUMMARY: 0 errors"), std::string::npos) << memcheck;
    EXPECT_EQ(memcheck.find("definitely lost: "), memcheck.find("definitely lost: 0 bytes"))
        << memcheck;
    EXPECT_EQ(run.out,
              "DbConnect\nPP-Version 2000\nPP-Dateien modifiziert\nAufruf Zip-Programm\n"
              "Programm beendet \nPraesentation '" +
                  name + "' installiert.\n");
    EXPECT_EQ(ArchiveMembers(tree.Presentations() / (name + ".exc")),
              ExpectedArchiveMembers(name, kExportLayout2000));
    EXPECT_EQ(CatalogueRows(name, "7"), 1);
}

}  // namespace
