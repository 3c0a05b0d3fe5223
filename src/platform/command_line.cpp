#include "platform/command_line.h"

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    const std::size_t end = commandLine.size();
    while (true) {
        while (i < end && IsSeparator(commandLine[i])) ++i;
        if (i == end) break;

        std::string argument;
        bool quoted = false;
        while (i < end && (quoted || !IsSeparator(commandLine[i]))) {
            char c = commandLine[i];
            if (c == '\\') {
                std::size_t backslashes = 0;
                while (i < end && commandLine[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < end && commandLine[i] == '"') {
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                    // With an even count the quote is handled as one of its own.
                } else {
                    argument.append(backslashes, '\\');
                }
            } else if (c == '"') {
                if (quoted && i + 1 < end && commandLine[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += c;
                ++i;
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}
