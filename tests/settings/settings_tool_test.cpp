// Drives the built slidepub-settings tool as an operator would.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/settings_cipher.h"
#include "settings/settings_file.h"
#include "support/product_tree.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using testing_support::BinaryRun;
using testing_support::ProductTree;
using testing_support::ReadBytes;
using testing_support::RunProgram;
using testing_support::ScopedCurrentDirectory;
using testing_support::TempFolder;
using testing_support::WriteBytes;

BinaryRun Tool(const std::vector<std::string>& args, const fs::path& workDir) {
    return RunProgram(SLIDEPUB_SETTINGS_TOOL, args, workDir);
}

std::string Hex(const std::string& value) {
    return EncryptSetting(value, kSettingsKey);
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(SettingsTool, EncryptAndDecryptPrintOneLine) {
    TempFolder folder;
    BinaryRun run = Tool({"encrypt", "geheim"}, folder.Path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "18D48A6D1679B7D8\n");
    run = Tool({"decrypt", "18D48A6D1679B7D8"}, folder.Path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "geheim\n");
    EXPECT_EQ(run.err, "");
    run = Tool({"encrypt", "Pr\xE4sentation"}, folder.Path());
    EXPECT_EQ(run.out, Hex("Pr\xE4sentation") + "\n");
    EXPECT_EQ(Tool({"decrypt", Hex("Pr\xE4sentation")}, folder.Path()).out, "Pr\xE4sentation\n");
}

// The four connection settings written by the tool are what the installer's
// own lookup reads, from its working directory, by its Windows path.
TEST(SettingsTool, SetThenGetRoundTripsTheConnectionSettings) {
    ProductTree tree;
    const std::vector<std::pair<std::string, std::string>> settings = {
        {"LOGIN", "operator"},                     // 8 bytes: one block, no padding
        {"PASS", "geheim123"},                     // 9 bytes: two blocks
        {"DB_SYSTEM", "PostgreSQL Unicode(x64)"},  // 23 bytes
        {"DATABASE", "Pr\xE4sentationen"},         // a Windows-1252 umlaut byte
    };
    const std::string file = tree.SettingsFile().string();
    for (const auto& [key, value] : settings) {
        BinaryRun run = Tool({"set", file, key, value}, tree.WorkDir());
        ASSERT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(ReadBytes(tree.SettingsFile()),
              ";DB;\r\n1;LOGIN;" + Hex("operator") + "\r\n;DB;\r\n1;PASS;" + Hex("geheim123") +
                  "\r\n;DB;\r\n1;DB_SYSTEM;" + Hex("PostgreSQL Unicode(x64)") +
                  "\r\n;DB;\r\n1;DATABASE;" + Hex("Pr\xE4sentationen") + "\r\n");
    EXPECT_EQ(FolderEntries(tree.Files()), std::vector<std::string>{"Orvantica.Ini"});

    ScopedCurrentDirectory inWorkDir(tree.WorkDir());
    for (const auto& [key, value] : settings) {
        EXPECT_EQ(ReadSetting("", key, 0, "..\\..\\Files\\Orvantica.Ini").Value, value);
        BinaryRun run = Tool({"get", "..\\..\\Files\\Orvantica.Ini", key}, tree.WorkDir());
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out, value + "\n");
    }
}

// Only the value of the first record with the key changes; every other byte
// stays, line ends, other records and the unpaired last line included.
TEST(SettingsTool, SetKeepsEveryOtherLineByteForByte) {
    TempFolder folder;
    const fs::path file = folder.Path() / "Orvantica.Ini";
    const std::string head = "[x];DB;comment\r\n1;LOGIN;" + Hex("old") + "\r\n";
    const std::string pass = ";DB;\n2;PASS;" + Hex("first") + "\n";
    const std::string tail = ";DB;\r\n3;PASS;" + Hex("second") + "\r\n;DB;\n5;PORT;;x\n";
    const std::string unpaired = "0;LOGIN;ignored";
    WriteBytes(file, head + pass + tail + unpaired);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    BinaryRun run = Tool({"set", file.string(), "PASS", "new pass"}, folder.Path());
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::string replaced = ";DB;\n2;PASS;" + Hex("new pass") + "\n";
    EXPECT_EQ(ReadBytes(file), head + replaced + tail + unpaired);
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A new key is added after the last record; the unpaired line stays last.
    run = Tool({"set", file.string(), "DATABASE", "dsn"}, folder.Path());
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(ReadBytes(file),
              head + replaced + tail + ";DB;\r\n1;DATABASE;" + Hex("dsn") + "\r\n" + unpaired);
    EXPECT_EQ(Tool({"get", file.string(), "DATABASE"}, folder.Path()).out, "dsn\n");
    EXPECT_EQ(Tool({"get", file.string(), "PASS"}, folder.Path()).out, "new pass\n");
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"Orvantica.Ini"});
}

TEST(SettingsTool, SetThroughALinkChangesTheLinkedFile) {
    TempFolder folder;
    const fs::path real = folder.Path() / "real.ini", link = folder.Path() / "Orvantica.Ini";
    WriteBytes(real, ";DB;\n1;LOGIN;" + Hex("old") + "\n");
    fs::create_symlink(real, link);
    ASSERT_EQ(Tool({"set", link.string(), "LOGIN", "new"}, folder.Path()).exitStatus, 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), ";DB;\n1;LOGIN;" + Hex("new") + "\n");
}

struct BadInputCase {
    const char* name;
    std::string content;            // the settings file before the call
    std::vector<std::string> args;  // "FILE" stands for the settings file's path
    int exitStatus;
    std::string message;  // a part of the message on standard error
};

// Bad input is refused with a message and a non-zero exit, and the settings
// file stays as it was.
TEST(SettingsTool, BadInputLeavesTheFileAsItWas) {
    const std::string good = ";DB;\n1;LOGIN;" + Hex("login") + "\n";
    const BadInputCase cases[] = {
        {"no command", good, {}, 2, "usage:"},
        {"unknown command", good, {"frob", "FILE"}, 2, "unknown command 'frob'"},
        {"missing argument", good, {"set", "FILE", "LOGIN"}, 2, "wrong number of arguments"},
        {"extra argument", good, {"get", "FILE", "LOGIN", "x"}, 2, "wrong number of arguments"},
        {"odd hex length", good, {"decrypt", "18D48A6D1679B7D"}, 2, "odd length"},
        {"lower-case hex", good, {"decrypt", "18d48a6d1679b7d8"}, 2, "not a hexadecimal digit"},
        {"non-hex character", good, {"decrypt", "18D48A6D1679B7DG"}, 2, "not a hexadecimal"},
        {"empty key", good, {"set", "FILE", "", "v"}, 2, "must not be empty"},
        {"separator in key", good, {"set", "FILE", "A;B", "v"}, 2, "must not hold"},
        {"line end in key", good, {"set", "FILE", "A\nB", "v"}, 2, "must not hold"},
        {"key too long", good, {"set", "FILE", std::string(201, 'K'), "v"}, 2, "longer than 200"},
        {"value too long",
         good,
         {"set", "FILE", "LOGIN", std::string(97, 'v')},
         2,
         "longer than 96 bytes"},
        {"entry line too long",
         ";DB;\n" + std::string(300, '0') + "1;LOGIN;" + Hex("x") + "\n",
         {"set", "FILE", "LOGIN", std::string(96, 'v')},
         2,
         "longer than 398 characters"},
        {"missing file for get", "", {"get", "FILE.missing", "LOGIN"}, 3, "cannot read"},
        {"folder instead of file for get", good, {"get", "FOLDER", "LOGIN"}, 3, "cannot read"},
        {"folder instead of file for set", good, {"set", "FOLDER", "LOGIN", "v"}, 3, "cannot read"},
        {"missing folder for set",
         good,
         {"set", "FOLDER/missing/x.ini", "LOGIN", "v"},
         3,
         "cannot write"},
        {"no record for get", good, {"get", "FILE", "PASS"}, 1, "no record"},
        {"earlier record taken for every key",
         ";DB;\n0;OTHER;" + Hex("x") + "\n" + ";DB;\n1;PASS;" + Hex("p") + "\n",
         {"set", "FILE", "PASS", "v"},
         4,
         "record at line 1"},
        {"earlier heading without section",
         "DB\n1;OTHER;" + Hex("x") + "\n",
         {"set", "FILE", "PASS", "v"},
         4,
         "record at line 1"},
        {"record taken for other keys too",
         "\n1;PASS;" + Hex("p") + "\n;DB;\n1;LOGIN;" + Hex("l") + "\n",
         {"set", "FILE", "PASS", "v"},
         4,
         "also change what the installer reads for 'LOGIN'"},
        {"last record without line end",
         good + ";DB;\n1;PASS;" + Hex("p"),
         {"set", "FILE", "DATABASE", "v"},
         4,
         "has no line end"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const fs::path file = folder.Path() / "Orvantica.Ini";
        if (!c.content.empty()) WriteBytes(file, c.content);
        std::vector<std::string> args;
        for (std::string arg : c.args) {
            if (arg.rfind("FILE", 0) == 0) arg = file.string() + arg.substr(4);
            if (arg.rfind("FOLDER", 0) == 0) arg = folder.Path().string() + arg.substr(6);
            args.push_back(arg);
        }
        BinaryRun run = Tool(args, folder.Path());
        EXPECT_EQ(run.exitStatus, c.exitStatus);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(ReadBytes(file), c.content);
        EXPECT_EQ(FolderEntries(folder.Path()).size(), c.content.empty() ? 0u : 1u);
    }
}

}  // namespace
