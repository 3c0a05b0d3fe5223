#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace testing_support {

// What a run of the real binary left on the console and as its status.
struct BinaryRun {
    // The process's exit status; 128 + n when signal n ended it. On Windows
    // the full 32-bit exit code (-99 there is 4294967197 read unsigned).
    int exitStatus = -1;
    // Standard output and standard error, byte for byte; on Windows without
    // the CR that the C runtime's text mode puts before every line feed.
    std::string out;
    std::string err;
};

// A temporary product tree as the installer expects it: a base folder with
// the transfer, presentations, cgi-bin, settings and log folders, and a
// working directory two levels below the base. Removed with the object.
class ProductTree {
  public:
    ProductTree();

    const std::filesystem::path& Base() const { return temp_.Path(); }
    std::filesystem::path WorkDir() const { return Base() / "Module" / "SlidePub"; }
    std::filesystem::path Transfer() const { return Base() / "Transfer" / "Vidazara Dirodav"; }
    std::filesystem::path Presentations() const {
        return Base() / "Zusatzmodule" / "ExternePraesentationen";
    }
    std::filesystem::path CgiBin() const { return Base() / "cgi-bin"; }
    std::filesystem::path Files() const { return Base() / "Files"; }
    std::filesystem::path SettingsFile() const { return Files() / "Orvantica.Ini"; }
    std::filesystem::path LogDir() const { return Base() / "Orvantica_php" / "log"; }
    std::filesystem::path LogFile() const { return LogDir() / "SlidePublishLog.txt"; }
    std::filesystem::path LogBackup() const { return LogDir() / "SlidePublishLog.bak"; }

    std::string ReadLog() const { return ReadBytes(LogFile()); }

    // Links the real Info-ZIP zip into cgi-bin under the name "zip". POSIX
    // only: the Windows tests install a stand-in zip.exe (tests/windows).
    void InstallRealArchiver() const;

    // Runs the real SlidePub_ODBC binary in the working directory with these
    // arguments (argument 0 is added) and these extra NAME=value environment
    // entries; waits for it and captures both output streams.
    BinaryRun Run(const std::vector<std::string>& args,
                  const std::vector<std::string>& extraEnvironment = {}) const;

  private:
    TempFolder temp_;
};

// Runs any program with arguments in a folder, capturing its output.
BinaryRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const std::filesystem::path& workDir,
                     const std::vector<std::string>& extraEnvironment = {});

}  // namespace testing_support
