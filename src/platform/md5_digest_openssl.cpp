#include <openssl/evp.h>

#include "platform/md5_digest.h"

struct Md5Digest::State {
    EVP_MD_CTX* context = nullptr;
    bool failed = false;
};

Md5Digest::Md5Digest() : state_(std::make_unique<State>()) {
    state_->context = EVP_MD_CTX_new();
    state_->failed =
        state_->context == nullptr || EVP_DigestInit_ex(state_->context, EVP_md5(), nullptr) != 1;
}

Md5Digest::~Md5Digest() {
    EVP_MD_CTX_free(state_->context);
}

bool Md5Digest::Add(const void* bytes, std::size_t length) {
    if (!state_->failed && length > 0)
        state_->failed = EVP_DigestUpdate(state_->context, bytes, length) != 1;
    return !state_->failed;
}

bool Md5Digest::Finish(Md5Value& value) {
    unsigned int length = 0;
    bool finished = !state_->failed &&
                    EVP_DigestFinal_ex(state_->context, value.data(), &length) == 1 &&
                    length == value.size();
    state_->failed = true;  // nothing more goes into a finished digest
    return finished;
}
