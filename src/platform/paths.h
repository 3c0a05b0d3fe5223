#pragma once

#include <string>
#include <string_view>

// The system names every file with a Windows path relative to the working
// directory ("..\..\Files\Orvantica.Ini"). NativePath turns such a path into
// one the platform's file calls accept; the relative layout stays the same.
std::string NativePath(std::string_view windowsPath);
