#include <windows.h>

#include <stdexcept>
#include <string>

#include "support/test_files.h"

namespace testing_support {

// No mkdtemp here: a name from the process id, the clock and a counter, and
// create_directory, which fails when the name is taken, so each folder is
// ours alone.
TempFolder::TempFolder() {
    static unsigned counter = 0;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "slidepub-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(GetTickCount64()) + "-" + std::to_string(++counter);
        if (std::filesystem::create_directory(base / name)) {
            path_ = base / name;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder in " + base.string());
}

}  // namespace testing_support
