// slidepub-bench-fingerprint FILE
// Prints the archive fingerprint of FILE on the first line and the rate at
// which it was computed, in MB/s (10^6 bytes a second), on the second.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "packaging/fingerprint.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: slidepub-bench-fingerprint FILE\n");
        return 2;
    }
    std::error_code error;
    const auto bytes = std::filesystem::file_size(argv[1], error);
    if (error) {
        std::fprintf(stderr, "slidepub-bench-fingerprint: cannot read %s\n", argv[1]);
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::string fingerprint = FileFingerprint(argv[1]);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (fingerprint.empty()) {
        std::fprintf(stderr, "slidepub-bench-fingerprint: cannot read %s\n", argv[1]);
        return 1;
    }
    std::printf("%s\n%.1f\n", fingerprint.c_str(), static_cast<double>(bytes) / 1e6 / took.count());
    return 0;
}
