#include "platform/files.h"

#include <filesystem>
#include <system_error>

#include "platform/paths.h"

FileHandle OpenFile(std::string_view windowsPath, const char* mode) {
    return FileHandle(std::fopen(NativePath(windowsPath).c_str(), mode));
}

// On POSIX a directory opens for reading too; on Windows it does not, and a
// folder that happens to carry a script's name must not count as the script.
bool FileCanBeRead(std::string_view windowsPath) {
    std::error_code error;
    if (std::filesystem::is_directory(NativePath(windowsPath), error)) return false;
    return OpenFile(windowsPath, "rb") != nullptr;
}

bool RemoveFile(std::string_view windowsPath) {
    return std::remove(NativePath(windowsPath).c_str()) == 0;
}

bool RenameFile(std::string_view fromWindowsPath, std::string_view toWindowsPath) {
    return std::rename(NativePath(fromWindowsPath).c_str(), NativePath(toWindowsPath).c_str()) == 0;
}
