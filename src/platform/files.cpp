#include "platform/files.h"

#include "platform/paths.h"

FileHandle OpenFile(std::string_view windowsPath, const char* mode) {
    return FileHandle(std::fopen(NativePath(windowsPath).c_str(), mode));
}

bool FileCanBeRead(std::string_view windowsPath) {
    return OpenFile(windowsPath, "rb") != nullptr;
}

bool RemoveFile(std::string_view windowsPath) {
    return std::remove(NativePath(windowsPath).c_str()) == 0;
}

bool RenameFile(std::string_view fromWindowsPath, std::string_view toWindowsPath) {
    return std::rename(NativePath(fromWindowsPath).c_str(), NativePath(toWindowsPath).c_str()) == 0;
}
