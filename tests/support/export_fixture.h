#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

// Small hand-made slide-show web exports (tests/fixtures), placed into a
// transfer folder under any presentation name, and what the installer must
// make of them. Names may hold blanks and Windows-1252 bytes such as 0xE4;
// they are used unchanged in file names and in the main page's links.
//
// Layout 2003 places, beside each other:
//   <name>.htm, <name>_script.js (the player script), <name>_slide0001.htm,
//   <name>_slide0002.htm, <name>_outline.htm, <name>_image001.gif,
//   <name>_image002.gif, <name>_filelist.xml
// Layout 2000 places the main page <name>.htm and the folder <name>-Dateien
// with script.js (the player script), slide0001.htm, slide0002.htm,
// outline.htm, image001.gif, image002.gif, filelist.xml.
//
// Both player scripts hold the five kiosk lines among ordinary ones and
// near-misses, a line longer than 1100 bytes and non-UTF-8 bytes; the 2003
// script has CR LF line ends, the 2000 script mixed CR LF and LF without a
// final line end. Everything is deterministic: the same name and layout give
// the same bytes.

inline constexpr int kExportLayout2000 = 2000;
inline constexpr int kExportLayout2003 = 2003;

// A file of an export or of the archive: its name relative to the transfer
// folder with "/" between folders (as the archive stores it), and its bytes.
struct ExportFile {
    std::string name;
    std::string bytes;

    bool operator==(const ExportFile&) const = default;
};

// Writes the export of the layout (2000 or 2003) for the presentation into
// the transfer folder, creating folders as needed and replacing files of
// the same names.
void PlaceExport(const std::filesystem::path& transferFolder, const std::string& presName,
                 int layout);

// The files PlaceExport writes, sorted byte-wise by name.
std::vector<ExportFile> ExportFiles(const std::string& presName, int layout);

// The player script's name relative to the transfer folder, "/" between
// folders: "<name>_script.js" or "<name>-Dateien/script.js".
std::string PlayerScriptName(const std::string& presName, int layout);

// The player script as placed, and as the preparation must leave it
// (patched, every line ended by one LF). Neither depends on the name.
std::string PlayerScriptBytes(int layout);
std::string PatchedPlayerScriptBytes(int layout);

// The launcher page "start.html" and descriptor "ExtPres.Orv" as the
// preparation must write them into the transfer folder.
std::string ExpectedLauncherBytes(const std::string& presName);
std::string ExpectedDescriptorBytes();

// The archiver's command line, Windows form, as the run log shows it.
std::string ExpectedArchiveCommand(const std::string& presName, int layout);

// Every file the archive must hold after the installation, with its bytes,
// sorted byte-wise by name: the launcher page, the descriptor, the main page
// and the export's files, the player script patched.
std::vector<ExportFile> ExpectedArchiveMembers(const std::string& presName, int layout);

}  // namespace testing_support
