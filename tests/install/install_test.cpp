// The whole installation, run as the real SlidePub_ODBC binary in a
// temporary product tree, with the real Info-ZIP zip and the throwaway
// PostgreSQL catalogue.
#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/archive_members.h"
#include "support/export_fixture.h"
#include "support/product_tree.h"
#include "support/test_database.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

const std::string kTemplateGif =
    std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13) + std::string(500, '\x7F') + "Vorschau;";

// MD5 of the lower-cased archive name followed by the archive's bytes,
// computed in one go, independent of the installer's streaming.
std::string ReferenceFingerprint(std::string lowerName, const std::string& archiveBytes) {
    std::string input = lowerName + archiveBytes;
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(input.data(), input.size(), digest, &length, EVP_md5(), nullptr);
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text += kHex[digest[i] >> 4];
        text += kHex[digest[i] & 15];
    }
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Lines of the run log after the start line and the two argument lines.
std::string LogAfterArguments(const ProductTree& tree) {
    std::string log = tree.ReadLog();
    std::size_t at = log.find("Lizenz: '");
    if (at == std::string::npos) return "<no argument lines>" + log;
    return log.substr(log.find("\r\n", at) + 2);
}

class Install : public ::testing::Test {
  protected:
    void SetUp() override {
        tree.InstallRealArchiver();
        WriteSettings(db.Settings());
        WriteBytes(tree.Presentations() / "_Eigene.gif", kTemplateGif);
    }

    // Written with the operator tool, as an operator would.
    void WriteSettings(const ConnectionSettings& settings) const {
        const std::pair<const char*, std::string> values[] = {{"LOGIN", settings.Login},
                                                              {"PASS", settings.Password},
                                                              {"DB_SYSTEM", settings.DbSystem},
                                                              {"DATABASE", settings.Database}};
        for (const auto& [key, value] : values) {
            BinaryRun set =
                RunProgram(SLIDEPUB_SETTINGS_TOOL,
                           {"set", tree.SettingsFile().string(), key, value}, tree.Base());
            ASSERT_EQ(set.exitStatus, 0) << set.err;
        }
    }

    BinaryRun Run(const std::string& name, const std::string& licence, const std::string& client,
                  bool verbose = false) const {
        std::vector<std::string> args{"operator", name, licence, client};
        if (verbose) args.push_back("/D");
        return tree.Run(args, db.OdbcEnvironment());
    }

    // "name|text|art|typ|ver|fingerprint|licence|client" of the row, "" without one.
    std::string CatalogueRow(const std::string& name, const std::string& licence,
                             const std::string& client) const {
        return db.Query(
            "SELECT TrdNam || '|' || TrdTxt || '|' || TrdArt || '|' || TrdTyp || '|' || "
            "TrdVer || '|' || TrdTcn || '|' || TrdLiz || '|' || TrdMnd "
            "FROM Ovsystem.O2006TrmDatei WHERE TrdTyp = 4 AND TrdNam = " +
            SqlLiteral(ToUtf8(name)) + " AND TrdLiz = " + SqlLiteral(licence) +
            " AND TrdMnd = " + SqlLiteral(client));
    }

    static std::string ToUtf8(const std::string& win1252) {
        std::string utf8;
        for (unsigned char c : win1252) {
            if (c < 0x80) {
                utf8 += static_cast<char>(c);
            } else {  // the names of these tests use Latin-1 letters only
                utf8 += static_cast<char>(0xC0 | (c >> 6));
                utf8 += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return utf8;
    }

    const TestDatabase& db = TestDatabase::Get();
    ProductTree tree;
};

struct InstallCase {
    const char* label;
    std::string name;
    int layout;
    bool verbose;
};

void PrintTo(const InstallCase& c, std::ostream* out) {
    *out << c.label;
}

class InstallLayouts : public Install, public ::testing::WithParamInterface<InstallCase> {};

TEST_P(InstallLayouts, InstallsRegistersAndCleansUp) {
    const InstallCase& c = GetParam();
    PlaceExport(tree.Transfer(), c.name, c.layout);
    WriteBytes(tree.Transfer() / "Fremd.txt", "not part of the export");

    BinaryRun run = Run(c.name, "E2E", "1", c.verbose);

    EXPECT_EQ(run.exitStatus, 0) << run.out << tree.ReadLog();
    EXPECT_EQ(run.err, "");
    const std::string version = c.layout == kExportLayout2000 ? "2000" : "2003";
    EXPECT_EQ(run.out, c.verbose ? "DbConnect\nPP-Version " + version +
                                       "\nPP-Dateien modifiziert\nAufruf Zip-Programm\n"
                                       "Programm beendet \nPraesentation '" +
                                       c.name + "' installiert.\n"
                                 : "Programm beendet \n");
    EXPECT_EQ(LogAfterArguments(tree), "PP-Version " + version +
                                           "\r\nPP-Dateien modifiziert\r\n"
                                           "Aufruf Zip-Programm:\r\n    " +
                                           ExpectedArchiveCommand(c.name, c.layout) +
                                           "\r\nPr\xE4sentation '" + c.name +
                                           "' installiert.\r\nProgramm-Ende\r\n");

    const fs::path archive = tree.Presentations() / (c.name + ".exc");
    EXPECT_EQ(ArchiveMembers(archive), ExpectedArchiveMembers(c.name, c.layout));

    // Everything packed has left the transfer folder, the export folder too.
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(tree.Transfer()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"Fremd.txt"});

    EXPECT_EQ(ReadBytes(tree.Presentations() / (c.name + ".gif")), kTemplateGif);

    const std::string fingerprint =
        ReferenceFingerprint(Lower(c.name + ".exc"), ReadBytes(archive));
    EXPECT_EQ(CatalogueRow(c.name, "E2E", "1"),
              ToUtf8(c.name) + "|" + ToUtf8(c.name) + "|1|4| |" + fingerprint + "|E2E|1");
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, InstallLayouts,
    ::testing::Values(
        InstallCase{"Layout2003", "E2E Rundgang 2003", kExportLayout2003, false},
        InstallCase{"Layout2000Verbose", "E2E-Rundgang-2000", kExportLayout2000, true},
        InstallCase{"UmlautBlanks2003Verbose", "E2E Pr\xE4sentation 2003", kExportLayout2003, true},
        InstallCase{"Umlaut2000", "E2E F\xFChrung 2000", kExportLayout2000, false}),
    [](const ::testing::TestParamInfo<InstallCase>& info) { return info.param.label; });

TEST_F(Install, AlreadyRegisteredStopsBeforeAnyFileIsTouched) {
    const std::string name = "E2E Schon da";
    db.Query("INSERT INTO Ovsystem.O2006TrmDatei VALUES (" + SqlLiteral(name) + ", " +
             SqlLiteral(name) + ", 1, 4, ' ', 'ALT', 'E2E', '2')");
    PlaceExport(tree.Transfer(), name, kExportLayout2003);

    BinaryRun run = Run(name, "E2E", "2", true);
    EXPECT_EQ(run.exitStatus, 95);
    EXPECT_EQ(run.out, "DbConnect\nPraesentation bereits vorhanden\n");
    EXPECT_EQ(LogAfterArguments(tree), "Pr\xE4sentation '" + name + "' bereits vorhanden\r\n");
    for (const ExportFile& file : ExportFiles(name, kExportLayout2003))
        EXPECT_EQ(ReadBytes(tree.Transfer() / file.name), file.bytes) << file.name;
    EXPECT_FALSE(fs::exists(tree.Transfer() / "start.html"));

    // Another licence is another entry.
    BinaryRun other = Run(name, "E2E", "3");
    EXPECT_EQ(other.exitStatus, 0) << tree.ReadLog();
    EXPECT_NE(CatalogueRow(name, "E2E", "3"), "");
}

TEST_F(Install, EndsEarlyWithoutAUsableExport) {
    // No export at all: 91, logged also without the verbose flag.
    BinaryRun none = Run("E2E Nichts", "E2E", "4");
    EXPECT_EQ(none.exitStatus, 91);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(LogAfterArguments(tree), "keine g\xFCltige Pr\xE4sentation gefunden!\r\n");

    // An empty player script: 90 and nothing written.
    ProductTree empty;
    empty.InstallRealArchiver();
    fs::copy_file(tree.SettingsFile(), empty.SettingsFile());
    WriteBytes(empty.Transfer() / "E2E Leer_script.js", "");
    WriteBytes(empty.Transfer() / "E2E Leer.htm", "<html></html>");
    BinaryRun run = empty.Run({"operator", "E2E Leer", "E2E", "4", "/d"}, db.OdbcEnvironment());
    EXPECT_EQ(run.exitStatus, 90);
    EXPECT_EQ(run.out, "DbConnect\nPP-Version 2003\nFehler Aufbereitung Quelldatei: 90\n");
    EXPECT_EQ(LogAfterArguments(empty),
              "PP-Version 2003\r\nFehler beim Aufbereiten der Quelldatei: 90\r\n");
    EXPECT_FALSE(fs::exists(empty.Transfer() / "start.html"));
    EXPECT_FALSE(fs::exists(empty.Transfer() / "ExtPres.Orv"));
    EXPECT_EQ(ReadBytes(empty.Transfer() / "E2E Leer_script.js"), "");
}

TEST_F(Install, ArchiverFailuresEndTheRunWithTheirCode) {
    const std::string name = "E2E Zip kaputt";
    PlaceExport(tree.Transfer(), name, kExportLayout2000);
    fs::remove(tree.CgiBin() / "zip");
    WriteBytes(tree.CgiBin() / "zip", "#!/bin/sh\nexit 12\n");
    fs::permissions(tree.CgiBin() / "zip", fs::perms::owner_all);

    BinaryRun failed = Run(name, "E2E", "5", true);
    EXPECT_EQ(failed.exitStatus, 12);
    EXPECT_EQ(LogAfterArguments(tree),
              "PP-Version 2000\r\nPP-Dateien modifiziert\r\nAufruf Zip-Programm:\r\n    " +
                  ExpectedArchiveCommand(name, kExportLayout2000) +
                  "\r\nFehler beim Komprimieren der Dateien 12\r\n");
    EXPECT_TRUE(fs::exists(tree.Transfer() / (name + "-Dateien") / "script.js"));
    EXPECT_FALSE(fs::exists(tree.Presentations() / (name + ".gif")));
    EXPECT_EQ(CatalogueRow(name, "E2E", "5"), "");

    // Without any archiver: -1, seen as 255, with the runner's two lines.
    fs::remove(tree.CgiBin() / "zip");
    BinaryRun missing = Run(name, "E2E", "5");
    EXPECT_EQ(missing.exitStatus, 255);
    EXPECT_EQ(missing.out, "Programm konnte nicht ausgefuehrt werden \nProgramm beendet \n");
    EXPECT_NE(tree.ReadLog().find("Fehler beim Komprimieren der Dateien -1\r\n"),
              std::string::npos);
}

TEST_F(Install, PreviewPictureFollowsTheTemplate) {
    // An older picture of the same name is replaced by the template's copy.
    PlaceExport(tree.Transfer(), "E2E Bild", kExportLayout2003);
    WriteBytes(tree.Presentations() / "E2E Bild.gif", std::string(2000, 'x'));
    EXPECT_EQ(Run("E2E Bild", "E2E", "6").exitStatus, 0);
    EXPECT_EQ(ReadBytes(tree.Presentations() / "E2E Bild.gif"), kTemplateGif);

    // Without a template the run still installs, leaving an empty picture.
    fs::remove(tree.Presentations() / "_Eigene.gif");
    PlaceExport(tree.Transfer(), "E2E Ohne Bild", kExportLayout2003);
    BinaryRun run = Run("E2E Ohne Bild", "E2E", "6", true);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.out.find("Vorlage f\xFCr Vorschaubild nicht gefunden!"), std::string::npos);
    EXPECT_NE(tree.ReadLog().find("Vorlage f\xFCr Vorschaubild nicht gefunden!\r\nPr\xE4sentation "
                                  "'E2E Ohne Bild' installiert.\r\nProgramm-Ende\r\n"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(tree.Presentations() / "E2E Ohne Bild.gif"));
    EXPECT_EQ(fs::file_size(tree.Presentations() / "E2E Ohne Bild.gif"), 0u);
    EXPECT_NE(CatalogueRow("E2E Ohne Bild", "E2E", "6"), "");

    // A picture that cannot be created (a folder holds its name) is logged
    // and the run still installs.
    fs::create_directories(tree.Presentations() / "E2E Kein Bild.gif");
    PlaceExport(tree.Transfer(), "E2E Kein Bild", kExportLayout2003);
    BinaryRun blocked = Run("E2E Kein Bild", "E2E", "6");
    EXPECT_EQ(blocked.exitStatus, 0);
    EXPECT_NE(tree.ReadLog().find("Vorschaubild kann nicht erzeugt werden!\r\nPr\xE4sentation "
                                  "'E2E Kein Bild' installiert.\r\nProgramm-Ende\r\n"),
              std::string::npos);
    EXPECT_NE(CatalogueRow("E2E Kein Bild", "E2E", "6"), "");
}

TEST_F(Install, RefusedRegistrationKeepsArchiveAndPicture) {
    // A login that may read and delete catalogue rows but not insert them.
    db.CreateLoginRole("e2e_noinsert", "Ohne-Insert.1");
    db.Query("REVOKE INSERT ON Ovsystem.O2006TrmDatei FROM e2e_noinsert");
    ConnectionSettings settings = db.Settings();
    settings.Login = "e2e_noinsert";
    settings.Password = "Ohne-Insert.1";
    fs::remove(tree.SettingsFile());
    WriteSettings(settings);

    const std::string name = "E2E Abgelehnt";
    PlaceExport(tree.Transfer(), name, kExportLayout2003);
    BinaryRun run = Run(name, "E2E", "7", true);

    EXPECT_NE(run.exitStatus, 0);
    std::string log = LogAfterArguments(tree);
    std::size_t error = log.find("Fehler beim Eintragen in Datenbank: ");
    ASSERT_NE(error, std::string::npos) << log;
    EXPECT_EQ(log.substr(log.find("\r\n", error) + 2), "Programm-Ende\r\n");
    EXPECT_EQ(log.find("Fehler beim Eintragen in Datenbank: 0\r\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(tree.Presentations() / (name + ".exc")));
    EXPECT_TRUE(fs::exists(tree.Presentations() / (name + ".gif")));
    EXPECT_EQ(CatalogueRow(name, "E2E", "7"), "");
}

}  // namespace
