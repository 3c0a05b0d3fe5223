// libFuzzer target for the command line splitter: any input is split without
// fault, and the arguments it gives, quoted again the Windows way, split back
// into the very same arguments.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/command_line.h"
#include "windows_quoting.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view line(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments = SplitCommandLine(line);
    std::string quoted;
    for (const std::string& argument : arguments) {
        if (!quoted.empty()) quoted += ' ';
        quoted += platform_testing::QuoteForWindows(argument);
    }
    if (SplitCommandLine(quoted) != arguments) std::abort();
    return 0;
}
