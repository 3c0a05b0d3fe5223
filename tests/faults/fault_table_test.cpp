// The installer under faults of its surroundings, end to end on the real
// binary, archiver and catalogue server: for each, the exit status, the log
// line and what the run left behind.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <ostream>
#include <string>

#include "fault_run.h"

namespace {

namespace fs = std::filesystem;
using namespace fault_testing;
using namespace testing_support;

std::string ArchiverLines(const std::string& name, int layout) {
    return "Aufruf Zip-Programm:\r\n    " + ExpectedArchiveCommand(name, layout) + "\r\n";
}

struct SignalCase {
    const char* label;
    int signal;
};

void PrintTo(const SignalCase& c, std::ostream* out) {
    *out << c.label;
}

class ArchiverKilled : public FaultRun, public ::testing::WithParamInterface<SignalCase> {};

TEST_P(ArchiverKilled, EndsTheRunWithTheSignalAndKeepsThePreparedExport) {
    const int signal = GetParam().signal;
    const std::string name = std::string("FLT Signal ") + GetParam().label;
    PlaceExport(tree.Transfer(), name, kExportLayout2003);
    InstallStandInArchiver(tree, "kill -" + std::to_string(signal) + " $$\nexit 0\n");

    BinaryRun run = Run(name, "1");

    EXPECT_EQ(run.exitStatus, 128 + signal);
    EXPECT_EQ(run.out, "Programm beendet \n");
    EXPECT_EQ(LogAfterArguments(tree), "PP-Version 2003\r\nPP-Dateien modifiziert\r\n" +
                                           ArchiverLines(name, kExportLayout2003) +
                                           "Fehler beim Komprimieren der Dateien " +
                                           std::to_string(128 + signal) + "\r\n");
    // The prepared export waits for the next attempt; nothing was installed.
    EXPECT_EQ(ReadBytes(tree.Transfer() / PlayerScriptName(name, kExportLayout2003)),
              PatchedPlayerScriptBytes(kExportLayout2003));
    EXPECT_EQ(ReadBytes(tree.Transfer() / "start.html"), ExpectedLauncherBytes(name));
    EXPECT_EQ(ReadBytes(tree.Transfer() / "ExtPres.Orv"), ExpectedDescriptorBytes());
    EXPECT_EQ(FolderNames(tree.Presentations()), std::vector<std::string>{"_Eigene.gif"});
    EXPECT_EQ(CatalogueRows(name, "1"), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, ArchiverKilled,
                         ::testing::Values(SignalCase{"KILL", SIGKILL}, SignalCase{"TERM", SIGTERM},
                                           SignalCase{"SEGV", SIGSEGV}),
                         [](const ::testing::TestParamInfo<SignalCase>& info) {
                             return std::string(info.param.label);
                         });

// Root writes everywhere, so the folder is made unusable by its shape.
enum class Obstacle { ArchiveIsAFolder, FolderIsAFile, FolderMissing };

struct ObstacleCase {
    const char* label;
    Obstacle obstacle;
    int archiverStatus;  // what Info-ZIP zip reports for it
};

void PrintTo(const ObstacleCase& c, std::ostream* out) {
    *out << c.label;
}

class PresentationsFolderUnusable : public FaultRun,
                                    public ::testing::WithParamInterface<ObstacleCase> {};

TEST_P(PresentationsFolderUnusable, ArchiverFailsAndNothingIsRegistered) {
    const ObstacleCase& c = GetParam();
    const std::string name = std::string("FLT Ablage ") + c.label;
    PlaceExport(tree.Transfer(), name, kExportLayout2000);
    switch (c.obstacle) {
        case Obstacle::ArchiveIsAFolder:
            fs::create_directory(tree.Presentations() / (name + ".exc"));
            break;
        case Obstacle::FolderIsAFile:
            fs::remove_all(tree.Presentations());
            WriteBytes(tree.Presentations(), "not a folder");
            break;
        case Obstacle::FolderMissing:
            fs::remove_all(tree.Presentations());
            break;
    }

    BinaryRun run = Run(name, "2", true);

    EXPECT_EQ(run.exitStatus, c.archiverStatus) << run.err;
    // The archiver shares the console and tells its own reason in between.
    const std::string before =
        "DbConnect\nPP-Version 2000\nPP-Dateien modifiziert\nAufruf Zip-Programm\n";
    const std::string after = "Programm beendet \nFehler beim Komprimieren der Dateien " +
                              std::to_string(c.archiverStatus) + "\n";
    EXPECT_EQ(run.out.substr(0, before.size()), before) << run.out;
    EXPECT_TRUE(run.out.size() >= after.size() &&
                run.out.compare(run.out.size() - after.size(), after.size(), after) == 0)
        << run.out;
    EXPECT_EQ(LogAfterArguments(tree), "PP-Version 2000\r\nPP-Dateien modifiziert\r\n" +
                                           ArchiverLines(name, kExportLayout2000) +
                                           "Fehler beim Komprimieren der Dateien " +
                                           std::to_string(c.archiverStatus) + "\r\n");
    // Nothing was moved: every file of the export is still in place.
    for (const ExportFile& file : ExportFiles(name, kExportLayout2000)) {
        if (file.name == PlayerScriptName(name, kExportLayout2000)) continue;
        EXPECT_EQ(ReadBytes(tree.Transfer() / file.name), file.bytes) << file.name;
    }
    EXPECT_FALSE(fs::exists(tree.Presentations() / (name + ".gif")));
    EXPECT_EQ(CatalogueRows(name, "2"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Obstacles, PresentationsFolderUnusable,
    ::testing::Values(ObstacleCase{"ArchiveIsAFolder", Obstacle::ArchiveIsAFolder, 3},
                      ObstacleCase{"FolderIsAFile", Obstacle::FolderIsAFile, 15},
                      ObstacleCase{"FolderMissing", Obstacle::FolderMissing, 15}),
    [](const ::testing::TestParamInfo<ObstacleCase>& info) {
        return std::string(info.param.label);
    });

TEST_F(FaultRun, MissingLogFolderLeavesTheRunSilentAndComplete) {
    const std::string name = "FLT Ohne Log";
    PlaceExport(tree.Transfer(), name, kExportLayout2003);
    fs::remove_all(tree.LogDir());

    BinaryRun run = Run(name, "3");

    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "Programm beendet \n");
    EXPECT_EQ(run.err, "");
    EXPECT_FALSE(fs::exists(tree.LogDir()));
    EXPECT_EQ(ArchiveMembers(tree.Presentations() / (name + ".exc")),
              ExpectedArchiveMembers(name, kExportLayout2003));
    EXPECT_EQ(ReadBytes(tree.Presentations() / (name + ".gif")), TemplatePicture());
    EXPECT_EQ(FolderNames(tree.Transfer()), std::vector<std::string>{});
    EXPECT_EQ(CatalogueRows(name, "3"), 1);
}

TEST_F(FaultRun, MissingSettingsFileFailsTheConnectBeforeAnythingIsTouched) {
    const std::string name = "FLT Ohne Einstellungen";
    PlaceExport(tree.Transfer(), name, kExportLayout2003);
    fs::remove(tree.SettingsFile());

    BinaryRun run = Run(name, "4");

    EXPECT_EQ(run.exitStatus, 255);
    EXPECT_EQ(run.out, "Datenbankverbindung fehlgeschlagen, Fehler: -1\n");
    EXPECT_EQ(run.err, "");
    // Empty values all through, the empty password included, tell the
    // operator that no login was found.
    EXPECT_EQ(LogAfterArguments(tree),
              "DBSys: , User: , Passwort: , Net8: , Schema: OVSYSTEM\r\n\r\n"
              "DbConnect-Fehler -1   --> Abbruch\r\n");
    for (const ExportFile& file : ExportFiles(name, kExportLayout2003))
        EXPECT_EQ(ReadBytes(tree.Transfer() / file.name), file.bytes) << file.name;
    EXPECT_FALSE(fs::exists(tree.Transfer() / "start.html"));
    EXPECT_FALSE(fs::exists(tree.SettingsFile()));
    EXPECT_EQ(FolderNames(tree.Presentations()), std::vector<std::string>{"_Eigene.gif"});
}

TEST_F(FaultRun, TwoPresentationsOneAfterTheOtherInTheSameTree) {
    // Both exports wait in the transfer folder before the first run.
    const std::string first = "FLT Erste Runde", second = "FLT Zweite Runde";
    PlaceExport(tree.Transfer(), first, kExportLayout2003);
    PlaceExport(tree.Transfer(), second, kExportLayout2000);

    BinaryRun one = Run(first, "5");
    BinaryRun two = Run(second, "5");

    EXPECT_EQ(one.exitStatus, 0) << tree.ReadLog();
    EXPECT_EQ(two.exitStatus, 0) << tree.ReadLog();
    // Each archive holds its own export only, with its own launcher page.
    EXPECT_EQ(ArchiveMembers(tree.Presentations() / (first + ".exc")),
              ExpectedArchiveMembers(first, kExportLayout2003));
    EXPECT_EQ(ArchiveMembers(tree.Presentations() / (second + ".exc")),
              ExpectedArchiveMembers(second, kExportLayout2000));
    EXPECT_EQ(
        FolderNames(tree.Presentations()),
        (std::vector<std::string>{"FLT Erste Runde.exc", "FLT Erste Runde.gif",
                                  "FLT Zweite Runde.exc", "FLT Zweite Runde.gif", "_Eigene.gif"}));
    EXPECT_EQ(FolderNames(tree.Transfer()), std::vector<std::string>{});
    EXPECT_EQ(CatalogueRows(first, "5"), 1);
    EXPECT_EQ(CatalogueRows(second, "5"), 1);

    // The log holds both runs, one after the other.
    const std::string log = tree.ReadLog();
    const std::size_t firstEnd =
        log.find("Pr\xE4sentation '" + first + "' installiert.\r\nProgramm-Ende\r\n");
    const std::size_t secondStart = log.find("Pr\xE4sentation: " + second + "\r\n");
    ASSERT_NE(firstEnd, std::string::npos) << log;
    ASSERT_NE(secondStart, std::string::npos) << log;
    EXPECT_LT(firstEnd, secondStart);
    EXPECT_EQ(LogAfterArguments(tree), "PP-Version 2000\r\nPP-Dateien modifiziert\r\n" +
                                           ArchiverLines(second, kExportLayout2000) +
                                           "Pr\xE4sentation '" + second +
                                           "' installiert.\r\nProgramm-Ende\r\n");
}

}  // namespace
