// The installer against a catalogue server that is down.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/export_fixture.h"
#include "support/product_tree.h"
#include "support/test_database.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

// Stops the shared server: registered with RUN_SERIAL.
TEST(InstallServerDown, ConnectFailureIsReportedWithoutThePassword) {
    const TestDatabase& db = TestDatabase::Get();
    ProductTree tree;
    WriteConnectionSettings(tree.SettingsFile(), db.Settings());
    PlaceExport(tree.Transfer(), "E2E Ohne Server", kExportLayout2003);

    db.StopServer();
    BinaryRun run = tree.Run({"operator", "E2E Ohne Server", "E2E", "8"}, db.OdbcEnvironment());
    db.StartServer();

    EXPECT_EQ(run.exitStatus, 255);
    EXPECT_EQ(run.out, "Datenbankverbindung fehlgeschlagen, Fehler: -1\n");
    std::string log = tree.ReadLog();
    EXPECT_EQ(log.find(db.Password()), std::string::npos);
    EXPECT_NE(log.find("Passwort: ***, "), std::string::npos);
    EXPECT_NE(log.find("DbConnect-Fehler -1   --> Abbruch\r\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(tree.Transfer() / "start.html"));
}

}  // namespace
