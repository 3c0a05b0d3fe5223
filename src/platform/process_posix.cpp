#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "platform/process.h"

extern char** environ;

namespace {

bool PathExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

bool IsExecutableFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

bool EndsWithExe(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return tail == ".exe";
}

// A name without a path: Windows looks in the current directory first and
// then along PATH; so do we. Empty when nothing of that name is found.
std::string SearchProgram(const std::string& name) {
    if (PathExists(name)) return "./" + name;
    const char* pathVariable = std::getenv("PATH");
    std::string searchPath = pathVariable != nullptr ? pathVariable : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t colon = searchPath.find(':', start);
        if (colon == std::string::npos) colon = searchPath.size();
        std::string folder = searchPath.substr(start, colon - start);
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
        if (IsExecutableFile(candidate)) return candidate;
        start = colon + 1;
    }
    return {};
}

// The file to execute for the program argument; empty when there is none.
// Command lines of the product name their programs with ".exe", which the
// POSIX build of a program does not carry.
std::string ResolveProgram(const std::string& program) {
    if (program.empty()) return {};
    std::vector<std::string> candidates{program};
    if (EndsWithExe(program)) candidates.push_back(program.substr(0, program.size() - 4));
    if (program.find('/') != std::string::npos) {
        return PathExists(program) ? program : candidates.back();
    }
    for (const std::string& candidate : candidates) {
        std::string found = SearchProgram(candidate);
        if (!found.empty()) return found;
    }
    return {};
}

// "*" matches any run of bytes, "?" exactly one; every other byte only
// itself ("[" is an ordinary character in a Windows name).
bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool HasWildcard(std::string_view text) {
    return text.find_first_of("*?") != std::string_view::npos;
}

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

// Appends the names the pattern matches, sorted byte-wise, or the pattern
// itself when nothing matches (the program then reports it, as on Windows).
// Only the last component may hold wildcards, as on Windows.
void AppendExpanded(const std::string& argument, std::vector<std::string>& arguments) {
    std::size_t slash = argument.rfind('/');
    std::string prefix = slash == std::string::npos ? std::string() : argument.substr(0, slash + 1);
    std::string pattern = slash == std::string::npos ? argument : argument.substr(slash + 1);
    if (!HasWildcard(pattern) || HasWildcard(prefix)) {
        arguments.push_back(argument);
        return;
    }
    // A final "*.*" matches every name, with or without a dot, as on Windows.
    if (pattern.size() >= 3 && pattern.compare(pattern.size() - 3, 3, "*.*") == 0) {
        pattern.resize(pattern.size() - 2);
    }

    std::vector<std::string> names;
    std::unique_ptr<DIR, DirectoryCloser> directory(opendir(prefix.empty() ? "." : prefix.c_str()));
    if (directory != nullptr) {
        while (const dirent* entry = readdir(directory.get())) {
            std::string_view name = entry->d_name;
            if (name == "." || name == "..") continue;
            if (MatchesWildcard(pattern, name)) names.emplace_back(prefix + std::string(name));
        }
    }
    if (names.empty()) {
        arguments.push_back(argument);
        return;
    }
    std::sort(names.begin(), names.end());
    arguments.insert(arguments.end(), names.begin(), names.end());
}

// The argument vector a POSIX program gets for the Windows command line:
// the program first, as it was named.
std::vector<std::string> PosixArguments(std::string_view windowsCommandLine) {
    std::vector<std::string> split = SplitCommandLine(windowsCommandLine);
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < split.size(); ++i) {
        std::replace(split[i].begin(), split[i].end(), '\\', '/');
        if (i == 0 || !HasWildcard(split[i])) {
            arguments.push_back(std::move(split[i]));
        } else {
            AppendExpanded(split[i], arguments);
        }
    }
    return arguments;
}

class SpawnFileActions {
  public:
    SpawnFileActions() { ok_ = posix_spawn_file_actions_init(&actions_) == 0; }
    ~SpawnFileActions() {
        if (ok_) posix_spawn_file_actions_destroy(&actions_);
    }
    SpawnFileActions(const SpawnFileActions&) = delete;
    SpawnFileActions& operator=(const SpawnFileActions&) = delete;
    bool Ok() const { return ok_; }
    posix_spawn_file_actions_t* Get() { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
    bool ok_ = false;
};

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

  private:
    int fd_;
};

int WaitForEnd(pid_t child, int* status) {
    int result;
    do {
        result = waitpid(child, status, 0);
    } while (result < 0 && errno == EINTR);
    return result;
}

// No child may outlive the call: a program we cannot await is stopped and
// reaped all the same.
void StopAndReap(pid_t child) {
    kill(child, SIGKILL);
    int status = 0;
    WaitForEnd(child, &status);
}

// Waits on a descriptor for the process, so the wait blocks until the end or
// the limit without polling. True when the program ended, false at the limit;
// waitFailed is set when the wait itself failed.
bool AwaitEnd(pid_t child, std::uint32_t timeLimitMs, bool* waitFailed) {
    *waitFailed = false;
    Descriptor process(static_cast<int>(syscall(SYS_pidfd_open, child, 0)));
    if (process.Get() < 0) {
        *waitFailed = true;
        return false;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeLimitMs);
    while (true) {
        auto remaining =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (remaining <= 0) return false;
        pollfd waitOn{process.Get(), POLLIN, 0};
        int ready = poll(&waitOn, 1, static_cast<int>(std::min<long long>(remaining, INT_MAX)));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) {
            *waitFailed = true;
            return false;
        }
    }
}

}  // namespace

ProcessResult RunProcess(std::string_view windowsCommandLine, std::uint32_t timeLimitMs) {
    std::fflush(stdout);

    std::vector<std::string> arguments = PosixArguments(windowsCommandLine);
    if (arguments.empty()) return {ProcessOutcome::StartFailed, 0};
    std::string program = ResolveProgram(arguments[0]);
    if (program.empty()) return {ProcessOutcome::StartFailed, 0};
    arguments[0] = program;

    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    // Like a Windows start without handle inheritance: the program gets the
    // console's three streams and none of the caller's other descriptors.
    SpawnFileActions actions;
    if (!actions.Ok() || posix_spawn_file_actions_addclosefrom_np(actions.Get(), 3) != 0) {
        return {ProcessOutcome::StartFailed, 0};
    }
    pid_t child = 0;
    // posix_spawn reports a failed exec (missing, not executable) itself.
    if (posix_spawn(&child, program.c_str(), actions.Get(), nullptr, argv.data(), environ) != 0) {
        return {ProcessOutcome::StartFailed, 0};
    }

    bool waitFailed = false;
    if (!AwaitEnd(child, timeLimitMs, &waitFailed)) {
        StopAndReap(child);
        return {waitFailed ? ProcessOutcome::WaitFailed : ProcessOutcome::TimedOut, 0};
    }
    int status = 0;
    if (WaitForEnd(child, &status) < 0) return {ProcessOutcome::WaitFailed, 0};
    if (WIFSIGNALED(status)) return {ProcessOutcome::Signalled, WTERMSIG(status)};
    return {ProcessOutcome::Exited, WEXITSTATUS(status)};
}
