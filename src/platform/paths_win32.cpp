#include "platform/paths.h"

std::string NativePath(std::string_view windowsPath) {
    return std::string(windowsPath);
}
