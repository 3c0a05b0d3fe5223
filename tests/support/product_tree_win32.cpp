#include <windows.h>

#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>

#include "support/product_tree.h"

namespace testing_support {

namespace {

// The quoting that the C runtime's argument splitter undoes: quotes around an
// argument with blanks or quotes (or an empty one), a backslash before every
// quote inside, and the backslashes right before a quote doubled.
std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    quoted += '"';
    return quoted;
}

struct CaseInsensitive {
    bool operator()(const std::string& a, const std::string& b) const {
        return _stricmp(a.c_str(), b.c_str()) < 0;
    }
};

// The caller's environment with the extra NAME=value entries set (names in
// any letter case, as Windows compares them), as the block CreateProcessA
// takes: sorted, each entry ended by a zero byte, and a zero byte after the
// last.
std::string EnvironmentBlock(const std::vector<std::string>& extraEnvironment) {
    std::map<std::string, std::string, CaseInsensitive> entries;
    auto add = [&entries](const std::string& entry) {
        // Entries such as "=C:=C:\" name the current folder of each drive.
        std::size_t equals = entry.find('=', 1);
        if (equals != std::string::npos) entries[entry.substr(0, equals)] = entry;
    };
    if (char* inherited = GetEnvironmentStringsA()) {
        for (const char* entry = inherited; *entry != '\0'; entry += std::strlen(entry) + 1)
            add(entry);
        FreeEnvironmentStringsA(inherited);
    }
    for (const auto& entry : extraEnvironment) add(entry);
    std::string block;
    for (const auto& [name, entry] : entries) {
        block += entry;
        block += '\0';
    }
    block += '\0';
    return block;
}

// Console output reaches the file through the C runtime's text mode, which
// writes each line end as CR LF; the tests compare the texts that the program
// wrote, so the CR goes again.
std::string WithoutCarriageReturns(std::string text) {
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        lines += text[i];
    }
    return lines;
}

struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};
using Handle = std::unique_ptr<void, HandleCloser>;

Handle InheritableFile(const std::filesystem::path& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE handle = CreateFileA(path.string().c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                &inherit, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path.string());
    return Handle(handle);
}

}  // namespace

void ProductTree::InstallRealArchiver() const {
    throw std::runtime_error("no Info-ZIP zip in the Windows build of the tests");
}

BinaryRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const std::filesystem::path& workDir,
                     const std::vector<std::string>& extraEnvironment) {
    TempFolder capture;
    std::filesystem::path outPath = capture.Path() / "out", errPath = capture.Path() / "err";
    BinaryRun run;
    {
        Handle out = InheritableFile(outPath, GENERIC_WRITE, CREATE_ALWAYS);
        Handle err = InheritableFile(errPath, GENERIC_WRITE, CREATE_ALWAYS);
        Handle in = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);

        std::string commandLine = QuoteArgument(program.string());
        for (const auto& argument : args) commandLine += " " + QuoteArgument(argument);
        std::string environment = EnvironmentBlock(extraEnvironment);

        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = in.get();
        startup.hStdOutput = out.get();
        startup.hStdError = err.get();
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                            environment.data(), workDir.string().c_str(), &startup, &process))
            throw std::runtime_error("cannot start " + commandLine);
        Handle processHandle(process.hProcess), threadHandle(process.hThread);

        DWORD exitCode = 0;
        if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(process.hProcess, &exitCode))
            throw std::runtime_error("cannot wait for " + commandLine);
        run.exitStatus = static_cast<int>(exitCode);
    }
    run.out = WithoutCarriageReturns(ReadBytes(outPath));
    run.err = WithoutCarriageReturns(ReadBytes(errPath));
    return run;
}

}  // namespace testing_support
