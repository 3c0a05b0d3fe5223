#include "driver/run_log.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "driver/product_folders.h"
#include "platform/files.h"
#include "text/text_case.h"

void LogWrite(std::string_view line) {
    std::int64_t size = 0;
    {
        FileHandle log = OpenFile(kLogFilePath, "ab");
        if (!log) return;
        std::string bytes;
        bytes.reserve(line.size() + 8);
        for (char c : line) {
            if (c == '\n') bytes += '\r';
            bytes += c;
        }
        bytes += "\r\n";
        std::fwrite(bytes.data(), 1, bytes.size(), log.get());
        // The Windows C runtime appends only when it flushes; before that its
        // ftell counts from where the file was opened, not from its end.
        std::fflush(log.get());
        size = std::ftell(log.get());
    }
    // The line that crosses the limit ends the backup; the next call starts a
    // new log. A failed rename leaves the log growing and is tried again.
    if (size > kLogSizeLimit) {
        RemoveFile(kLogBackupPath);
        RenameFile(kLogFilePath, kLogBackupPath);
    }
}

const std::string& LogLine(const char* format, ...) {
    static std::string line;
    std::va_list args;
    va_start(args, format);
    std::va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length < 0) {
        line.clear();
    } else {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        line.assign(buffer.data(), static_cast<std::size_t>(length));
    }
    va_end(args);
    return line;
}

namespace {

std::string& TimestampText() {
    static std::string text;
    return text;
}

}  // namespace

const std::string& FormatTimestampAt(std::string_view formatName, const std::tm& localTime) {
    std::string name(formatName);
    UpperCaseText(name);
    int year = localTime.tm_year + 1900, month = localTime.tm_mon + 1, day = localTime.tm_mday;
    char digits[64];
    if (name == "YYYYMMDDHHMINSS") {
        std::snprintf(digits, sizeof digits, "%04d%02d%02d%02d%02d%02d", year, month, day,
                      localTime.tm_hour, localTime.tm_min, localTime.tm_sec);
        TimestampText() = digits;
    } else if (name == "DDMMYYYYHHMINSS") {
        std::snprintf(digits, sizeof digits, "%02d%02d%04d%02d%02d%02d", day, month, year,
                      localTime.tm_hour, localTime.tm_min, localTime.tm_sec);
        TimestampText() = digits;
    }
    return TimestampText();
}

const std::string& FormatTimestamp(std::string_view formatName) {
    std::time_t now = std::time(nullptr);
    std::tm localTime{};
    if (const std::tm* broken = std::localtime(&now)) localTime = *broken;
    return FormatTimestampAt(formatName, localTime);
}
