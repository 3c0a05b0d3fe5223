#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// The whole file as bytes; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);

// Creates or replaces the file with exactly these bytes (parent folders too).
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// A fresh empty folder under the system's temporary folder, removed with the
// object.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Makes a folder the current directory for the object's lifetime.
class ScopedCurrentDirectory {
  public:
    explicit ScopedCurrentDirectory(const std::filesystem::path& folder);
    ~ScopedCurrentDirectory();
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

  private:
    std::filesystem::path previous_;
};

}  // namespace testing_support
