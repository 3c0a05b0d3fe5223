#pragma once

#include <string>
#include <string_view>

#include "settings/blowfish.h"

// Values of the settings file are Blowfish blocks under a fixed key, written
// as upper-case hexadecimal text, each block on its own (no chaining).
// Inside a block the two halves are little-endian words, unlike the usual
// big-endian convention: the product's other tools wrote the values that way.

// The key under which the product stores every value of its settings file.
inline constexpr std::string_view kSettingsKey = "WOLKRAM";

// Decodes text.size() / 2 bytes, two characters per byte, high half first.
// Only "0".."9" and "A".."F" are digits; every other byte counts as its code
// minus 48 (modulo 256), so lower-case "a".."f" decode to other bytes than
// their upper-case forms. The product decodes this way; keep it.
std::string HexToBytes(std::string_view text);

// Decrypts the hexadecimal text under the key, group of 16 characters by
// group. Returns 8 bytes for every started group followed by one zero byte.
// A last group shorter than 16 characters counts its missing characters as
// "0"; nothing is read past the text. Never fails: damaged text or a wrong
// key give wrong bytes.
std::string DecryptSettingBytes(std::string_view text, std::string_view key);

// The decrypted value as text: the bytes up to the first zero byte.
std::string DecryptSetting(std::string_view text, std::string_view key);

// The inverse, for writing settings files: the value padded with zero bytes
// to a multiple of 8, each block encrypted, written as upper-case hexadecimal.
std::string EncryptSetting(std::string_view value, std::string_view key);

// The one context the cipher calls use. It holds key material only during a
// call and is all zeros before the first and after every call.
const BlowfishContext& SettingCipherContext();
