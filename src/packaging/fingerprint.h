#pragma once

#include <string>
#include <string_view>

// The fingerprint that the catalogue stores for an archive: the MD5 digest
// of the lower-cased file name (ASCII letters only, without its folder)
// followed by the file's bytes, as 32 upper-case hexadecimal digits. Other
// tools of the product compute the same value for the same archive, so every
// detail of that rule is fixed.
//
// The path may be a Windows or a native one. A file that cannot be read
// gives the empty text, silently: the caller registers the archive anyway.
std::string FileFingerprint(std::string_view path);
