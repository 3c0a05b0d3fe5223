#include "platform/exit_status.h"

// Windows carries the full 32-bit value; negative results arrive in two's
// complement (-99 as 4294967197).
int ExitStatusFor(std::int32_t result) {
    return result;
}
