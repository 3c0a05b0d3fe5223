#include "driver/run_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/product_tree.h"

namespace {

using testing_support::ProductTree;
using testing_support::ReadBytes;
using testing_support::ScopedCurrentDirectory;
using testing_support::WriteBytes;

class RunLog : public ::testing::Test {
  protected:
    ProductTree tree;
    ScopedCurrentDirectory inWorkDir{tree.WorkDir()};
};

TEST_F(RunLog, AppendsLinesWithCrLfAlsoForLineFeedsInside) {
    LogWrite("erste");
    LogWrite("\n\nStart   : 05032026070809");
    LogWrite("Pr\xE4sentation: A\nB");
    EXPECT_EQ(tree.ReadLog(),
              "erste\r\n\r\n\r\nStart   : 05032026070809\r\nPr\xE4sentation: A\r\nB\r\n");
}

TEST_F(RunLog, MissingFolderLosesTheLineSilently) {
    std::filesystem::remove_all(tree.LogDir());
    LogWrite("verloren");
    EXPECT_FALSE(std::filesystem::exists(tree.LogDir()));
}

// "x" plus CR LF adds three bytes to the file.
TEST_F(RunLog, ExactlyTheLimitDoesNotRotate) {
    WriteBytes(tree.LogFile(), "");
    std::filesystem::resize_file(tree.LogFile(), kLogSizeLimit - 3);
    LogWrite("x");
    EXPECT_EQ(std::filesystem::file_size(tree.LogFile()), std::uintmax_t(kLogSizeLimit));
    EXPECT_FALSE(std::filesystem::exists(tree.LogBackup()));
}

TEST_F(RunLog, OneByteOverTheLimitBecomesTheOnlyBackup) {
    WriteBytes(tree.LogBackup(), "older backup\r\n");
    WriteBytes(tree.LogFile(), "");
    std::filesystem::resize_file(tree.LogFile(), kLogSizeLimit - 2);
    LogWrite("x");

    EXPECT_FALSE(std::filesystem::exists(tree.LogFile()));
    ASSERT_EQ(std::filesystem::file_size(tree.LogBackup()), std::uintmax_t(kLogSizeLimit + 1));
    std::string backup = ReadBytes(tree.LogBackup());
    EXPECT_EQ(backup.substr(backup.size() - 3), "x\r\n");
    EXPECT_EQ(backup.find("older backup"), std::string::npos);

    LogWrite("neu");
    EXPECT_EQ(tree.ReadLog(), "neu\r\n");
}

TEST(LogLine, FormatsLongValuesWhole) {
    std::string value(3000, 'v');
    const std::string& line = LogLine("    %s|%d", value.c_str(), -99);
    EXPECT_EQ(line, "    " + value + "|-99");
}

TEST(FormatTimestamp, BothOrdersInAnyLetterCase) {
    std::tm at{};
    at.tm_year = 2026 - 1900;
    at.tm_mon = 2;  // March
    at.tm_mday = 5;
    at.tm_hour = 7;
    at.tm_min = 8;
    at.tm_sec = 9;
    EXPECT_EQ(FormatTimestampAt("ddmmyyyyhhminss", at), "05032026070809");
    EXPECT_EQ(FormatTimestampAt("DDMMYYYYHHMINSS", at), "05032026070809");
    EXPECT_EQ(FormatTimestampAt("YYYYMMDDHHMINSS", at), "20260305070809");
    EXPECT_EQ(FormatTimestampAt("yyyyMMddHHmiSS", at), "20260305070809");

    // An unknown name keeps the previous result.
    at.tm_sec = 10;
    EXPECT_EQ(FormatTimestampAt("hhmmss", at), "20260305070809");
}

TEST(FormatTimestamp, CurrentTimeHasFourteenDigits) {
    std::string stamp = FormatTimestamp("yyyymmddhhminss");
    ASSERT_EQ(stamp.size(), 14u);
    EXPECT_EQ(stamp.find_first_not_of("0123456789"), std::string::npos);
}

}  // namespace
