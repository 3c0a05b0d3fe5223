#pragma once

#include <cstdint>
#include <string_view>

// Exit code of every refused command line.
inline constexpr std::int32_t kArgumentError = 98;

// The program's entry into its own logic: writes the start line of the run
// log, checks the arguments, fills CurrentRun() and hands over to
// InstallPresentation. Returns the run's result; main() alone turns it into
// the exit status.
std::int32_t RunFrame(int argc, char* argv[]);

// Writes the usage text to standard output.
void PrintUsage();

// True for the verbose flag "/D" in either letter case, and nothing else.
bool IsVerboseFlag(std::string_view argument);

// A name that could lead the run out of the transfer folder, or break the
// archive command or the launcher page: a path separator, a drive colon, a
// wildcard, a quote, an angle bracket, a pipe, a control byte, or "." / "..".
// No Windows file name holds these, so no real export is refused.
bool IsSafePresentationName(std::string_view name);
