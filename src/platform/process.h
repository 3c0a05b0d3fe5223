#pragma once

#include <cstdint>
#include <string_view>

// Starting one external program from a Windows command line and waiting for
// it under a time limit. The command line is the one a Windows caller would
// hand to the platform unchanged; each platform turns it into a running
// process its own way (process_posix.cpp, process_win32.cpp).

// What became of the program.
enum class ProcessOutcome {
    Exited,       // it ended by itself; ProcessResult::value is its exit code
    TimedOut,     // the limit passed first; it was stopped (and, where possible, reaped)
    StartFailed,  // it could not be started: missing, not executable, empty line
    WaitFailed,   // it was started, but its end could not be awaited
    Signalled,    // a signal ended it; ProcessResult::value is the signal number
};

struct ProcessResult {
    ProcessOutcome outcome = ProcessOutcome::StartFailed;
    std::int32_t value = 0;
};

// Runs the command line as a new process with the caller's environment,
// current directory and console, flushing standard output first so the
// caller's console lines stay in order. Blocks until the program ends or
// timeLimitMs milliseconds have passed. No handle, descriptor or child of the
// call outlives it.
//
// On POSIX the line is split by the Windows rules (command_line.h), every
// "\" becomes "/", a program named "x.exe" that does not exist runs as "x",
// and "*" / "?" arguments are expanded against the current directory, since
// a Windows program expands its own patterns and a POSIX one expects its
// caller to.
ProcessResult RunProcess(std::string_view windowsCommandLine, std::uint32_t timeLimitMs);
