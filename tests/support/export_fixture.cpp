#include "support/export_fixture.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "support/test_files.h"

namespace testing_support {

namespace {

constexpr std::string_view kNamePlaceholderInFileName = "NAME";
constexpr std::string_view kNamePlaceholderInText = "@NAME@";

std::filesystem::path FixtureFolder() {
    return std::filesystem::path(SLIDEPUB_SOURCE_DIR) / "tests" / "fixtures";
}

std::filesystem::path LayoutFolder(int layout) {
    if (layout != kExportLayout2000 && layout != kExportLayout2003)
        throw std::invalid_argument("export layout must be 2000 or 2003");
    return FixtureFolder() / ("export-" + std::to_string(layout));
}

std::string ReadFixture(const std::filesystem::path& path) {
    if (!std::filesystem::is_regular_file(path))
        throw std::runtime_error("fixture missing: " + path.string());
    return ReadBytes(path);
}

std::string WithName(std::string text, const std::string& presName) {
    for (std::size_t at = text.find(kNamePlaceholderInText); at != std::string::npos;
         at = text.find(kNamePlaceholderInText, at + presName.size())) {
        text.replace(at, kNamePlaceholderInText.size(), presName);
    }
    return text;
}

void SortByName(std::vector<ExportFile>& files) {
    std::sort(files.begin(), files.end(),
              [](const ExportFile& a, const ExportFile& b) { return a.name < b.name; });
}

}  // namespace

std::vector<ExportFile> ExportFiles(const std::string& presName, int layout) {
    const std::filesystem::path folder = LayoutFolder(layout);
    std::vector<ExportFile> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::string name = entry.path().lexically_relative(folder).generic_string();
        if (name.compare(0, kNamePlaceholderInFileName.size(), kNamePlaceholderInFileName) != 0)
            throw std::runtime_error("fixture file not named after the presentation: " + name);
        name.replace(0, kNamePlaceholderInFileName.size(), presName);
        files.push_back({name, WithName(ReadFixture(entry.path()), presName)});
    }
    SortByName(files);
    return files;
}

void PlaceExport(const std::filesystem::path& transferFolder, const std::string& presName,
                 int layout) {
    for (const ExportFile& file : ExportFiles(presName, layout))
        WriteBytes(transferFolder / file.name, file.bytes);
}

std::string PlayerScriptName(const std::string& presName, int layout) {
    LayoutFolder(layout);
    return layout == kExportLayout2003 ? presName + "_script.js" : presName + "-Dateien/script.js";
}

std::string PlayerScriptBytes(int layout) {
    return ReadFixture(LayoutFolder(layout) / PlayerScriptName("NAME", layout));
}

std::string PatchedPlayerScriptBytes(int layout) {
    LayoutFolder(layout);
    return ReadFixture(FixtureFolder() / "patched" / ("script-" + std::to_string(layout) + ".js"));
}

std::string ExpectedLauncherBytes(const std::string& presName) {
    return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n"
           "<HTML><HEAD></HEAD><BODY>\n"
           "<SCRIPT LANGUAGE=\"JavaScript\">\n"
           "var temp_win=window.open(\"" +
           presName +
           ".htm\",\"Pr\xE4sentation\",\"fullscreen\")\n"
           "</SCRIPT></BODY></HTML>\n";
}

std::string ExpectedDescriptorBytes() {
    return "[ExtPres]\nPrgName=start.html\n";
}

std::string ExpectedArchiveCommand(const std::string& presName, int layout) {
    LayoutFolder(layout);
    const std::string exportFiles =
        layout == kExportLayout2000 ? presName + "-Dateien\\*.*" : presName + "_*.*";
    return "..\\..\\cgi-bin\\zip.exe -q -m \"..\\..\\Zusatzmodule\\ExternePraesentationen\\" +
           presName + ".exc\" \"start.html\" \"ExtPres.Orv\" \"" + presName + ".htm\" \"" +
           exportFiles + "\"";
}

std::vector<ExportFile> ExpectedArchiveMembers(const std::string& presName, int layout) {
    std::vector<ExportFile> members = ExportFiles(presName, layout);
    const std::string scriptName = PlayerScriptName(presName, layout);
    for (ExportFile& member : members) {
        if (member.name == scriptName) member.bytes = PatchedPlayerScriptBytes(layout);
    }
    members.push_back({"start.html", ExpectedLauncherBytes(presName)});
    members.push_back({"ExtPres.Orv", ExpectedDescriptorBytes()});
    SortByName(members);
    return members;
}

}  // namespace testing_support
