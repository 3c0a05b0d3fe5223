// Test helper: writes its process id into "sleeper.pid" in its current
// directory, then sleeps for the milliseconds of its first argument and
// exits with 0.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (std::FILE* file = std::fopen("sleeper.pid", "wb")) {
        std::fprintf(file, "%lu", GetCurrentProcessId());
        std::fclose(file);
    }
    Sleep(argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 0);
    return 0;
}
