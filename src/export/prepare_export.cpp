#include "export/prepare_export.h"

#include <initializer_list>

#include "driver/product_folders.h"
#include "driver/run_context.h"
#include "export/export_detection.h"
#include "export/line_list.h"
#include "export/script_patches.h"

namespace {

// The launcher page opens the main page in a full-screen window. The name
// is inserted unchanged; the line holding it has no semicolon.
constexpr std::string_view kLauncherDoctype =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
constexpr std::string_view kLauncherBody = "<HTML><HEAD></HEAD><BODY>";
constexpr std::string_view kLauncherScript = "<SCRIPT LANGUAGE=\"JavaScript\">";
constexpr std::string_view kLauncherOpenBeforeName = "var temp_win=window.open(\"";
constexpr std::string_view kLauncherOpenAfterName = ".htm\",\"Pr\xE4sentation\",\"fullscreen\")";
constexpr std::string_view kLauncherEnd = "</SCRIPT></BODY></HTML>";

constexpr std::string_view kDescriptorSection = "[ExtPres]";
constexpr std::string_view kDescriptorProgram = "PrgName=start.html";

constexpr std::string_view kArchiverOptions = " -q -m ";
constexpr std::string_view kArchiveExtension = ".exc";
constexpr std::string_view kMainPageExtension = ".htm";
constexpr std::string_view kExportFolderFiles2000 = "-Dateien\\*.*";
constexpr std::string_view kFilesBesideMainPage = "_*.*";

// Appends the lines and writes them as a new file; the list goes with the
// function. A failed write is not reported: the caller packs what is there.
void WriteLines(std::initializer_list<std::string_view> lines, std::string_view windowsPath) {
    LineListHandle list;
    for (std::string_view line : lines) LineListAppend(list, line);
    LineListWrite(list, windowsPath);
    LineListDispose(list);
}

std::string InTransferFolder(std::string_view fileName) {
    std::string path(kTransferFolder);
    path.append(fileName);
    return path;
}

void AppendQuoted(std::string& command, std::string_view first, std::string_view second = {},
                  std::string_view third = {}) {
    command.push_back('"');
    command.append(first);
    command.append(second);
    command.append(third);
    command.push_back('"');
}

}  // namespace

std::string BuildArchiveCommand(std::string_view presName, std::int32_t exportVersion) {
    std::string command(kArchiverPath);
    command.append(kArchiverOptions);
    AppendQuoted(command, kPresentationsFolder, presName, kArchiveExtension);
    command.push_back(' ');
    AppendQuoted(command, kLauncherFileName);
    command.push_back(' ');
    AppendQuoted(command, kDescriptorFileName);
    command.push_back(' ');
    AppendQuoted(command, presName, kMainPageExtension);
    command.push_back(' ');
    AppendQuoted(
        command, presName,
        exportVersion == kExportVersion2000 ? kExportFolderFiles2000 : kFilesBesideMainPage);
    return command;
}

std::int32_t PrepareExport(std::string_view scriptPath, std::string_view presName) {
    LineListHandle script = LineListRead(scriptPath);
    if (!script) return kPlayerScriptUnreadable;
    PatchScriptSet1(*script);
    PatchScriptSet2(*script);
    LineListWrite(script, scriptPath);
    LineListDispose(script);

    std::string openLine(kLauncherOpenBeforeName);
    openLine.append(presName);
    openLine.append(kLauncherOpenAfterName);
    WriteLines({kLauncherDoctype, kLauncherBody, kLauncherScript, openLine, kLauncherEnd},
               InTransferFolder(kLauncherFileName));
    WriteLines({kDescriptorSection, kDescriptorProgram}, InTransferFolder(kDescriptorFileName));

    RunContext& run = CurrentRun();
    run.ArchiveCommand = BuildArchiveCommand(presName, run.ExportVersion);
    return 0;
}
