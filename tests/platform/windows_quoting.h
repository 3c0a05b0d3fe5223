#pragma once

#include <string>

namespace platform_testing {

// How a Windows caller quotes one argument so that the C runtime gives it
// back unchanged: quotes around it, each quote escaped, and the backslashes
// before an escaped quote or before the closing quote doubled.
inline std::string QuoteForWindows(const std::string& argument) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            quoted.append(2 * backslashes + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + '"';
}

}  // namespace platform_testing
