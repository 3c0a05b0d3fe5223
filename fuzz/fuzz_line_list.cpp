// The line list over any file: reading must split it exactly as the line
// rules say, also where a line crosses a read block, and what is written must
// read back to the same lines. The one thing a write cannot carry is a CR at
// a line's end: the line is written with a bare LF behind it, so the next
// read takes that CR as part of the line end.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "export/line_list.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

const std::string& ScratchFolder() {
    static const std::string folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/slidepub-fuzz-XXXXXX";
        Check(mkdtemp(pattern.data()) != nullptr);
        return pattern;
    }();
    return folder;
}

void WriteFile(const std::string& path, std::string_view bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    Check(file != nullptr);
    Check(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    Check(std::fclose(file) == 0);
}

std::string ReadFile(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    Check(file != nullptr);
    std::string bytes;
    std::fseek(file, 0, SEEK_END);
    bytes.reserve(static_cast<std::size_t>(std::ftell(file)));
    std::rewind(file);
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    std::fclose(file);
    return bytes;
}

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// The lines of a file by the rules alone: a piece ends after each LF or at
// the end, and at most two line-end characters go from its end.
std::vector<std::string> ExpectedLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t lf = bytes.find('\n', start);
        std::size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
        std::string_view piece = bytes.substr(start, end - start);
        for (int i = 0; i < 2 && !piece.empty() && IsLineEnd(piece.back()); ++i)
            piece.remove_suffix(1);
        lines.emplace_back(piece);
        start = end;
    }
    return lines;
}

void CheckList(const LineListHandle& list, const std::vector<std::string>& expected) {
    if (expected.empty()) {
        Check(!list);
        return;
    }
    Check(list != nullptr);
    Check(list->count == static_cast<std::int32_t>(expected.size()));
    Check(list->lines == expected);
    Check(list->capacity == (list->count + kLineListCapacityStep - 1) / kLineListCapacityStep *
                                kLineListCapacityStep);
}

// Builds the file from the input. The first byte chooses whether the input
// sits right behind a read-block boundary, so that lines cross it, and
// whether the text before it is many short lines or one long line.
std::string FileBytes(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || (data[0] & 1) == 0)
        return std::string(reinterpret_cast<const char*>(data), size);
    const std::size_t before = kLineListReadBlockSize - data[1];
    std::string bytes;
    bytes.reserve(before + size);
    if (data[0] & 2) {
        bytes.assign(before - 1, 'x');
    } else {
        constexpr std::size_t kFillerLine = 1000;
        while (bytes.size() + kFillerLine < before) bytes.append(kFillerLine - 1, 'y') += '\n';
        bytes.append(before - 1 - bytes.size(), 'z');
    }
    bytes += (data[0] & 4) ? '\r' : '\n';
    bytes.append(reinterpret_cast<const char*>(data) + 2, size - 2);
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = ScratchFolder();
    const std::string input = folder + "/input.js", output = folder + "/output.js";
    const std::string bytes = FileBytes(data, size);
    WriteFile(input, bytes);

    const std::vector<std::string> expected = ExpectedLines(bytes);
    LineListHandle list = LineListRead(input);
    CheckList(list, expected);

    std::remove(output.c_str());
    if (!list) {
        Check(LineListWrite(list, output) == 0);
        Check(access(output.c_str(), F_OK) != 0);
        return 0;
    }
    Check(LineListWrite(list, output) == 1);
    std::string written;
    for (const std::string& line : list->lines) written += line + '\n';
    Check(ReadFile(output) == written);

    std::vector<std::string> readBack = expected;
    for (std::string& line : readBack)
        if (!line.empty() && line.back() == '\r') line.pop_back();
    CheckList(LineListRead(output), readBack);

    // A replaced line holds the new text, and no other line changes.
    const std::int32_t index = static_cast<std::int32_t>(size % (list->count + 1));
    const std::string text = index < list->count ? list->lines[index] + "\t;" : "";
    Check(LineListReplace(list, index, text) == (index < list->count ? 1 : 0));
    std::vector<std::string> replaced = expected;
    if (index < list->count) replaced[index] = text;
    CheckList(list, replaced);
    return 0;
}
