#include <windows.h>

#include <vector>

#include "platform/directory.h"

std::string CurrentDirectory() {
    DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return {};
    std::vector<char> buffer(needed);
    DWORD length = GetCurrentDirectoryA(needed, buffer.data());
    if (length == 0 || length >= needed) return {};
    return std::string(buffer.data(), length);
}

bool ChangeDirectory(std::string_view path) {
    return SetCurrentDirectoryA(std::string(path).c_str()) != 0;
}

bool RemoveEmptyDirectory(std::string_view path) {
    return RemoveDirectoryA(std::string(path).c_str()) != 0;
}
