#pragma once

#include <cstdio>
#include <memory>
#include <string_view>

// Files are named by Windows paths (see paths.h) and mapped here, so no caller
// has to remember the mapping.

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// std::fopen on the native form of the path; empty when it cannot be opened.
FileHandle OpenFile(std::string_view windowsPath, const char* mode);

// True when the file can be opened for reading.
bool FileCanBeRead(std::string_view windowsPath);

bool RemoveFile(std::string_view windowsPath);
bool RenameFile(std::string_view fromWindowsPath, std::string_view toWindowsPath);
