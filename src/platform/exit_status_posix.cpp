#include "platform/exit_status.h"

// An 8-bit status: -1 and -99 keep their low bytes (255 and 157), as an
// unsigned reader of the 32-bit value would see them; any other value that
// does not fit becomes 1, because its low byte could be 0 (512 would).
int ExitStatusFor(std::int32_t result) {
    if (result >= 0 && result <= 255) return result;
    if (result == -1) return 255;
    if (result == -99) return 157;
    return 1;
}
