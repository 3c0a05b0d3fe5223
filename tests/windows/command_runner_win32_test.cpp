#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "driver/run_context.h"
#include "packaging/command_runner.h"
#include "platform/process_record_win32.h"
#include "support/test_files.h"

namespace {

using testing_support::ReadBytes;
using testing_support::ScopedCurrentDirectory;
using testing_support::TempFolder;

constexpr char kEnded[] = "Programm beendet \n";
constexpr char kNotStarted[] = "Programm konnte nicht ausgefuehrt werden \nProgramm beendet \n";
constexpr char kTimedOut[] = "Timeout : Programm abgebrochen \nProgramm beendet \n";

const std::filesystem::path kHelpers = SLIDEPUB_WINDOWS_HELPERS;

// A product-like tree: the helpers in base\cgi-bin, the runner started in
// base\a\b, so that the programs are named the way the archiver is.
std::filesystem::path MakeTree(const std::filesystem::path& base) {
    std::filesystem::create_directories(base / "cgi-bin");
    std::filesystem::create_directories(base / "a" / "b");
    for (const char* helper : {"exit_with.exe", "sleep_for.exe", "record_command_line.exe"})
        std::filesystem::copy_file(kHelpers / helper, base / "cgi-bin" / helper);
    return base / "a" / "b";
}

class CommandRunnerWin32 : public testing::Test {
  protected:
    std::int32_t Run(const std::string& commandLine, std::uint32_t timeLimitMs) {
        testing::internal::CaptureStdout();
        std::int32_t result = timeLimitMs == kCommandTimeLimitMs
                                  ? RunCommand(commandLine)
                                  : RunCommandWithLimit(commandLine, timeLimitMs);
        console_ = testing::internal::GetCapturedStdout();
        return result;
    }

    // After every call the record is empty, and the program no longer runs:
    // ended with the given exit code, or gone altogether.
    void ExpectNothingLeftOf(DWORD processId, DWORD exitCode) {
        const PROCESS_INFORMATION& record = ProcessRecord();
        EXPECT_EQ(record.hProcess, nullptr);
        EXPECT_EQ(record.hThread, nullptr);
        EXPECT_EQ(record.dwProcessId, 0xFFFFFFFFu);
        EXPECT_EQ(record.dwThreadId, 0xFFFFFFFFu);
        if (processId == 0) return;
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
        if (process == nullptr) return;
        DWORD code = STILL_ACTIVE;
        EXPECT_TRUE(GetExitCodeProcess(process, &code));
        EXPECT_EQ(code, exitCode) << "process " << processId;
        CloseHandle(process);
    }

    TempFolder temp_;
    std::filesystem::path workDir_ = MakeTree(temp_.Path());
    ScopedCurrentDirectory inWorkDir_{workDir_};
    std::string console_;
};

struct OutcomeCase {
    const char* name;
    const char* commandLine;
    std::uint32_t timeLimitMs;
    std::int32_t result;
    const char* console;
};

void PrintTo(const OutcomeCase& c, std::ostream* out) {
    *out << c.name;
}

class OutcomeTable : public CommandRunnerWin32, public testing::WithParamInterface<OutcomeCase> {};

TEST_P(OutcomeTable, GivesTheResultAndTheConsoleLinesOfThatOutcome) {
    const OutcomeCase& row = GetParam();
    EXPECT_EQ(Run(row.commandLine, row.timeLimitMs), row.result);
    EXPECT_EQ(console_, row.console);
    // The sleeper is stopped with -99 at the limit.
    DWORD sleeperId = 0;
    std::string pid = ReadBytes(workDir_ / "sleeper.pid");
    if (!pid.empty()) sleeperId = std::stoul(pid);
    ExpectNothingLeftOf(sleeperId, static_cast<DWORD>(-99));
}

// Exit codes are 32-bit values, taken as signed: -99 as 4294967197 and an
// access violation's 0xC0000005 arrive as negative numbers.
INSTANTIATE_TEST_SUITE_P(
    Cases, OutcomeTable,
    testing::Values(
        OutcomeCase{"ExitZero", R"(..\..\cgi-bin\exit_with.exe 0)", kCommandTimeLimitMs, 0, kEnded},
        OutcomeCase{"ExitTwelve", R"(..\..\cgi-bin\exit_with.exe 12)", kCommandTimeLimitMs, 12,
                    kEnded},
        OutcomeCase{"ExitMinus99", R"(..\..\cgi-bin\exit_with.exe -99)", kCommandTimeLimitMs, -99,
                    kEnded},
        OutcomeCase{"ExitAccessViolation", R"(..\..\cgi-bin\exit_with.exe -1073741819)",
                    kCommandTimeLimitMs, -1073741819, kEnded},
        OutcomeCase{"Missing", R"(..\..\cgi-bin\zip.exe -q -m "x.exc" "*.*")", kCommandTimeLimitMs,
                    -1, kNotStarted},
        OutcomeCase{"EmptyLine", "", kCommandTimeLimitMs, -1, kNotStarted},
        OutcomeCase{"TimeLimit", R"(..\..\cgi-bin\sleep_for.exe 60000)", 300, -99, kTimedOut}),
    [](const testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.name); });

// The program splits its line and expands its patterns itself: the runner
// hands the line over byte for byte, and the program runs in the caller's
// current directory.
TEST_F(CommandRunnerWin32, HandsTheLineOverUnchanged) {
    const std::string commandLine =
        R"(..\..\cgi-bin\record_command_line.exe -q -m )"
        R"("..\..\Zusatzmodule\ExternePraesentationen\Rundgang 1.exc" "start.html"  )"
        R"("Rundgang 1_*.*" a\"b C:\x\ "\\server\share\" tail)";
    EXPECT_EQ(Run(commandLine, kCommandTimeLimitMs), 0);
    EXPECT_EQ(console_, kEnded);

    std::string record = ReadBytes(workDir_ / "command_line.txt");
    std::size_t first = record.find('\n'), second = record.find('\n', first + 1);
    ASSERT_NE(second, std::string::npos) << record;
    EXPECT_EQ(record.substr(0, first), commandLine);
    EXPECT_EQ(std::filesystem::path(record.substr(first + 1, second - first - 1)),
              std::filesystem::current_path());
    ExpectNothingLeftOf(std::stoul(record.substr(second + 1)), 0);
}

TEST_F(CommandRunnerWin32, PrintsItsLinesWhateverTheVerboseFlag) {
    const bool verbose = CurrentRun().Verbose;
    for (bool flag : {false, true}) {
        CurrentRun().Verbose = flag;
        EXPECT_EQ(Run(R"(..\..\cgi-bin\exit_with.exe 0)", kCommandTimeLimitMs), 0);
        EXPECT_EQ(console_, kEnded) << "verbose " << flag;
    }
    CurrentRun().Verbose = verbose;
}

}  // namespace
