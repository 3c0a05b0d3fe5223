#include "settings/blowfish.h"

#include "settings/blowfish_pi_tables.h"

namespace {

constexpr int kRounds = 16;

std::uint32_t Feistel(const BlowfishContext& context, std::uint32_t x) {
    const auto& s = context.S;
    return ((s[0][x >> 24] + s[1][(x >> 16) & 0xFF]) ^ s[2][(x >> 8) & 0xFF]) + s[3][x & 0xFF];
}

}  // namespace

void BlowfishEncryptBlock(const BlowfishContext& context, std::uint32_t& left,
                          std::uint32_t& right) {
    std::uint32_t l = left, r = right;
    for (int round = 0; round < kRounds; ++round) {
        l ^= context.P[round];
        r ^= Feistel(context, l);
        std::swap(l, r);
    }
    std::swap(l, r);
    r ^= context.P[kRounds];
    l ^= context.P[kRounds + 1];
    left = l;
    right = r;
}

void BlowfishDecryptBlock(const BlowfishContext& context, std::uint32_t& left,
                          std::uint32_t& right) {
    std::uint32_t l = left, r = right;
    for (int round = kRounds + 1; round > 1; --round) {
        l ^= context.P[round];
        r ^= Feistel(context, l);
        std::swap(l, r);
    }
    std::swap(l, r);
    r ^= context.P[1];
    l ^= context.P[0];
    left = l;
    right = r;
}

void BlowfishKeySchedule(BlowfishContext& context, std::string_view key) {
    for (int box = 0; box < 4; ++box) {
        for (int i = 0; i < 256; ++i) context.S[box][i] = kBlowfishInitialS[box][i];
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < context.P.size(); ++i) {
        std::uint32_t word = 0;
        for (int byte = 0; byte < 4; ++byte) {
            // An empty key leaves the P-array as it is instead of dividing by zero.
            std::uint32_t keyByte = 0;
            if (!key.empty()) {
                keyByte = static_cast<unsigned char>(key[next]);
                next = (next + 1) % key.size();
            }
            word = (word << 8) | keyByte;
        }
        context.P[i] = kBlowfishInitialP[i] ^ word;
    }
    std::uint32_t left = 0, right = 0;
    for (std::size_t i = 0; i < context.P.size(); i += 2) {
        BlowfishEncryptBlock(context, left, right);
        context.P[i] = left;
        context.P[i + 1] = right;
    }
    for (auto& box : context.S) {
        for (std::size_t i = 0; i < box.size(); i += 2) {
            BlowfishEncryptBlock(context, left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
}

void WipeBlowfishContext(BlowfishContext& context) {
    // Through a volatile pointer, so the stores stay even where the context is
    // not read again.
    volatile std::uint32_t* words = context.P.data();
    for (std::size_t i = 0; i < context.P.size(); ++i) words[i] = 0;
    for (auto& box : context.S) {
        words = box.data();
        for (std::size_t i = 0; i < box.size(); ++i) words[i] = 0;
    }
}
