#include "settings/settings_cipher.h"

#include <cstdint>

namespace {

constexpr std::size_t kGroupCharacters = 16;  // hexadecimal characters of one block
constexpr std::size_t kBlockBytes = 8;

BlowfishContext& CipherContext() {
    static BlowfishContext context;
    return context;
}

// Wipes the context when a call ends, on every path.
class ScopedKeySchedule {
  public:
    ScopedKeySchedule(std::string_view key) { BlowfishKeySchedule(CipherContext(), key); }
    ~ScopedKeySchedule() { WipeBlowfishContext(CipherContext()); }
    ScopedKeySchedule(const ScopedKeySchedule&) = delete;
    ScopedKeySchedule& operator=(const ScopedKeySchedule&) = delete;
};

unsigned char DigitValue(unsigned char c) {
    return static_cast<unsigned char>(c >= 'A' && c <= 'F' ? c - 55 : c - 48);
}

std::uint32_t LoadLittleEndian(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

void StoreLittleEndian(std::uint32_t word, char* bytes) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((word >> (8 * i)) & 0xFF);
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

std::string HexToBytes(std::string_view text) {
    std::string bytes(text.size() / 2, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        unsigned high = DigitValue(static_cast<unsigned char>(text[2 * i]));
        unsigned low = DigitValue(static_cast<unsigned char>(text[2 * i + 1]));
        bytes[i] = static_cast<char>((16 * high + low) & 0xFF);
    }
    return bytes;
}

std::string DecryptSettingBytes(std::string_view text, std::string_view key) {
    ScopedKeySchedule schedule(key);
    std::string output;
    output.reserve((text.size() + kGroupCharacters - 1) / kGroupCharacters * kBlockBytes + 1);
    for (std::size_t i = 0; i < text.size(); i += kGroupCharacters) {
        std::string group(text.substr(i, kGroupCharacters));
        group.resize(kGroupCharacters, '0');
        std::string block = HexToBytes(group);
        const auto* bytes = reinterpret_cast<const unsigned char*>(block.data());
        std::uint32_t left = LoadLittleEndian(bytes), right = LoadLittleEndian(bytes + 4);
        BlowfishDecryptBlock(CipherContext(), left, right);
        StoreLittleEndian(left, block.data());
        StoreLittleEndian(right, block.data() + 4);
        output += block;
    }
    output += '\0';
    return output;
}

std::string DecryptSetting(std::string_view text, std::string_view key) {
    std::string bytes = DecryptSettingBytes(text, key);
    bytes.resize(bytes.find('\0'));
    return bytes;
}

std::string EncryptSetting(std::string_view value, std::string_view key) {
    ScopedKeySchedule schedule(key);
    std::string hex;
    hex.reserve((value.size() + kBlockBytes - 1) / kBlockBytes * kGroupCharacters);
    for (std::size_t i = 0; i < value.size(); i += kBlockBytes) {
        std::string block(value.substr(i, kBlockBytes));
        block.resize(kBlockBytes, '\0');
        const auto* bytes = reinterpret_cast<const unsigned char*>(block.data());
        std::uint32_t left = LoadLittleEndian(bytes), right = LoadLittleEndian(bytes + 4);
        BlowfishEncryptBlock(CipherContext(), left, right);
        StoreLittleEndian(left, block.data());
        StoreLittleEndian(right, block.data() + 4);
        for (unsigned char byte : block) {
            hex += kHexDigits[byte >> 4];
            hex += kHexDigits[byte & 0x0F];
        }
    }
    return hex;
}

const BlowfishContext& SettingCipherContext() {
    return CipherContext();
}
