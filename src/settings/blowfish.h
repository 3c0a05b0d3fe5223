#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Blowfish as published: 64-bit blocks, 16 rounds, P-array and S-boxes
// initialised from the hexadecimal digits of pi. The block functions work on
// the two 32-bit halves; how bytes become halves is the caller's business.
struct BlowfishContext {
    std::array<std::uint32_t, 18> P{};
    std::array<std::array<std::uint32_t, 256>, 4> S{};
};

// The standard key schedule: the key bytes, taken cyclically and packed most
// significant byte first, are XORed into the P-array; then an all-zero block
// is encrypted over and over to replace the P-array and the four S-boxes.
void BlowfishKeySchedule(BlowfishContext& context, std::string_view key);

void BlowfishEncryptBlock(const BlowfishContext& context, std::uint32_t& left,
                          std::uint32_t& right);
void BlowfishDecryptBlock(const BlowfishContext& context, std::uint32_t& left,
                          std::uint32_t& right);

// Sets all 1042 words to 0, so the expanded key does not outlive its use.
void WipeBlowfishContext(BlowfishContext& context);
