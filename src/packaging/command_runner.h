#pragma once

#include <cstdint>
#include <string_view>

// How long the archiver may run before it is stopped: five minutes.
inline constexpr std::uint32_t kCommandTimeLimitMs = 300000;

// Result of a program stopped at the time limit.
inline constexpr std::int32_t kCommandTimedOut = -99;
// Result of a program that could not be started or awaited.
inline constexpr std::int32_t kCommandFailed = -1;

// Runs one Windows command line (program first, then its arguments) in the
// current directory and returns the program's exit code, 128 + n when signal
// n ended it, kCommandTimedOut after kCommandTimeLimitMs, or kCommandFailed.
// Prints its console lines in every run: "Programm beendet \n" always, after
// a start or time-out message where one applies.
std::int32_t RunCommand(std::string_view commandLine);

// RunCommand with another time limit, so that tests reach the time-out
// without waiting five minutes.
std::int32_t RunCommandWithLimit(std::string_view commandLine, std::uint32_t timeLimitMs);
