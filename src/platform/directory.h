#pragma once

#include <string>
#include <string_view>

// The current directory of the process, whatever its length; empty when it
// cannot be determined.
std::string CurrentDirectory();

// Paths are Windows paths (see paths.h) or ones CurrentDirectory returned.
bool ChangeDirectory(std::string_view path);

// Removes the directory only when it is empty.
bool RemoveEmptyDirectory(std::string_view path);
