// Test helper, installed as cgi-bin\zip.exe: a stand-in for the Windows
// build of the archiver, called as
//   zip.exe -q -m "archive" "member or pattern" ...
// Like a Windows program it splits its own command line and expands its own
// patterns; it moves the named files into the archive, in a format of its
// own: per member its name, a line feed, its size in decimal, a line feed,
// its bytes and a line feed. It writes what it was started with into
// zip-record.txt beside itself: the command line as the platform handed it
// over, the current directory, then each argument and each file it packed,
// one a line. Exit codes as the archiver's: 0 done, 12 a name that matches
// no file (nothing is then packed or moved), 15 the archive not writable,
// 16 bad options.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool HasWildcard(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

// The files a pattern names, sorted byte-wise, with the pattern's folder in
// front; folders are not members.
std::vector<std::string> Expand(const std::string& pattern) {
    std::size_t separator = pattern.find_last_of("\\/");
    std::string folder = separator == std::string::npos ? "" : pattern.substr(0, separator + 1);
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool ReadWhole(const std::string& name, std::string& bytes) {
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (file == nullptr) return false;
    char block[4096];
    std::size_t read;
    while ((read = std::fread(block, 1, sizeof block, file)) > 0) bytes.append(block, read);
    std::fclose(file);
    return true;
}

void WriteRecord(const std::string& record) {
    char self[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path(self, length);
    path = path.substr(0, path.find_last_of('\\') + 1) + "zip-record.txt";
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(record.data(), 1, record.size(), file);
        std::fclose(file);
    }
}

int Pack(int argc, char* argv[], std::string& record) {
    int at = 1;
    for (; at < argc && argv[at][0] == '-'; ++at) {
        if (std::string(argv[at]) != "-q" && std::string(argv[at]) != "-m") return 16;
    }
    if (at >= argc) return 16;
    const std::string archive = argv[at++];

    std::vector<std::string> members;
    for (; at < argc; ++at) {
        std::vector<std::string> named{argv[at]};
        if (HasWildcard(argv[at])) named = Expand(argv[at]);
        DWORD attributes =
            named.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(named.front().c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return 12;
        members.insert(members.end(), named.begin(), named.end());
    }

    std::string content;
    for (const std::string& member : members) {
        std::string bytes;
        if (!ReadWhole(member, bytes)) return 12;
        content += member + "\n" + std::to_string(bytes.size()) + "\n" + bytes + "\n";
        record += "packed: " + member + "\n";
    }
    std::FILE* out = std::fopen(archive.c_str(), "wb");
    if (out == nullptr) return 15;
    bool written = std::fwrite(content.data(), 1, content.size(), out) == content.size();
    if (std::fclose(out) != 0 || !written) return 15;
    for (const std::string& member : members) DeleteFileA(member.c_str());
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::vector<char> folder(GetCurrentDirectoryA(0, nullptr) + 1);
    GetCurrentDirectoryA(static_cast<DWORD>(folder.size()), folder.data());
    std::string record = std::string(GetCommandLineA()) + "\n" + folder.data() + "\n";
    for (int i = 0; i < argc; ++i) record += "argument: " + std::string(argv[i]) + "\n";
    int result = Pack(argc, argv, record);
    record += "exit: " + std::to_string(result) + "\n";
    WriteRecord(record);
    return result;
}
