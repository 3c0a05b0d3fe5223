#include "driver/run_frame.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "driver/run_log.h"
#include "support/product_tree.h"

namespace {

using testing_support::BinaryRun;
using testing_support::ProductTree;

const std::string kUsage =
    "Aufrufsyntax :\n"
    "SlidePub_<DBSys>.exe <User> <PresName> <Lizenz> <Mandant> [DebugFlag]\n"
    "\n";

// The log of one run without its start line, which must come first.
std::string LogAfterStartLine(const ProductTree& tree) {
    std::string log = tree.ReadLog();
    std::smatch start;
    static const std::regex startLine("^\r\n\r\nStart   : [0-9]{14}\r\n");
    if (!std::regex_search(log, start, startLine)) return "<no start line>" + log;
    return log.substr(start.length());
}

TEST(RunFrame, WithoutArgumentsShowsUsageAndEndsWith98) {
    ProductTree tree;
    BinaryRun run = tree.Run({});
    EXPECT_EQ(run.exitStatus, 98);
    EXPECT_EQ(run.out, "fehlender Parameter\n" + kUsage);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(LogAfterStartLine(tree), "falsche Parameteranzahl --> Abbruch\r\n");
}

struct RefusedCase {
    const char* what;
    std::vector<std::string> args;
    std::string console;
    std::string log;  // after the start line
};

TEST(RunFrame, RefusesOnlyTheFirstFaultyArgument) {
    const std::string name50(50, 'u'), name51(51, 'u'), pres201(201, 'p');
    const RefusedCase cases[] = {
        {"three arguments",
         {"u", "p", "1"},
         "fehlender Parameter\n" + kUsage,
         "falsche Parameteranzahl --> Abbruch\r\n"},
        {"user of 51",
         {name51, "Rundgang", "1", "2"},
         "Benutzername zu lang !!!\n" + kUsage,
         "Benutzername zu lang --> Abbruch\r\n"},
        {"user of 51 and name of 201",
         {name51, pres201, "123456", "123456"},
         "Benutzername zu lang !!!\n" + kUsage,
         "Benutzername zu lang --> Abbruch\r\n"},
        {"name of 201",
         {name50, pres201, "1", "2"},
         "Name der Praesentation zu lang !!!\n",
         "Name der Pr\xE4sentation zu lang --> Abbruch\r\n"},
        {"licence of 6",
         {"u", "Rundgang", "123456", "1"},
         "Lizenznummer zu lang !!!\n",
         "Pr\xE4sentation: Rundgang\r\nLizenznummer zu lang --> Abbruch\r\n"},
        {"client of 6",
         {"u", "Rundgang", "12345", "123456"},
         "Mandantennummer zu lang !!!\n",
         "Pr\xE4sentation: Rundgang\r\nMandantennummer zu lang --> Abbruch\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProductTree tree;
        BinaryRun run = tree.Run(c.args);
        EXPECT_EQ(run.exitStatus, 98);
        EXPECT_EQ(run.out, c.console);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(LogAfterStartLine(tree), c.log);
    }
}

TEST(RunFrame, RefusesNamesThatLeaveTheTransferFolder) {
    const std::string names[] = {"..\\x", "a/b",        "Rund\"gang", std::string("Rund\x01gang"),
                                 "..",    "C:Rundgang", "Rund*",      "a|b"};
    for (const auto& name : names) {
        SCOPED_TRACE(name);
        ProductTree tree;
        BinaryRun run = tree.Run({"u", name, "1", "2"});
        EXPECT_EQ(run.exitStatus, 98);
        EXPECT_EQ(run.out, "Name der Praesentation ungueltig !!!\n");
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(LogAfterStartLine(tree), "Name der Pr\xE4sentation ung\xFCltig --> Abbruch\r\n");
    }
}

TEST(RunFrame, AcceptsArgumentsAtTheirLimitsAndLogsThem) {
    const std::string user50(50, 'u'), pres200(200, 'p');
    const std::vector<std::vector<std::string>> accepted = {
        {user50, pres200, "12345", "54321"},
        {"", "", "", ""},
        {"u", "Rundgang \xE4", "1", "2", "/d", "ignored"},
    };
    for (const auto& args : accepted) {
        ProductTree tree;
        BinaryRun run = tree.Run(args);
        EXPECT_NE(run.exitStatus, 98);
        std::string expected = "Pr\xE4sentation: " + args[1] + "\r\nLizenz: '" + args[2] +
                               "', Mandant: '" + args[3] + "'\r\n";
        EXPECT_EQ(LogAfterStartLine(tree).substr(0, expected.size()), expected);
    }
}

TEST(RunFrame, StartLineComesFirstEvenWhenTheLogHoldsEarlierRuns) {
    ProductTree tree;
    tree.Run({});
    tree.Run({});
    std::string log = tree.ReadLog();
    static const std::regex twoRuns(
        "^(\r\n\r\nStart   : [0-9]{14}\r\nfalsche Parameteranzahl --> Abbruch\r\n){2}$");
    EXPECT_TRUE(std::regex_match(log, twoRuns)) << log;
}

TEST(VerboseFlag, OnlySlashDInEitherCase) {
    EXPECT_TRUE(IsVerboseFlag("/D"));
    EXPECT_TRUE(IsVerboseFlag("/d"));
    for (const char* other : {"", "D", "/", "-d", "/DX", "/d ", "12345"})
        EXPECT_FALSE(IsVerboseFlag(other)) << other;
}

TEST(SafePresentationName, RefusesOnlyWhatNoWindowsFileNameHolds) {
    for (const char* good : {"Rundgang", "Rund gang", "", "Rundgang.v2", "...", "O'Brien",
                             "Pr\xE4sentation", "a-b_c(1)"})
        EXPECT_TRUE(IsSafePresentationName(good)) << good;
    for (const char* bad : {".", "..", "a\\b", "a/b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b",
                            "a|b", "a\tb", "a\x1F"})
        EXPECT_FALSE(IsSafePresentationName(bad)) << bad;
}

// A fresh process, so no earlier request has filled the time stamp.
TEST(FormatTimestampDeathTest, UnknownNameFirstGivesEmptyText) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(FormatTimestamp("hhmmss").empty() ? 0 : 1), ::testing::ExitedWithCode(0),
                "");
}

}  // namespace
