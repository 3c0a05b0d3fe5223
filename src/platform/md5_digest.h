#pragma once

#include <array>
#include <cstddef>
#include <memory>

// The 16 bytes of an MD5 digest (RFC 1321), in their order.
using Md5Value = std::array<unsigned char, 16>;

// An MD5 digest built piece by piece: the constructor starts it, Add takes
// runs of bytes of any length any number of times, Finish delivers it. The
// value depends only on the concatenation of the bytes added, not on how
// they were divided. Each platform takes MD5 from its own crypto library
// (OpenSSL's libcrypto on POSIX, CNG on Windows).
class Md5Digest {
  public:
    Md5Digest();
    ~Md5Digest();
    Md5Digest(const Md5Digest&) = delete;
    Md5Digest& operator=(const Md5Digest&) = delete;

    // False once the library has failed or the digest is finished; every
    // later call fails as well.
    bool Add(const void* bytes, std::size_t length);

    // Delivers the digest. False when any step failed, and for every call
    // after the first; the value is then undefined.
    bool Finish(Md5Value& value);

  private:
    struct State;
    std::unique_ptr<State> state_;
};
