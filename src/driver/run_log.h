#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

// Past this size after a write the log becomes the single backup file.
inline constexpr std::int64_t kLogSizeLimit = 10485760;

// Appends the line and a line end to the run log. Line ends are CR LF, also
// for a line feed inside the text, so the file reads the same as the one the
// product's Windows tools write. A log that cannot be written never stops a
// run: the line is then lost without a word.
void LogWrite(std::string_view line);

#if defined(__GNUC__)
#define SLIDEPUB_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define SLIDEPUB_PRINTF_FORMAT(fmt, args)
#endif

// Formats a line printf-style into the one shared line buffer and returns it.
// The line is never cut, however long its values; it stays valid until the
// next call.
const std::string& LogLine(const char* format, ...) SLIDEPUB_PRINTF_FORMAT(1, 2);

// The current local time as 14 digits in the order the format name gives:
// "YYYYMMDDHHMINSS" or "DDMMYYYYHHMINSS" (MM month, MI minute), in any letter
// case. Any other name returns the previous result unchanged, empty when
// there was none.
const std::string& FormatTimestamp(std::string_view formatName);

// The same for a given broken-down local time, so the result can be checked
// at a fixed moment.
const std::string& FormatTimestampAt(std::string_view formatName, const std::tm& localTime);
