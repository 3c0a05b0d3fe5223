#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/process.h"
#include "platform/process_record_win32.h"

namespace {

// The exit code of a program stopped by the runner.
constexpr UINT kStoppedExitCode = static_cast<UINT>(-99);

// A stopped program releases its files only once it has gone; the wait for
// that is bounded, since a program stuck in the system may never go.
constexpr DWORD kStopWaitMs = 10000;

// Between calls: no handles, and identifiers with all 32 bits set.
PROCESS_INFORMATION processRecord = {nullptr, nullptr, 0xFFFFFFFF, 0xFFFFFFFF};

void EmptyProcessRecord() {
    processRecord.hProcess = nullptr;
    processRecord.hThread = nullptr;
    processRecord.dwProcessId = 0xFFFFFFFF;
    processRecord.dwThreadId = 0xFFFFFFFF;
}

// Thread first, then process; each only when present, and what is closed is
// marked absent at once.
void CloseProcessRecord() {
    if (processRecord.hThread != nullptr) {
        CloseHandle(processRecord.hThread);
        processRecord.hThread = nullptr;
        processRecord.dwThreadId = 0xFFFFFFFF;
    }
    if (processRecord.hProcess != nullptr) {
        CloseHandle(processRecord.hProcess);
        processRecord.hProcess = nullptr;
        processRecord.dwProcessId = 0xFFFFFFFF;
    }
}

void StopProgram() {
    TerminateProcess(processRecord.hProcess, kStoppedExitCode);
    WaitForSingleObject(processRecord.hProcess, kStopWaitMs);
}

}  // namespace

const PROCESS_INFORMATION& ProcessRecord() {
    return processRecord;
}

ProcessResult RunProcess(std::string_view windowsCommandLine, std::uint32_t timeLimitMs) {
    std::fflush(stdout);
    EmptyProcessRecord();

    // The program runs in our console with its default window state; its
    // standard streams are the console's, as nothing is redirected.
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWDEFAULT;

    // Handed over unchanged: the program is the line's first token, and the
    // program splits the rest and expands its own wildcards. CreateProcessA
    // may write into the line, so it gets a copy.
    std::string commandLine(windowsCommandLine);
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &processRecord)) {
        EmptyProcessRecord();
        return {ProcessOutcome::StartFailed, 0};
    }

    ProcessResult result{ProcessOutcome::WaitFailed, 0};
    switch (WaitForSingleObject(processRecord.hProcess, timeLimitMs)) {
        case WAIT_OBJECT_0: {
            DWORD exitCode = 0;
            if (GetExitCodeProcess(processRecord.hProcess, &exitCode))
                result = {ProcessOutcome::Exited, static_cast<std::int32_t>(exitCode)};
            break;
        }
        case WAIT_TIMEOUT:
            StopProgram();
            result = {ProcessOutcome::TimedOut, 0};
            break;
        default:
            // No program of ours may outlive the call, awaited or not.
            StopProgram();
            break;
    }
    CloseProcessRecord();
    return result;
}
