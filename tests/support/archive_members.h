#pragma once

#include <filesystem>
#include <vector>

#include "support/export_fixture.h"

namespace testing_support {

// The archive's members with their bytes, read by the real unzip, sorted
// byte-wise by name; folder entries are left out.
std::vector<ExportFile> ArchiveMembers(const std::filesystem::path& archive);

}  // namespace testing_support
