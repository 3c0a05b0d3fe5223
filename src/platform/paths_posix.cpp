#include "platform/paths.h"

std::string NativePath(std::string_view windowsPath) {
    std::string path(windowsPath);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}
