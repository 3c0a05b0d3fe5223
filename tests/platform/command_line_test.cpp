#include "platform/command_line.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "windows_quoting.h"

namespace {

using platform_testing::QuoteForWindows;

struct SplitCase {
    const char* label;
    const char* commandLine;
    std::vector<std::string> arguments;
};

void PrintTo(const SplitCase& c, std::ostream* out) {
    *out << c.label;
}

class SplitCommandLineTable : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTable, GivesTheArgumentsWindowsProgramsSee) {
    EXPECT_EQ(SplitCommandLine(GetParam().commandLine), GetParam().arguments)
        << GetParam().commandLine;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLineTable,
    testing::Values(
        // The cases Microsoft documents for its C runtime.
        SplitCase{"QuotedThenPlain", R"("abc" d e)", {"abc", "d", "e"}},
        SplitCase{"BackslashesBeforeNoQuote", R"(a\\\b d"e f"g h)", {R"(a\\\b)", "de fg", "h"}},
        SplitCase{"OddBackslashesBeforeQuote", R"(a\\\"b c d)", {R"(a\"b)", "c", "d"}},
        SplitCase{"EvenBackslashesBeforeQuote", R"(a\\\\"b c" d e)", {R"(a\\b c)", "d", "e"}},
        SplitCase{"DoubledQuoteInsideQuotes", R"(a"b"" c d)", {R"(ab" c d)"}},
        // Blanks, tabs and empty arguments.
        SplitCase{"Empty", "", {}}, SplitCase{"OnlyBlanksAndTabs", " \t ", {}},
        SplitCase{"BlanksAndTabsSeparate", "  a\t\tb  ", {"a", "b"}},
        SplitCase{"EmptyQuoted", R"("")", {""}},
        SplitCase{"EmptyQuotedBetween", R"(a "" b)", {"a", "", "b"}},
        SplitCase{"UnclosedQuote", R"("a b)", {"a b"}},
        SplitCase{"DoubledQuoteJoins", R"("a""b")", {R"(a"b)"}},
        SplitCase{"EvenBackslashesThenDoubledQuote", R"("a\\""b")", {R"(a\"b)"}},
        // Backslashes not before a quote are literal, also at the end.
        SplitCase{"TrailingBackslashes", R"(a\ b\\)", {R"(a\)", R"(b\\)"}},
        SplitCase{"EscapedQuotesOutsideQuotes", R"(\"a\")", {R"("a")"}},
        // The program name follows the same rules.
        SplitCase{
            "QuotedProgram", R"("..\..\cgi-bin\zip.exe" -q)", {R"(..\..\cgi-bin\zip.exe)", "-q"}},
        // The archive command of the export step, for a name with blanks.
        SplitCase{
            "ArchiveCommandNameWithBlanks2003",
            R"(..\..\cgi-bin\zip.exe -q -m "..\..\Zusatzmodule\ExternePraesentationen\Mein Rundgang.exc" "start.html" "ExtPres.Orv" "Mein Rundgang.htm" "Mein Rundgang_*.*")",
            {R"(..\..\cgi-bin\zip.exe)", "-q", "-m",
             R"(..\..\Zusatzmodule\ExternePraesentationen\Mein Rundgang.exc)", "start.html",
             "ExtPres.Orv", "Mein Rundgang.htm", "Mein Rundgang_*.*"}},
        SplitCase{
            "ArchiveCommandNameWithBlanks2000",
            R"(..\..\cgi-bin\zip.exe -q -m "..\..\Zusatzmodule\ExternePraesentationen\Mein Rundgang.exc" "start.html" "ExtPres.Orv" "Mein Rundgang.htm" "Mein Rundgang-Dateien\*.*")",
            {R"(..\..\cgi-bin\zip.exe)", "-q", "-m",
             R"(..\..\Zusatzmodule\ExternePraesentationen\Mein Rundgang.exc)", "start.html",
             "ExtPres.Orv", "Mein Rundgang.htm", R"(Mein Rundgang-Dateien\*.*)"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.label); });

TEST(SplitCommandLine, GivesBackEveryArgumentAWindowsCallerQuoted) {
    // Bytes that matter to the rules, plus ordinary and high ones.
    const std::string alphabet = std::string("\\\" \tab*?.:") + '\xC4' + '\x01';
    std::mt19937 random(20240517);
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::string> arguments(1 + random() % 5);
        std::string commandLine;
        for (std::string& argument : arguments) {
            std::size_t length = random() % 9;
            for (std::size_t i = 0; i < length; ++i)
                argument += alphabet[random() % alphabet.size()];
            if (!commandLine.empty()) commandLine += random() % 2 ? " " : " \t ";
            commandLine += QuoteForWindows(argument);
        }
        ASSERT_EQ(SplitCommandLine(commandLine), arguments) << commandLine;
    }
}

}  // namespace
