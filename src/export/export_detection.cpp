#include "export/export_detection.h"

#include "driver/product_folders.h"
#include "platform/files.h"

namespace {

std::string ScriptPath(std::string_view presName, std::string_view suffix) {
    std::string path(kTransferFolder);
    path.append(presName);
    path.append(suffix);
    return path;
}

}  // namespace

std::int32_t DetectExportVersion(std::string_view presName, std::string& scriptPath) {
    scriptPath = ScriptPath(presName, kScriptSuffix2003);
    if (FileCanBeRead(scriptPath)) return kExportVersion2003;
    scriptPath = ScriptPath(presName, kScriptSuffix2000);
    if (FileCanBeRead(scriptPath)) return kExportVersion2000;
    return kNoExportFound;
}
