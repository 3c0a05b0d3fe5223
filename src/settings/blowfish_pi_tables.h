#pragma once

#include <cstdint>

// The initial Blowfish P-array and S-boxes: the hexadecimal digits of pi.
extern const std::uint32_t kBlowfishInitialP[18];
extern const std::uint32_t kBlowfishInitialS[4][256];
