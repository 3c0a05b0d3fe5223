#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Result of PrepareExport when the player script cannot be opened or holds
// no line; nothing has been written then.
inline constexpr std::int32_t kPlayerScriptUnreadable = 90;

// Files the preparation writes into the transfer folder and packs.
inline constexpr std::string_view kLauncherFileName = "start.html";
inline constexpr std::string_view kDescriptorFileName = "ExtPres.Orv";

// Makes the export ready for packing: patches the player script at
// scriptPath in place (its lines then end with LF only), writes the launcher
// page and the descriptor file into the transfer folder, and leaves the
// archiver's command line in CurrentRun().ArchiveCommand, choosing the
// export's files by CurrentRun().ExportVersion. Returns 0 once the script
// was read, whatever became of the three writes, else
// kPlayerScriptUnreadable.
std::int32_t PrepareExport(std::string_view scriptPath, std::string_view presName);

// The archiver's command line for the presentation, in Windows form: run in
// the transfer folder, it moves launcher, descriptor, main page and the
// export's files into the archive in the presentations folder. Any version
// but 2000 packs the files beside the main page ("<name>_*.*"). Built
// whole, however long the name.
std::string BuildArchiveCommand(std::string_view presName, std::int32_t exportVersion);
