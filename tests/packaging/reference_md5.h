#pragma once

#include <cstdio>
#include <string>

#include "platform/md5_digest.h"

namespace packaging_testing {

// MD5 of the bytes added in one run, as upper-case hex: the reference for
// how the fingerprint cuts name and content into blocks. The digest itself
// is checked against RFC 1321 in tests/platform/md5_digest_test.cpp.
inline std::string ReferenceMd5(const std::string& bytes) {
    Md5Digest digest;
    Md5Value value;
    if (!digest.Add(bytes.data(), bytes.size()) || !digest.Finish(value)) return {};
    std::string hex;
    char pair[3];
    for (unsigned char byte : value) {
        std::snprintf(pair, sizeof pair, "%02X", byte);
        hex += pair;
    }
    return hex;
}

}  // namespace packaging_testing
