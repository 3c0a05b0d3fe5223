#include "export/line_list.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

#include "platform/files.h"

namespace {

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// No more than two characters go, so a line ending in CR CR LF keeps one CR.
std::string_view WithoutLineEnd(std::string_view piece) {
    for (int removed = 0; removed < 2 && !piece.empty() && IsLineEnd(piece.back()); ++removed)
        piece.remove_suffix(1);
    return piece;
}

// Takes over the line, so a line that had to be gathered across read blocks
// is not copied once more.
int AppendLine(LineListHandle& list, std::string&& line) {
    try {
        if (!list) {
            // Built aside and handed over only when complete, so a failure
            // leaves the handle empty.
            auto created = std::make_unique<LineList>();
            created->capacity = kLineListCapacityStep;
            created->lines.reserve(kLineListCapacityStep);
            created->lines.push_back(std::move(line));
            created->count = 1;
            list = std::move(created);
            return 1;
        }
        const bool full = list->count == list->capacity;
        if (full &&
            list->capacity > std::numeric_limits<std::int32_t>::max() - kLineListCapacityStep)
            return 0;
        // The vector below grows geometrically on its own: reserving exactly
        // ten more slots each time would make reading a large script
        // quadratic. The counted capacity keeps its steps of ten.
        list->lines.push_back(std::move(line));
        if (full) list->capacity += kLineListCapacityStep;
        ++list->count;
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

// Appends a line gathered across read blocks and leaves gathered empty.
int AppendGathered(LineListHandle& list, std::string& gathered) {
    gathered.resize(WithoutLineEnd(gathered).size());
    std::string line;
    line.swap(gathered);
    return AppendLine(list, std::move(line));
}

}  // namespace

int LineListAppend(LineListHandle& list, std::string_view text) {
    std::string copy;
    try {
        copy.assign(text);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return AppendLine(list, std::move(copy));
}

LineListHandle LineListRead(std::string_view windowsPath) {
    FileHandle file = OpenFile(windowsPath, "rb");
    if (!file) return {};

    // A script that could not be read completely must never be written back
    // short, so a read error or a line that finds no memory loses the whole
    // list rather than some of its lines.
    try {
        LineListHandle list;
        std::string block(kLineListReadBlockSize, '\0');
        std::string pending;  // the start of a line that began in an earlier block
        for (;;) {
            const std::size_t got = std::fread(block.data(), 1, block.size(), file.get());
            if (got == 0) break;
            std::string_view rest(block.data(), got);
            while (!rest.empty()) {
                const void* lineFeed = std::memchr(rest.data(), '\n', rest.size());
                if (lineFeed == nullptr) {
                    pending.append(rest);
                    break;
                }
                const std::size_t pieceLength =
                    static_cast<const char*>(lineFeed) - rest.data() + 1;
                const std::string_view piece = rest.substr(0, pieceLength);
                rest.remove_prefix(pieceLength);
                if (pending.empty()) {
                    if (LineListAppend(list, WithoutLineEnd(piece)) == 0) return {};
                } else {
                    pending.append(piece);
                    if (AppendGathered(list, pending) == 0) return {};
                }
            }
        }
        if (std::ferror(file.get())) return {};
        if (!pending.empty() && AppendGathered(list, pending) == 0) return {};
        return list;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

int LineListWrite(const LineListHandle& list, std::string_view windowsPath) {
    if (!list) return 0;
    FileHandle file = OpenFile(windowsPath, "wb");
    if (!file) return 0;
    for (const std::string& line : list->lines) {
        std::fwrite(line.data(), 1, line.size(), file.get());
        std::fputc('\n', file.get());
    }
    return 1;
}

int LineListReplace(LineList& list, std::int32_t index, std::string_view text) {
    if (index < 0 || index >= list.count) return 0;
    try {
        std::string copy(text);
        list.lines[static_cast<std::size_t>(index)].swap(copy);
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int LineListReplace(const LineListHandle& list, std::int32_t index, std::string_view text) {
    if (!list) return 0;
    return LineListReplace(*list, index, text);
}

void LineListDispose(LineListHandle& list) {
    list.reset();
}
