#pragma once

#include <cstdint>

// Turns the run's 32-bit result into the status the process exits with.
// Where the platform keeps only 8 bits, no failure may arrive as 0.
int ExitStatusFor(std::int32_t result);
