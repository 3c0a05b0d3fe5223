#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A text file held in memory as numbered lines without their line ends, so
// single lines can be found and replaced and the whole text written out
// again. Lines are bytes (Windows-1252 text, or whatever the file holds):
// they are copied and compared byte for byte, NUL bytes and lines of any
// length included, so a read and a write never break or shorten a line.
struct LineList {
    std::int32_t count = 0;          // lines held, numbered 0 .. count - 1 in file order
    std::int32_t capacity = 0;       // line slots the list counts as allocated: 10, 20, 30 ...
    std::vector<std::string> lines;  // exactly count entries
};

// A list exists only once it holds a line: an empty handle is the list
// without lines, and only the first append creates the record.
using LineListHandle = std::unique_ptr<LineList>;

// Slots a new list starts with and the step by which a full list grows.
inline constexpr std::int32_t kLineListCapacityStep = 10;

// Bytes fetched from the file per read call. Lines are not limited by it: a
// line may span any number of blocks.
inline constexpr std::size_t kLineListReadBlockSize = 64 * 1024;

// Adds a copy of the text as the last line, creating the list when the handle
// is empty. 1 on success; 0 when memory ran out, the list then as before.
int LineListAppend(LineListHandle& list, std::string_view text);

// Reads the file byte for byte (no line-end translation). A line ends after
// each LF or at the end of the file; at most two line-end characters (CR or
// LF) are taken from its end, so CR LF and bare LF both go and a CR inside a
// line stays. Empty handle when the file cannot be opened or yields no line.
LineListHandle LineListRead(std::string_view windowsPath);

// Writes every line followed by one LF (no CR), creating or cutting the file.
// 0 for an empty handle (no file is created or touched) or a file that cannot
// be opened for writing, else 1. Errors while writing are not detected.
int LineListWrite(const LineListHandle& list, std::string_view windowsPath);

// Puts a copy of the text in place of line index. 0, with nothing changed,
// when the handle is empty or the index lies outside 0 .. count - 1.
int LineListReplace(LineList& list, std::int32_t index, std::string_view text);
int LineListReplace(const LineListHandle& list, std::int32_t index, std::string_view text);

// Frees the lines and the record; the handle becomes empty.
void LineListDispose(LineListHandle& list);
