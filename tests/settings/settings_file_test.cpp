#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <utility>

#include "settings/settings_cipher.h"
#include "settings/settings_layout.h"
#include "support/product_tree.h"
#include "support/test_files.h"

namespace {

using testing_support::ProductTree;
using testing_support::ScopedCurrentDirectory;
using testing_support::TempFolder;
using testing_support::WriteBytes;

std::string Hex(const std::string& value) {
    return EncryptSetting(value, kSettingsKey);
}

// Values of exactly 8 characters have no zero padding, so a CR or any other
// byte wrongly left in the value text would show as an extra block.
const std::string kLogin = "sysadmin", kPass = "geheim12", kOther = "otherval";

struct LookupCase {
    const char* name;
    std::string content;
    std::string section, key;
    std::int32_t number;
    bool found;
    SettingRecord expected;  // Value: the decrypted value
};

TEST(ReadSetting, LooksUpRecordsByTheProductsRules) {
    const std::string login = "1;LOGIN;" + Hex(kLogin) + "\n";
    const std::string pass = "1;PASS;" + Hex(kPass) + "\n";
    const LookupCase cases[] = {
        {"one record, its key",
         ";DB;\n1;DATABASE;" + Hex("dsn_name") + "\n",
         "",
         "DATABASE",
         0,
         true,
         {1, "DB", "DATABASE", "dsn_name"}},
        {"one record, other key",
         ";DB;\n1;DATABASE;" + Hex("dsn_name") + "\n",
         "",
         "LOGIN",
         0,
         false,
         {}},
        {"first of two records with the same key wins",
         ";DB;\n" + login + ";DB2;\n1;LOGIN;" + Hex(kOther) + "\n",
         "",
         "LOGIN",
         0,
         true,
         {1, "DB", "LOGIN", kLogin}},
        {"later record found",
         ";DB;\n" + login + ";DB;\n" + pass,
         "",
         "PASS",
         0,
         true,
         {1, "DB", "PASS", kPass}},
        {"heading without separator has an empty section",
         "DB\n1;OTHER;" + Hex(kOther) + "\n;DB;\n" + login,
         "",
         "LOGIN",
         0,
         true,
         {1, "", "OTHER", kOther}},
        {"heading with one separator has an empty section",
         ";DB\n1;OTHER;" + Hex(kOther) + "\n;DB;\n" + login,
         "",
         "LOGIN",
         0,
         true,
         {1, "", "OTHER", kOther}},
        {"adjacent separators give the rest of the heading, not an empty section",
         ";;DB\n1;OTHER;" + Hex(kOther) + "\n;DB;\n" + login,
         "",
         "LOGIN",
         0,
         true,
         {1, "DB", "LOGIN", kLogin}},
        {"adjacent separators: section is the second one and all behind it",
         "x;;DB\n1;OTHER;" + Hex(kOther) + "\n",
         ";DB\n",
         "NONE",
         7,
         true,
         {1, ";DB\n", "OTHER", kOther}},
        {"section text between the first two separators",
         "a;DB;b;c\n" + pass,
         "DB",
         "NONE",
         7,
         true,
         {1, "DB", "PASS", kPass}},
        {"number 0 matches",
         ";DB;\n0;OTHER;" + Hex(kOther) + "\n;DB;\n" + login,
         "",
         "LOGIN",
         0,
         true,
         {0, "DB", "OTHER", kOther}},
        {"empty number matches",
         ";DB;\n;OTHER;" + Hex(kOther) + "\n;DB;\n" + login,
         "",
         "LOGIN",
         0,
         true,
         {0, "DB", "OTHER", kOther}},
        {"non-numeric number matches",
         ";DB;\nx1;OTHER;" + Hex(kOther) + "\n;DB;\n" + login,
         "",
         "LOGIN",
         0,
         true,
         {0, "DB", "OTHER", kOther}},
        {"number read up to the first non-digit",
         ";DB;\n 12ab;OTHER;" + Hex(kOther) + "\n",
         "X",
         "NONE",
         12,
         true,
         {12, "DB", "OTHER", kOther}},
        {"negative number",
         ";DB;\n-5;OTHER;" + Hex(kOther) + "\n",
         "X",
         "NONE",
         -5,
         true,
         {-5, "DB", "OTHER", kOther}},
        {"over-long number stays at the limit",
         ";DB;\n99999999999;OTHER;" + Hex(kOther) + "\n",
         "X",
         "NONE",
         std::numeric_limits<std::int32_t>::max(),
         true,
         {std::numeric_limits<std::int32_t>::max(), "DB", "OTHER", kOther}},
        {"any one equal field is enough: section",
         ";DB;\n3;K;" + Hex(kOther) + "\n",
         "DB",
         "X",
         9,
         true,
         {3, "DB", "K", kOther}},
        {"nothing equal", ";DB;\n3;K;" + Hex(kOther) + "\n", "XX", "X", 9, false, {}},
        {"comparison is case-sensitive",
         ";DB;\n1;login;" + Hex(kOther) + "\n",
         "",
         "LOGIN",
         0,
         false,
         {}},
        {"entry with one separator: empty key, the rest is the value",
         ";DB;\n1;" + Hex(kOther) + "\n",
         "X",
         "",
         9,
         true,
         {1, "DB", "", kOther}},
        {"further separators belong to the value",
         ";DB;\n1;K;" + Hex(kOther) + ";x\n",
         "X",
         "K",
         9,
         true,
         {1, "DB", "K", DecryptSetting(Hex(kOther) + ";x", kSettingsKey)}},
        {"odd last line is never examined",
         ";DB;\n" + pass + "0;LOGIN;" + Hex(kLogin) + "\n",
         "",
         "LOGIN",
         0,
         false,
         {}},
        {"CR LF line ends",
         ";DB;\r\n1;PASS;" + Hex(kPass) + "\r\n;DB;\r\n1;LOGIN;" + Hex(kLogin) + "\r\n",
         "",
         "LOGIN",
         0,
         true,
         {1, "DB", "LOGIN", kLogin}},
        {"lone CR stays in the line",
         ";DB;\n1;LOGIN\r;" + Hex(kLogin) + "\n",
         "",
         "LOGIN",
         0,
         false,
         {}},
        {"empty value", ";DB;\n1;LOGIN;\n", "", "LOGIN", 0, true, {1, "DB", "LOGIN", ""}},
        {"empty value with CR LF",
         ";DB;\r\n1;LOGIN;\r\n",
         "",
         "LOGIN",
         0,
         true,
         {1, "DB", "LOGIN", ""}},
        {"last entry line without line end has an empty value",
         ";DB;\n1;LOGIN;" + Hex(kLogin),
         "",
         "LOGIN",
         0,
         true,
         {1, "DB", "LOGIN", ""}},
        {"entry line without separator has number 0 and no key",
         ";DB;\nplain\n",
         "X",
         "LOGIN",
         0,
         true,
         {0, "DB", "", DecryptSetting("plain\n", kSettingsKey)}},
        {"empty file", "", "", "LOGIN", 0, false, {}},
        // The blank entry line has no separator: number 0, and the line with
        // its LF as the value text.
        {"blank lines are lines",
         "\n\n;DB;\n" + login,
         "",
         "LOGIN",
         0,
         true,
         {0, "", "", DecryptSetting("\n", kSettingsKey)}},
    };
    TempFolder folder;
    const std::string path = (folder.Path() / "Orvantica.Ini").string();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, c.content);
        SettingRecord found;
        EXPECT_EQ(FindSetting(c.section, c.key, c.number, path, found), c.found);
        const SettingRecord& record = ReadSetting(c.section, c.key, c.number, path);
        for (const SettingRecord* r : {&std::as_const(found), &record}) {
            EXPECT_EQ(r->Number, c.expected.Number);
            EXPECT_EQ(r->Section, c.expected.Section);
            EXPECT_EQ(r->Key, c.expected.Key);
            EXPECT_EQ(r->Value, c.expected.Value);
        }
    }
}

// Keys and values far beyond the product's 200-character record fields are
// read whole, and a line beyond the read limit continues as the next line.
TEST(ReadSetting, LongFieldsAndLongLines) {
    TempFolder folder;
    const std::string path = (folder.Path() / "Orvantica.Ini").string();

    const std::string longKey(300, 'K');
    const std::string longValue(120, 'v');  // 240 hexadecimal characters
    WriteBytes(path, ";DB;\n1;" + longKey + ";" + Hex("12345678") + "\n;DB;\n1;LONG;" +
                         Hex(longValue) + "\n");
    EXPECT_EQ(ReadSetting("", longKey, 0, path).Value, "12345678");
    EXPECT_EQ(ReadSetting("", longKey, 0, path).Key, longKey);
    EXPECT_EQ(ReadSetting("", "LONG", 0, path).Value, longValue);

    // A heading line of 250 characters: its last 51 characters and the LF are
    // read as the entry line, which has no separator and so number 0.
    WriteBytes(path, std::string(250, 'h') + "\n1;LOGIN;" + Hex(kLogin) + "\n");
    const SettingRecord& record = ReadSetting("", "LOGIN", 0, path);
    EXPECT_EQ(record.Number, 0);
    EXPECT_EQ(record.Key, "");
    EXPECT_NE(record.Value, kLogin);

    // 198 characters and the line end still fit in one read, with CR LF too.
    const std::string heading = ";DB;" + std::string(194, 'h');
    WriteBytes(path, heading + "\r\n1;LOGIN;" + Hex(kLogin) + "\r\n");
    EXPECT_EQ(ReadSetting("", "LOGIN", 0, path).Value, kLogin);
    WriteBytes(path, heading + "h\r\n1;LOGIN;" + Hex(kLogin) + "\r\n");
    EXPECT_EQ(ReadSetting("", "LOGIN", 0, path).Key, "");
}

TEST(ReadSetting, MissingFileGivesTheClearedRecordSilently) {
    TempFolder folder;
    const std::string path = (folder.Path() / "Orvantica.Ini").string();
    WriteBytes(path, ";DB;\n1;LOGIN;" + Hex(kLogin) + "\n");
    const SettingRecord& first = ReadSetting("", "LOGIN", 0, path);
    ASSERT_EQ(first.Value, kLogin);

    // The same process-wide record, cleared by the next lookup.
    const SettingRecord& missing = ReadSetting("", "LOGIN", 0, path + ".missing");
    EXPECT_EQ(&missing, &first);
    EXPECT_EQ(missing.Number, 0);
    EXPECT_EQ(missing.Section, "");
    EXPECT_EQ(missing.Key, "");
    EXPECT_EQ(missing.Value, "");

    // A folder where the file is expected reads like a missing file.
    SettingRecord record;
    EXPECT_FALSE(FindSetting("", "LOGIN", 0, folder.Path().string(), record));
}

// The installer names the file by its Windows path relative to its working
// directory.
TEST(ReadSetting, OpensTheWindowsPathFromTheWorkingDirectory) {
    ProductTree tree;
    WriteBytes(tree.SettingsFile(), ";DB;\r\n1;DB_SYSTEM;" + Hex("ODBC") + "\r\n");
    ScopedCurrentDirectory inWorkDir(tree.WorkDir());
    EXPECT_EQ(ReadSetting("", "DB_SYSTEM", 0, "..\\..\\Files\\Orvantica.Ini").Value, "ODBC");
}

// Random files of separators, line ends, digits and letters: every lookup
// ends, reads inside the text (the sanitizer build checks), and a lookup that
// finds nothing leaves the cleared record.
TEST(ReadSetting, SurvivesRandomFiles) {
    std::mt19937 random(20240607);
    const std::string alphabet = ";;;\n\r\r0123 -+AKx";
    for (int round = 0; round < 3000; ++round) {
        std::string content(random() % 600, ' ');
        for (char& c : content) c = alphabet[random() % alphabet.size()];
        SettingRecord record;
        if (!FindSettingInText(content, "", "K", 0, record)) {
            EXPECT_EQ(record.Number, 0);
            EXPECT_TRUE(record.Section.empty() && record.Key.empty() && record.Value.empty());
        }
        FindSettingInText(content, "A", "", 1, record);
    }
}

TEST(ParseSettingNumber, ReadsLikeTheProductsNumberField) {
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    const struct {
        std::string field;
        std::int32_t number;
    } cases[] = {
        {"", 0},
        {"0", 0},
        {"42", 42},
        {" \t42", 42},
        {"+7", 7},
        {"-13", -13},
        {"12abc", 12},
        {"abc", 0},
        {"- 5", 0},
        {"--5", 0},
        {"2147483647", kMax},
        {"2147483648", kMax},
        {"-2147483648", kMin},
        {"-99999999999999999999", kMin},
        {"000000000000017", 17},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseSettingNumber(c.field), c.number) << c.field;
}

}  // namespace
