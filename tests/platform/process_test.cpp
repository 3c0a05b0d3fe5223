#include "platform/process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace {

using testing_support::ReadBytes;
using testing_support::ScopedCurrentDirectory;
using testing_support::TempFolder;
using testing_support::WriteBytes;

void WriteScript(const std::filesystem::path& path, const std::string& body) {
    WriteBytes(path, "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

// Every case runs in <temp>/work; the argument printer lives one level up
// and writes what it got, one argument a line, to <temp>/args.txt.
class ProcessTest : public testing::Test {
  protected:
    ProcessTest() : cwd_(Work()) {}

    std::filesystem::path Work() {
        std::filesystem::create_directories(temp_.Path() / "work");
        return temp_.Path() / "work";
    }

    std::vector<std::string> ArgumentsSeenBy(const std::string& arguments) {
        WriteScript(temp_.Path() / "show-args",
                    "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > ../args.txt");
        ProcessResult result = RunProcess("..\\show-args.exe " + arguments, 10000);
        EXPECT_EQ(result.outcome, ProcessOutcome::Exited);
        std::vector<std::string> lines;
        std::string text = ReadBytes(temp_.Path() / "args.txt");
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = text.find('\n', start);
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }

    TempFolder temp_;
    ScopedCurrentDirectory cwd_;
};

struct ArgumentCase {
    const char* label;
    const char* arguments;
    std::vector<std::string> files;  // created in the working folder first
    std::vector<std::string> expected;
};

void PrintTo(const ArgumentCase& c, std::ostream* out) {
    *out << c.label;
}

class ArgumentTable : public ProcessTest, public testing::WithParamInterface<ArgumentCase> {};

TEST_P(ArgumentTable, ReachTheProgramMappedAndExpanded) {
    for (const std::string& file : GetParam().files) WriteBytes(Work() / file, "x");
    EXPECT_EQ(ArgumentsSeenBy(GetParam().arguments), GetParam().expected) << GetParam().arguments;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArgumentTable,
    testing::Values(
        // The two patterns of the archive command; a final *.* also takes
        // names without a dot, and names that only look alike stay out.
        ArgumentCase{"ArchivePattern2003",
                     R"("Name_*.*")",
                     {"Name_b.js", "Name_a", "Name.htm", "Name_", "name_c.js", "Other_d.js"},
                     {"Name_", "Name_a", "Name_b.js"}},
        ArgumentCase{"ArchivePattern2000",
                     R"("Name-Dateien\*.*")",
                     {"Name-Dateien/b.css", "Name-Dateien/a.js", "Name-Dateien/frame",
                      "Name-Dateien/.hidden", "Name.htm"},
                     {"Name-Dateien/.hidden", "Name-Dateien/a.js", "Name-Dateien/b.css",
                      "Name-Dateien/frame"}},
        ArgumentCase{
            "StarDotStarTakesNamesWithoutDot", "*.*", {"README", "a.b"}, {"README", "a.b"}},
        ArgumentCase{"NameWithBlanks",
                     R"("Mein Rundgang_*.*" x)",
                     {"Mein Rundgang_a.js", "Mein Rundgang.htm"},
                     {"Mein Rundgang_a.js", "x"}},
        // Sorted byte-wise, so capitals come first.
        ArgumentCase{"SortedByteWise", "*", {"b", "B", "a"}, {"B", "a", "b"}},
        ArgumentCase{"QuestionMarkIsOneByte", "a?c", {"abc", "ac", "abbc"}, {"abc"}},
        ArgumentCase{"BracketIsLiteral", "x[1]*", {"x[1]a", "x1a"}, {"x[1]a"}},
        ArgumentCase{"CaseCounts", "*.js", {"a.js", "b.json", "c.JS"}, {"a.js"}},
        // Nothing matches: the pattern arrives as it was (mapped).
        ArgumentCase{"NoMatchKeepsPattern", R"("Nothing_*.*")", {"Name_a"}, {"Nothing_*.*"}},
        ArgumentCase{"MissingFolderKeepsPattern", R"("missing\*.*")", {}, {"missing/*.*"}},
        // Only the last component is a pattern, as on Windows.
        ArgumentCase{"OnlyLastComponentIsPattern", R"("N*\x")", {"Name/x"}, {"N*/x"}},
        // Backslashes become slashes, the Windows quoting rules apply.
        ArgumentCase{"MappedAndUnquoted",
                     R"(-q sub\file.txt "a\"b" "two words" "")",
                     {},
                     {"-q", "sub/file.txt", "a\"b", "two words", ""}}),
    [](const testing::TestParamInfo<ArgumentCase>& info) { return std::string(info.param.label); });

struct ProgramCase {
    const char* label;
    const char* commandLine;
    ProcessOutcome outcome;
    std::int32_t value;
};

void PrintTo(const ProgramCase& c, std::ostream* out) {
    *out << c.label;
}

class ProgramTable : public ProcessTest, public testing::WithParamInterface<ProgramCase> {};

TEST_P(ProgramTable, IsFoundAsAWindowsCallerNamedIt) {
    WriteScript(Work() / "bin" / "tool", "exit 7");
    WriteScript(Work() / "bin" / "both.exe", "exit 1");
    WriteScript(Work() / "bin" / "both", "exit 2");
    WriteScript(Work() / "bin" / "UPPER", "exit 3");
    WriteBytes(Work() / "bin" / "plain", "#!/bin/sh\nexit 0\n");  // not executable
    std::filesystem::create_directories(Work() / "bin" / "folder");

    ProcessResult result = RunProcess(GetParam().commandLine, 10000);
    EXPECT_EQ(result.outcome, GetParam().outcome) << GetParam().commandLine;
    if (GetParam().outcome == ProcessOutcome::Exited) {
        EXPECT_EQ(result.value, GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramTable,
    testing::Values(
        ProgramCase{"PathWithoutExe", R"(bin\tool)", ProcessOutcome::Exited, 7},
        ProgramCase{"ExeDropped", R"(.\bin\tool.exe)", ProcessOutcome::Exited, 7},
        ProgramCase{"ExeDroppedInAnyCase", R"("bin\UPPER.EXE")", ProcessOutcome::Exited, 3},
        // ".exe" is dropped only when the named file does not exist.
        ProgramCase{"ExistingExeKept", R"(bin\both.exe)", ProcessOutcome::Exited, 1},
        // A name without a folder is searched like Windows does: here, then PATH.
        ProgramCase{"BareNameOnPath", R"(sh -c "exit 4")", ProcessOutcome::Exited, 4},
        ProgramCase{"BareNameExeDropped", R"(sh.exe -c "exit 5")", ProcessOutcome::Exited, 5},
        // A path is never searched on PATH.
        ProgramCase{"PathNeverSearched", R"(bin\sh -c "exit 0")", ProcessOutcome::StartFailed, 0},
        ProgramCase{"Missing", R"(bin\missing.exe)", ProcessOutcome::StartFailed, 0},
        ProgramCase{"NotExecutable", R"(bin\plain)", ProcessOutcome::StartFailed, 0},
        ProgramCase{"Folder", R"(bin\folder)", ProcessOutcome::StartFailed, 0},
        ProgramCase{"BareNameMissing", "no-such-program-anywhere", ProcessOutcome::StartFailed, 0},
        ProgramCase{"EmptyLine", "", ProcessOutcome::StartFailed, 0},
        ProgramCase{"BlankLine", "  ", ProcessOutcome::StartFailed, 0}),
    [](const testing::TestParamInfo<ProgramCase>& info) { return std::string(info.param.label); });

TEST_F(ProcessTest, TheProgramGetsNoneOfTheCallersOtherDescriptors) {
    // A descriptor without close-on-exec, as a Windows handle marked
    // inheritable would be; the start does not pass it on all the same.
    int file = open((temp_.Path() / "held").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(file, 0);
    ASSERT_EQ(dup2(file, 50), 50);
    close(file);
    WriteScript(Work() / "probe", "[ -e /proc/$$/fd/50 ] && exit 1; exit 0");

    ProcessResult result = RunProcess("probe", 10000);
    close(50);
    EXPECT_EQ(result.outcome, ProcessOutcome::Exited);
    EXPECT_EQ(result.value, 0);
}

}  // namespace
