// Test helper: writes what it was started with into "command_line.txt" in its
// current directory: the command line exactly as the platform handed it
// over, the current directory and its process id, one a line. Exits with 0.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int main() {
    std::vector<char> folder(GetCurrentDirectoryA(0, nullptr) + 1);
    GetCurrentDirectoryA(static_cast<DWORD>(folder.size()), folder.data());
    std::string record = std::string(GetCommandLineA()) + "\n" + folder.data() + "\n" +
                         std::to_string(GetCurrentProcessId()) + "\n";
    std::FILE* file = std::fopen("command_line.txt", "wb");
    if (file == nullptr) return 3;
    std::fwrite(record.data(), 1, record.size(), file);
    return std::fclose(file) == 0 ? 0 : 3;
}
