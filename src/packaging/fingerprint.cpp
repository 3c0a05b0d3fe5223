#include "packaging/fingerprint.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "platform/md5_digest.h"
#include "platform/paths.h"
#include "text/text_case.h"

namespace {

// The name shares the first block with the file's first bytes; streamed
// through this one block, a file of any size needs no more memory.
constexpr std::size_t kReadBlockSize = 10240;

// The name with its extension: what follows the last "\" or "/", after a
// drive ("C:") has been dropped.
std::string NamePart(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') path.remove_prefix(2);
    std::size_t separator = path.find_last_of("\\/");
    if (separator != std::string_view::npos) path.remove_prefix(separator + 1);
    return std::string(path);
}

std::string HexUpperCase(const Md5Value& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(2 * bytes.size());
    for (unsigned char byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

}  // namespace

std::string FileFingerprint(std::string_view path) {
    // A folder opens as a file on POSIX but not on Windows; it has no bytes
    // to fingerprint either way.
    std::error_code ignored;
    if (std::filesystem::is_directory(NativePath(path), ignored)) return {};
    FileHandle file = OpenFile(path, "rb");
    if (file == nullptr) return {};
    // Every read fills the block straight from the file, without a second
    // copy through the stream's own buffer.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);

    std::string name = NamePart(path);
    LowerCaseText(name);

    Md5Digest digest;

    std::array<unsigned char, kReadBlockSize> block;
    std::size_t used = 0;
    if (name.size() < block.size()) {
        std::memcpy(block.data(), name.data(), name.size());
        used = name.size();
    } else {
        // Longer than any archive name of the product; the digest is the same.
        digest.Add(name.data(), name.size());
    }
    used += std::fread(block.data() + used, 1, block.size() - used, file.get());
    // A read error ends the file like its end does; the fingerprint then
    // covers what was read.
    while (used > 0) {
        if (!digest.Add(block.data(), used)) return {};
        used = std::fread(block.data(), 1, block.size(), file.get());
    }

    Md5Value value;
    if (!digest.Finish(value)) return {};
    return HexUpperCase(value);
}
