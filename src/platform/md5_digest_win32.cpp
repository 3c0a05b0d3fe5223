#include <windows.h>
// After windows.h, which it builds on.
#include <bcrypt.h>

#include <algorithm>

#include "platform/md5_digest.h"

struct Md5Digest::State {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool failed = false;
};

Md5Digest::Md5Digest() : state_(std::make_unique<State>()) {
    state_->failed = !BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(
                         &state_->algorithm, BCRYPT_MD5_ALGORITHM, nullptr, 0)) ||
                     !BCRYPT_SUCCESS(BCryptCreateHash(state_->algorithm, &state_->hash, nullptr, 0,
                                                      nullptr, 0, 0));
}

Md5Digest::~Md5Digest() {
    if (state_->hash != nullptr) BCryptDestroyHash(state_->hash);
    if (state_->algorithm != nullptr) BCryptCloseAlgorithmProvider(state_->algorithm, 0);
}

bool Md5Digest::Add(const void* bytes, std::size_t length) {
    // CNG counts in 32 bits; longer runs go in pieces.
    auto* next = static_cast<UCHAR*>(const_cast<void*>(bytes));
    while (!state_->failed && length > 0) {
        ULONG piece = static_cast<ULONG>(std::min<std::size_t>(length, 0x40000000));
        state_->failed = !BCRYPT_SUCCESS(BCryptHashData(state_->hash, next, piece, 0));
        next += piece;
        length -= piece;
    }
    return !state_->failed;
}

bool Md5Digest::Finish(Md5Value& value) {
    bool finished =
        !state_->failed && BCRYPT_SUCCESS(BCryptFinishHash(state_->hash, value.data(),
                                                           static_cast<ULONG>(value.size()), 0));
    state_->failed = true;  // nothing more goes into a finished digest
    return finished;
}
