#include "packaging/command_runner.h"

#include <cstdio>

#include "packaging/packaging_messages.h"
#include "platform/process.h"

namespace {

// Shells report a signal death as 128 + the signal number; the caller only
// needs a non-zero result that names the signal.
constexpr std::int32_t kSignalResultBase = 128;

}  // namespace

std::int32_t RunCommandWithLimit(std::string_view commandLine, std::uint32_t timeLimitMs) {
    ProcessResult process = RunProcess(commandLine, timeLimitMs);
    std::int32_t result = kCommandFailed;
    switch (process.outcome) {
        case ProcessOutcome::Exited:
            result = process.value;
            break;
        case ProcessOutcome::Signalled:
            result = kSignalResultBase + process.value;
            break;
        case ProcessOutcome::TimedOut:
            std::fputs(kConsoleProgramTimedOut, stdout);
            result = kCommandTimedOut;
            break;
        case ProcessOutcome::StartFailed:
            std::fputs(kConsoleProgramNotStarted, stdout);
            result = kCommandFailed;
            break;
        case ProcessOutcome::WaitFailed:
            result = kCommandFailed;
            break;
    }
    std::fputs(kConsoleProgramEnded, stdout);
    return result;
}

std::int32_t RunCommand(std::string_view commandLine) {
    return RunCommandWithLimit(commandLine, kCommandTimeLimitMs);
}
