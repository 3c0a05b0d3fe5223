#include "export/prepare_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "driver/run_context.h"
#include "export/export_detection.h"
#include "support/export_fixture.h"
#include "support/product_tree.h"

namespace {

using testing_support::ExpectedArchiveCommand;
using testing_support::ExpectedDescriptorBytes;
using testing_support::ExpectedLauncherBytes;
using testing_support::ExportFiles;
using testing_support::kExportLayout2000;
using testing_support::kExportLayout2003;
using testing_support::PatchedPlayerScriptBytes;
using testing_support::PlaceExport;
using testing_support::PlayerScriptName;
using testing_support::ProductTree;
using testing_support::ReadBytes;
using testing_support::ScopedCurrentDirectory;
using testing_support::WriteBytes;

constexpr char kUntouchedCommand[] = "bisheriges Kommando";

class PrepareExportTest : public ::testing::Test {
  protected:
    PrepareExportTest() {
        CurrentRun().ExportVersion = 0;
        CurrentRun().ArchiveCommand = kUntouchedCommand;
    }

    // Places the export, detects it as the run does and prepares it.
    std::int32_t PlaceAndPrepare(const std::string& name, int layout) {
        PlaceExport(tree.Transfer(), name, layout);
        std::string scriptPath;
        CurrentRun().ExportVersion = DetectExportVersion(name, scriptPath);
        EXPECT_EQ(CurrentRun().ExportVersion, layout);
        return PrepareExport(scriptPath, name);
    }

    std::filesystem::path Launcher() const { return tree.Transfer() / "start.html"; }
    std::filesystem::path Descriptor() const { return tree.Transfer() / "ExtPres.Orv"; }

    ProductTree tree;
    ScopedCurrentDirectory inWorkDir{tree.WorkDir()};
};

TEST_F(PrepareExportTest, PreparesRundgangInBothLayoutsExactly) {
    const struct {
        int layout;
        const char* command;
    } cases[] = {
        {2003,
         "..\\..\\cgi-bin\\zip.exe -q -m \"..\\..\\Zusatzmodule\\ExternePraesentationen\\"
         "Rundgang.exc\" \"start.html\" \"ExtPres.Orv\" \"Rundgang.htm\" \"Rundgang_*.*\""},
        {2000,
         "..\\..\\cgi-bin\\zip.exe -q -m \"..\\..\\Zusatzmodule\\ExternePraesentationen\\"
         "Rundgang.exc\" \"start.html\" \"ExtPres.Orv\" \"Rundgang.htm\" "
         "\"Rundgang-Dateien\\*.*\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        ProductTree fresh;
        ScopedCurrentDirectory inFresh(fresh.WorkDir());
        PlaceExport(fresh.Transfer(), "Rundgang", c.layout);
        std::string scriptPath;
        CurrentRun().ExportVersion = DetectExportVersion("Rundgang", scriptPath);

        EXPECT_EQ(PrepareExport(scriptPath, "Rundgang"), 0);
        EXPECT_EQ(CurrentRun().ArchiveCommand, c.command);
        EXPECT_EQ(ReadBytes(fresh.Transfer() / PlayerScriptName("Rundgang", c.layout)),
                  PatchedPlayerScriptBytes(c.layout));
        EXPECT_EQ(ReadBytes(fresh.Transfer() / "start.html"),
                  "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n"
                  "<HTML><HEAD></HEAD><BODY>\n"
                  "<SCRIPT LANGUAGE=\"JavaScript\">\n"
                  "var temp_win=window.open(\"Rundgang.htm\",\"Pr\xE4sentation\",\"fullscreen\")\n"
                  "</SCRIPT></BODY></HTML>\n");
        EXPECT_EQ(ReadBytes(fresh.Transfer() / "ExtPres.Orv"), "[ExtPres]\nPrgName=start.html\n");
    }
}

// Only the player script changes; the main page, slides and images stay as
// the export left them.
TEST_F(PrepareExportTest, NameWithBlanksAndUmlautLeavesTheRestOfTheExportAlone) {
    const std::string name = "Vidazara Rundgang M\xE4rz";
    for (int layout : {kExportLayout2000, kExportLayout2003}) {
        SCOPED_TRACE(layout);
        ASSERT_EQ(PlaceAndPrepare(name, layout), 0);
        for (const auto& file : ExportFiles(name, layout)) {
            if (file.name == PlayerScriptName(name, layout)) continue;
            EXPECT_EQ(ReadBytes(tree.Transfer() / file.name), file.bytes) << file.name;
        }
        EXPECT_EQ(ReadBytes(tree.Transfer() / PlayerScriptName(name, layout)),
                  PatchedPlayerScriptBytes(layout));
        EXPECT_EQ(ReadBytes(Launcher()), ExpectedLauncherBytes(name));
        EXPECT_EQ(CurrentRun().ArchiveCommand, ExpectedArchiveCommand(name, layout));
    }
}

TEST_F(PrepareExportTest, LongNamesAreCarriedWhole) {
    const std::string name128 = std::string(127, 'N') + "\xE4";
    const std::string name200 = std::string(100, 'L') + std::string(100, ' ');
    const struct {
        const std::string& name;
        int layout;
        std::size_t commandLength;
    } cases[] = {
        {name128, kExportLayout2000, 509},
        {name128, kExportLayout2003, 501},
        {name200, kExportLayout2000, 725},
        {name200, kExportLayout2003, 717},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.name.size()) + " " + std::to_string(c.layout));
        ProductTree fresh;
        ScopedCurrentDirectory inFresh(fresh.WorkDir());
        WriteBytes(fresh.Transfer() / PlayerScriptName(c.name, c.layout), "x\r\n");
        std::string scriptPath;
        CurrentRun().ExportVersion = DetectExportVersion(c.name, scriptPath);

        ASSERT_EQ(PrepareExport(scriptPath, c.name), 0);
        EXPECT_EQ(CurrentRun().ArchiveCommand.size(), c.commandLength);
        EXPECT_EQ(CurrentRun().ArchiveCommand, ExpectedArchiveCommand(c.name, c.layout));
        const std::string launcher = ReadBytes(fresh.Transfer() / "start.html");
        EXPECT_EQ(launcher, ExpectedLauncherBytes(c.name));
        const std::size_t line4 = launcher.find("var temp_win");
        EXPECT_EQ(launcher.find('\n', line4) - line4, 60 + c.name.size());
    }
}

TEST_F(PrepareExportTest, UnreadableScriptChangesNothing) {
    WriteBytes(Launcher(), "alter Starter\r\n");
    const std::string scriptPath = "..\\..\\Transfer\\Vidazara Dirodav\\Rundgang_script.js";
    for (const char* what : {"missing", "zero bytes"}) {
        SCOPED_TRACE(what);
        if (std::string(what) == "zero bytes")
            WriteBytes(tree.Transfer() / "Rundgang_script.js", "");
        CurrentRun().ExportVersion = kExportLayout2003;

        EXPECT_EQ(PrepareExport(scriptPath, "Rundgang"), kPlayerScriptUnreadable);
        EXPECT_EQ(kPlayerScriptUnreadable, 90);
        EXPECT_EQ(CurrentRun().ArchiveCommand, kUntouchedCommand);
        EXPECT_EQ(ReadBytes(Launcher()), "alter Starter\r\n");
        EXPECT_FALSE(std::filesystem::exists(Descriptor()));
    }
    EXPECT_EQ(std::filesystem::file_size(tree.Transfer() / "Rundgang_script.js"), 0u);
}

TEST_F(PrepareExportTest, ExistingLauncherAndDescriptorAreOverwritten) {
    WriteBytes(Launcher(), std::string(2000, 'S') + "\r\n");
    WriteBytes(Descriptor(), "[ExtPres]\r\nPrgName=alt.html\r\nmehr\r\n");
    ASSERT_EQ(PlaceAndPrepare("Rundgang", kExportLayout2003), 0);
    EXPECT_EQ(ReadBytes(Launcher()), ExpectedLauncherBytes("Rundgang"));
    EXPECT_EQ(ReadBytes(Descriptor()), ExpectedDescriptorBytes());
}

// A write that fails is not the preparation's failure: the archiver then
// packs what is there and reports what is missing.
TEST_F(PrepareExportTest, FailedWriteStillGivesTheCommand) {
    std::filesystem::create_directories(Launcher());
    ASSERT_EQ(PlaceAndPrepare("Rundgang", kExportLayout2000), 0);
    EXPECT_TRUE(std::filesystem::is_directory(Launcher()));
    EXPECT_EQ(ReadBytes(Descriptor()), ExpectedDescriptorBytes());
    EXPECT_EQ(CurrentRun().ArchiveCommand, ExpectedArchiveCommand("Rundgang", kExportLayout2000));
}

TEST_F(PrepareExportTest, ScriptWithoutKioskLinesOnlyLosesItsCarriageReturns) {
    const std::string script =
        "// Pr\xE4sentation\r\n\tif( !IsFramesMode() ) EndShow()\r\n\r\n"
        "    g_scaleHyperlinks = false, g_allowAdvOnClick = true, g_showInBrowser = false;\n"
        "var g_hasTrans = false, g_autoTrans = false, g_transSecs = 0; \r\n}";
    WriteBytes(tree.Transfer() / "Rundgang-Dateien" / "script.js", script);
    CurrentRun().ExportVersion = kExportLayout2000;
    ASSERT_EQ(PrepareExport("..\\..\\Transfer\\Vidazara Dirodav\\Rundgang-Dateien\\script.js",
                            "Rundgang"),
              0);
    EXPECT_EQ(ReadBytes(tree.Transfer() / "Rundgang-Dateien" / "script.js"),
              "// Pr\xE4sentation\n\tif( !IsFramesMode() ) EndShow()\n\n"
              "    g_scaleHyperlinks = false, g_allowAdvOnClick = true, g_showInBrowser = false;\n"
              "var g_hasTrans = false, g_autoTrans = false, g_transSecs = 0; \n}\n");
}

// Any version but 2000 packs the files beside the main page.
TEST(BuildArchiveCommand, OnlyVersion2000PacksTheExportFolder) {
    for (std::int32_t version : {2003, -1, 0, 2001}) {
        EXPECT_EQ(BuildArchiveCommand("R", version),
                  "..\\..\\cgi-bin\\zip.exe -q -m "
                  "\"..\\..\\Zusatzmodule\\ExternePraesentationen\\R.exc\" "
                  "\"start.html\" \"ExtPres.Orv\" \"R.htm\" \"R_*.*\"")
            << version;
    }
}

}  // namespace
