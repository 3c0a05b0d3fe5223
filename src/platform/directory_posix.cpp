#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/directory.h"
#include "platform/paths.h"

std::string CurrentDirectory() {
    std::vector<char> buffer(256);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return {};
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

bool ChangeDirectory(std::string_view path) {
    return chdir(NativePath(path).c_str()) == 0;
}

bool RemoveEmptyDirectory(std::string_view path) {
    return rmdir(NativePath(path).c_str()) == 0;
}
