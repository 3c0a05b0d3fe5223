#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Layouts of the slide-show web export that the installer knows, told apart
// by where the export keeps its player script.
inline constexpr std::int32_t kExportVersion2003 = 2003;  // "<name>_script.js" beside the main page
inline constexpr std::int32_t kExportVersion2000 = 2000;  // "<name>-Dateien\script.js"
inline constexpr std::int32_t kNoExportFound = -1;

inline constexpr std::string_view kScriptSuffix2003 = "_script.js";
inline constexpr std::string_view kScriptSuffix2000 = "-Dateien\\script.js";

// Looks for the player script of the presentation in the transfer folder,
// the 2003 layout first, so it wins when both are present. A probe succeeds
// when the file can be opened for reading; nothing is read. The name goes
// into the paths unchanged. scriptPath is left holding the last path probed
// (a Windows path relative to the working directory): the "_script.js" path
// for 2003, the "-Dateien\script.js" path for 2000 and for -1.
std::int32_t DetectExportVersion(std::string_view presName, std::string& scriptPath);
