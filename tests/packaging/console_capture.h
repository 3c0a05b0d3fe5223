#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/test_files.h"

namespace packaging_testing {

// Sends the process's standard output (descriptor 1, so started programs
// too) into a file until Finish(), which gives back what arrived.
class ConsoleCapture {
  public:
    ConsoleCapture() {
        std::fflush(stdout);
        int file = open((folder_.Path() / "console").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        saved_ = dup(1);
        if (file < 0 || saved_ < 0 || dup2(file, 1) != 1) throw std::runtime_error("no capture");
        close(file);
    }
    ~ConsoleCapture() { Restore(); }
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    std::string Finish() {
        Restore();
        return testing_support::ReadBytes(folder_.Path() / "console");
    }

  private:
    void Restore() {
        if (saved_ < 0) return;
        std::fflush(stdout);
        dup2(saved_, 1);
        close(saved_);
        saved_ = -1;
    }

    testing_support::TempFolder folder_;
    int saved_ = -1;
};

inline void WriteScript(const std::filesystem::path& path, const std::string& body) {
    testing_support::WriteBytes(path, "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

}  // namespace packaging_testing
