#pragma once

#include <openssl/evp.h>

#include <cstdio>
#include <string>

namespace packaging_testing {

// MD5 of the bytes from OpenSSL's one-shot call, as upper-case hex: a
// reference that shares no code with the streaming fingerprint.
inline std::string ReferenceMd5(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr) != 1) return {};
    std::string hex;
    char pair[3];
    for (unsigned int i = 0; i < length; ++i) {
        std::snprintf(pair, sizeof pair, "%02X", digest[i]);
        hex += pair;
    }
    return hex;
}

}  // namespace packaging_testing
