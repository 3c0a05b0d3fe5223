// The Windows command-line splitter over any line: it must give what an
// independent walk of the same rules gives, byte by byte, and the arguments
// it gives, quoted again as a Windows caller quotes them, must split back
// into the very same arguments.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/command_line.h"
#include "platform/windows_quoting.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The rules as a walk over one character at a time, kept apart from the
// splitter's own structure on purpose.
std::vector<std::string> SplitByTheRules(std::string_view line) {
    std::vector<std::string> arguments;
    std::string argument;
    bool inArgument = false, quoted = false;
    std::size_t backslashes = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\') {
            ++backslashes;
            inArgument = true;
            continue;
        }
        if (c == '"') {
            argument.append(backslashes / 2, '\\');
            const bool escaped = backslashes % 2 == 1;
            backslashes = 0;
            inArgument = true;
            if (escaped) {
                argument += '"';
            } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                argument += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
            continue;
        }
        argument.append(backslashes, '\\');
        backslashes = 0;
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) arguments.push_back(std::move(argument));
            argument.clear();
            inArgument = false;
            continue;
        }
        argument += c;
        inArgument = true;
    }
    argument.append(backslashes, '\\');
    if (inArgument) arguments.push_back(std::move(argument));
    return arguments;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> arguments = SplitCommandLine(line);
    Check(arguments == SplitByTheRules(line));

    std::string quoted;
    for (const std::string& argument : arguments) {
        if (!quoted.empty()) quoted += ' ';
        quoted += platform_testing::QuoteForWindows(argument);
    }
    Check(SplitCommandLine(quoted) == arguments);
    return 0;
}
