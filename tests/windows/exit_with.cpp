// Test helper: ends with the exit status that the installer's main() would
// give for the result named by the first argument (0 without one).
#include <cstdlib>

#include "platform/exit_status.h"

int main(int argc, char* argv[]) {
    long result = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
    return ExitStatusFor(static_cast<std::int32_t>(result));
}
