#include "driver/install_presentation.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "catalogue/database_connection.h"
#include "catalogue/presentation_catalogue.h"
#include "driver/driver_messages.h"
#include "driver/product_folders.h"
#include "driver/run_log.h"
#include "export/export_detection.h"
#include "export/prepare_export.h"
#include "packaging/command_runner.h"
#include "packaging/fingerprint.h"
#include "platform/directory.h"
#include "platform/files.h"

namespace {

// The sequence's own exit codes; every other failure passes its stage's
// result on unchanged.
inline constexpr std::int32_t kExitAlreadyRegistered = 95;
inline constexpr std::int32_t kExitNoExport = 91;
inline constexpr std::size_t kPreviewCopyChunk = 501;

void Verbose(const RunContext& run, const char* format, ...) SLIDEPUB_PRINTF_FORMAT(2, 3);

void Verbose(const RunContext& run, const char* format, ...) {
    if (!run.Verbose) return;
    std::va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
}

// Runs the archiver with the transfer folder as the current directory, so the
// member names of the command are found there; the working directory is back
// before anything else happens, the caller's log line included.
std::int32_t RunArchiverInTransferFolder(const std::string& command) {
    std::string workDir = CurrentDirectory();
    ChangeDirectory(kTransferFolder);
    std::int32_t result = RunCommand(command);
    ChangeDirectory(workDir);
    return result;
}

// A missing template still leaves an (empty) picture: the product shows the
// archive with whatever picture is there.
void CopyPreviewPicture(const RunContext& run) {
    std::string templatePath = std::string(kPresentationsFolder) + "_Eigene.gif";
    std::string picturePath = std::string(kPresentationsFolder) + run.PresName + ".gif";
    FileHandle source = OpenFile(templatePath, "rb");
    if (!source) {
        LogWrite(kPreviewTemplateMissing);
        Verbose(run, "%s", kPreviewTemplateMissing);
    }
    FileHandle target = OpenFile(picturePath, "wb");
    if (!target) {
        LogWrite(kPreviewNotCreated);
        Verbose(run, "%s", kPreviewNotCreated);
    }
    if (!source || !target) return;
    char chunk[kPreviewCopyChunk];
    std::size_t read;
    while ((read = std::fread(chunk, 1, sizeof chunk, source.get())) > 0)
        std::fwrite(chunk, 1, read, target.get());
}

}  // namespace

std::int32_t InstallPresentation(RunContext& run) {
    run.LastResult = DbConnect();
    if (run.LastResult != 0) {
        LogWrite(LogLine(kLogDbConnectFailed, run.LastResult));
        return run.LastResult;
    }
    Verbose(run, kConsoleDbConnected);

    run.LastResult = PresentationExists(run.PresName, run.Lizenz, run.Mandant);
    if (run.LastResult == 0) {
        LogWrite(LogLine(kLogAlreadyRegistered, run.PresName.c_str()));
        Verbose(run, kConsoleAlreadyRegistered);
        return kExitAlreadyRegistered;
    }

    std::string scriptPath;
    run.ExportVersion = DetectExportVersion(run.PresName, scriptPath);
    if (run.ExportVersion == kExportVersion2000) {
        LogWrite(kLogVersion2000);
        Verbose(run, kConsoleVersion2000);
    } else if (run.ExportVersion == kExportVersion2003) {
        LogWrite(kLogVersion2003);
        Verbose(run, kConsoleVersion2003);
    } else {
        LogWrite(kLogNoExport);
        Verbose(run, kConsoleNoExport);
        return kExitNoExport;
    }

    run.LastResult = PrepareExport(scriptPath, run.PresName);
    if (run.LastResult != 0) {
        LogWrite(LogLine(kLogPrepareFailed, run.LastResult));
        Verbose(run, kConsolePrepareFailed, run.LastResult);
        return run.LastResult;
    }
    LogWrite(kLogPrepared);
    Verbose(run, kConsolePrepared);

    LogWrite(kLogArchiverCall);
    LogWrite(LogLine(kLogArchiveCommand, run.ArchiveCommand.c_str()));
    Verbose(run, kConsoleArchiverCall);
    run.LastResult = RunArchiverInTransferFolder(run.ArchiveCommand);
    if (run.LastResult != 0) {
        LogWrite(LogLine(kLogArchiverFailed, run.LastResult));
        Verbose(run, kConsoleArchiverFailed, run.LastResult);
        return run.LastResult;
    }

    // Only an emptied folder goes; anything the archiver left stays.
    RemoveEmptyDirectory(std::string(kTransferFolder) + run.PresName + "-Dateien");
    CopyPreviewPicture(run);

    std::string fingerprint =
        FileFingerprint(std::string(kPresentationsFolder) + run.PresName + ".exc");

    run.LastResult = RegisterPresentation(run.PresName, fingerprint, run.Lizenz, run.Mandant);
    if (run.LastResult != 0) {
        LogWrite(LogLine(kLogRegisterFailed, run.LastResult));
        Verbose(run, kConsoleRegisterFailed, run.LastResult);
    } else {
        LogWrite(LogLine(kLogInstalled, run.PresName.c_str()));
        Verbose(run, kConsoleInstalled, run.PresName.c_str());
    }
    LogWrite(kLogProgramEnd);
    return run.LastResult;
}
