#include "driver/run_frame.h"

#include <cstdio>
#include <string>

#include "driver/driver_messages.h"
#include "driver/install_presentation.h"
#include "driver/run_context.h"
#include "driver/run_log.h"
#include "text/text_case.h"

void PrintUsage() {
    std::fputs(kUsageHeading, stdout);
    std::fputs(kUsageLine, stdout);
    std::fputs(kUsageEnd, stdout);
}

bool IsVerboseFlag(std::string_view argument) {
    std::string flag(argument);
    return UpperCaseText(flag) == kVerboseFlag;
}

bool IsSafePresentationName(std::string_view name) {
    if (name == "." || name == "..") return false;
    for (char c : name) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20) return false;
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return false;
    }
    return true;
}

namespace {

std::int32_t RefuseArguments(const char* consoleText, const char* logText, bool withUsage) {
    std::fputs(consoleText, stdout);
    if (withUsage) PrintUsage();
    LogWrite(logText);
    return kArgumentError;
}

}  // namespace

std::int32_t RunFrame(int argc, char* argv[]) {
    // Before any check, so that every start leaves its mark in the log.
    LogWrite(LogLine(kLogStartLine, FormatTimestamp(kTimestampFormat).c_str()));

    if (argc < 5) return RefuseArguments(kConsoleMissingParameter, kLogWrongParameterCount, true);

    RunContext& run = CurrentRun();
    std::string_view user = argv[1], presName = argv[2], lizenz = argv[3], mandant = argv[4];

    if (user.size() > kUserMaxLength)
        return RefuseArguments(kConsoleUserTooLong, kLogUserTooLong, true);
    run.User = user;

    if (presName.size() > kPresNameMaxLength)
        return RefuseArguments(kConsolePresNameTooLong, kLogPresNameTooLong, false);
    if (!IsSafePresentationName(presName))
        return RefuseArguments(kConsolePresNameUnsafe, kLogPresNameUnsafe, false);
    run.PresName = presName;
    LogWrite(LogLine(kLogPresName, run.PresName.c_str()));

    if (lizenz.size() > kLizenzMaxLength)
        return RefuseArguments(kConsoleLizenzTooLong, kLogLizenzTooLong, false);
    run.Lizenz = lizenz;

    if (mandant.size() > kMandantMaxLength)
        return RefuseArguments(kConsoleMandantTooLong, kLogMandantTooLong, false);
    run.Mandant = mandant;
    LogWrite(LogLine(kLogLizenzMandant, run.Lizenz.c_str(), run.Mandant.c_str()));

    // The optional fifth argument carries the flag; the licence number is
    // never read as one.
    if (argc > 5) run.Verbose = IsVerboseFlag(argv[5]);

    return InstallPresentation(run);
}
