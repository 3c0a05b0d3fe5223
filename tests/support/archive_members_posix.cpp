#include <algorithm>
#include <string>

#include "support/archive_members.h"
#include "support/product_tree.h"

namespace testing_support {

namespace fs = std::filesystem;

std::vector<ExportFile> ArchiveMembers(const fs::path& archive) {
    BinaryRun list = RunProgram("/usr/bin/unzip", {"-Z1", archive.string()}, archive.parent_path());
    std::vector<ExportFile> members;
    std::size_t start = 0;
    while (start < list.out.size()) {
        const std::size_t end = list.out.find('\n', start);
        const std::string name = list.out.substr(start, end - start);
        start = end + 1;
        if (name.empty() || name.back() == '/') continue;
        BinaryRun member =
            RunProgram("/usr/bin/unzip", {"-p", archive.string(), name}, archive.parent_path());
        members.push_back({name, member.out});
    }
    std::sort(members.begin(), members.end(),
              [](const ExportFile& a, const ExportFile& b) { return a.name < b.name; });
    return members;
}

}  // namespace testing_support
