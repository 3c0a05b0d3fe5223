#include "packaging/command_runner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "driver/run_context.h"
#include "packaging/console_capture.h"
#include "support/test_files.h"

namespace {

using packaging_testing::ConsoleCapture;
using packaging_testing::WriteScript;
using testing_support::ScopedCurrentDirectory;
using testing_support::TempFolder;
using testing_support::WriteBytes;

constexpr char kEnded[] = "Programm beendet \n";
constexpr char kNotStarted[] = "Programm konnte nicht ausgefuehrt werden \nProgramm beendet \n";
constexpr char kTimedOut[] = "Timeout : Programm abgebrochen \nProgramm beendet \n";

std::size_t OpenDescriptorCount() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

// True when the call left no child behind, running or unreaped.
bool NoChildLeft() {
    return waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

class CommandRunnerTest : public testing::Test {
  protected:
    CommandRunnerTest() : cwd_(temp_.Path()) {}

    TempFolder temp_;
    ScopedCurrentDirectory cwd_;
};

struct OutcomeCase {
    const char* name;
    const char* script;  // written as prog\run; none: the program is missing
    std::uint32_t timeLimitMs;
    std::int32_t result;
    const char* console;
};

void PrintTo(const OutcomeCase& c, std::ostream* out) {
    *out << c.name;
}

class OutcomeTable : public CommandRunnerTest, public testing::WithParamInterface<OutcomeCase> {};

TEST_P(OutcomeTable, GivesTheResultAndTheConsoleLinesOfThatOutcome) {
    const OutcomeCase& row = GetParam();
    if (row.script != nullptr) WriteScript(temp_.Path() / "prog" / "run", row.script);

    ConsoleCapture console;
    std::size_t descriptorsBefore = OpenDescriptorCount();
    std::int32_t result =
        row.timeLimitMs == kCommandTimeLimitMs
            ? RunCommand(R"(prog\run.exe "an argument")")
            : RunCommandWithLimit(R"(prog\run.exe "an argument")", row.timeLimitMs);
    std::size_t descriptorsAfter = OpenDescriptorCount();

    EXPECT_EQ(result, row.result);
    EXPECT_EQ(console.Finish(), row.console);
    EXPECT_EQ(descriptorsAfter, descriptorsBefore);
    EXPECT_TRUE(NoChildLeft());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutcomeTable,
    testing::Values(OutcomeCase{"ExitZero", "exit 0", kCommandTimeLimitMs, 0, kEnded},
                    OutcomeCase{"ExitTwelve", "exit 12", kCommandTimeLimitMs, 12, kEnded},
                    OutcomeCase{"Missing", nullptr, kCommandTimeLimitMs, -1, kNotStarted},
                    OutcomeCase{"KilledBySignal", "kill -TERM $$", kCommandTimeLimitMs, 128 + 15,
                                kEnded},
                    // exec keeps the one process, so the stop reaches the sleeping program.
                    OutcomeCase{"TimeLimit", "exec sleep 30", 300, -99, kTimedOut}),
    [](const testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.name); });

TEST_F(CommandRunnerTest, AFileThatCannotBeExecutedIsAStartFailure) {
    WriteBytes(temp_.Path() / "prog" / "run", "#!/bin/sh\nexit 0\n");  // no execute bit

    ConsoleCapture console;
    EXPECT_EQ(RunCommand(R"(prog\run.exe)"), -1);
    EXPECT_EQ(console.Finish(), kNotStarted);
}

TEST_F(CommandRunnerTest, PrintsItsLinesWhateverTheVerboseFlag) {
    WriteScript(temp_.Path() / "run", "exit 0");
    const bool verbose = CurrentRun().Verbose;
    for (bool flag : {false, true}) {
        CurrentRun().Verbose = flag;
        ConsoleCapture console;
        EXPECT_EQ(RunCommand("run"), 0);
        EXPECT_EQ(console.Finish(), kEnded) << "verbose " << flag;
    }
    CurrentRun().Verbose = verbose;
}

TEST_F(CommandRunnerTest, ConsoleLinesAndTheProgramsOutputStayInOrder) {
    WriteScript(temp_.Path() / "run", "echo program");

    ConsoleCapture console;
    std::fputs("before\n", stdout);  // still in the stream's buffer: the file is no terminal
    EXPECT_EQ(RunCommand("run"), 0);
    EXPECT_EQ(console.Finish(), std::string("before\nprogram\n") + kEnded);
}

// Lowers the descriptor limit so that no further descriptor can be opened,
// and restores it.
class DescriptorsUsedUp {
  public:
    DescriptorsUsedUp() {
        getrlimit(RLIMIT_NOFILE, &saved_);
        // Every number below the limit taken; the limit stays above the
        // standard streams, so a start may still name the descriptors to close.
        int lowestFree = 0;
        while (true) {
            while (fcntl(lowestFree, F_GETFD) != -1) ++lowestFree;
            if (lowestFree > 4) break;
            held_.push_back(open("/dev/null", O_RDONLY));
        }
        rlimit lowered = saved_;
        lowered.rlim_cur = static_cast<rlim_t>(lowestFree);
        lowered_ = setrlimit(RLIMIT_NOFILE, &lowered) == 0;
    }
    ~DescriptorsUsedUp() {
        setrlimit(RLIMIT_NOFILE, &saved_);
        for (int fd : held_) close(fd);
    }
    DescriptorsUsedUp(const DescriptorsUsedUp&) = delete;
    DescriptorsUsedUp& operator=(const DescriptorsUsedUp&) = delete;
    bool Lowered() const { return lowered_; }

  private:
    rlimit saved_{};
    std::vector<int> held_;
    bool lowered_ = false;
};

TEST_F(CommandRunnerTest, AWaitThatFailsGivesMinusOneAndLeavesNoChild) {
    // The program starts (a start opens no descriptor), but the descriptor
    // to wait on cannot be had.
    WriteScript(temp_.Path() / "run", "exec sleep 30");

    ConsoleCapture console;
    std::int32_t result = 0;
    {
        DescriptorsUsedUp limit;
        ASSERT_TRUE(limit.Lowered());
        result = RunCommandWithLimit("run", 10000);
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(console.Finish(), kEnded);
    EXPECT_TRUE(NoChildLeft());
}

}  // namespace
