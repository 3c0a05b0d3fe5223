// slidepub-bench-prepare [--rounds N] MB...
// Times the export preparation on generated player scripts of the given
// sizes in a temporary product tree: the five lines the patches look for sit
// at the end of many ordinary script lines, so every patch searches the whole
// script. Prints one line per size: the size in MB and the median time in
// seconds of N rounds (default 5), each on a fresh copy of the script.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "driver/run_context.h"
#include "export/prepare_export.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kName = "Bench";

// The lines the patches replace, as a 2003 export writes them.
const char* const kPatchedLines[] = {
    "    g_scaleHyperlinks = false, g_allowAdvOnClick = false, g_showInBrowser = false;",
    "var g_hasTrans = false, g_autoTrans = false, g_transSecs = 0;",
    " if(\t!IsFramesMode() ) EndShow()",
    "    g_scaleHyperlinks = false, g_allowAdvOnClick = 0, g_showInBrowser = 0, gLoopCont = 1, "
    "gUseSldTimings = 1;",
    "\t\t\tEndShow()",
};

std::string PlayerScript(std::size_t megabytes) {
    const std::size_t size = megabytes * 1000 * 1000;
    std::string script;
    script.reserve(size + 1024);
    static const char* const kOrdinary[] = {
        "function GetHrefObj( href ) {\r\n",
        "\tif( g_supportsPPTHTML ) { obj = parent.PPTSld.document.all.item( href ) }\r\n",
        "\r\n",
        "    var i = 0, j = frames.length - 1; // walk the frames from both ends\r\n",
        "}\r\n",
    };
    for (std::size_t i = 0; script.size() < size; ++i) script += kOrdinary[i % 5];
    for (const char* line : kPatchedLines) script += std::string(line) + "\r\n";
    return script;
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 5;
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--rounds" && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else {
            sizes.push_back(static_cast<std::size_t>(std::strtoul(argv[i], nullptr, 10)));
        }
    }
    if (sizes.empty()) {
        std::fprintf(stderr, "usage: slidepub-bench-prepare [--rounds N] MB...\n");
        return 2;
    }

    std::string pattern = (fs::temp_directory_path() / "slidepub-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("slidepub-bench-prepare");
        return 1;
    }
    const fs::path base = pattern;
    const fs::path workDir = base / "Module" / "SlidePub";
    const fs::path transfer = base / "Transfer" / "Vidazara Dirodav";
    fs::create_directories(workDir);
    fs::create_directories(transfer);
    const fs::path previous = fs::current_path();
    fs::current_path(workDir);

    int status = 0;
    CurrentRun().ExportVersion = 2003;
    const std::string scriptPath =
        std::string("..\\..\\Transfer\\Vidazara Dirodav\\") + kName + "_script.js";
    for (std::size_t megabytes : sizes) {
        const std::string script = PlayerScript(megabytes);
        std::vector<double> times;
        for (int round = 0; round < rounds; ++round) {
            if (!WriteFile(transfer / (std::string(kName) + "_script.js"), script)) {
                std::perror("slidepub-bench-prepare");
                status = 1;
                break;
            }
            const auto start = std::chrono::steady_clock::now();
            const int result = PrepareExport(scriptPath, kName);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            if (result != 0) {
                std::fprintf(stderr, "slidepub-bench-prepare: PrepareExport gave %d\n", result);
                status = 1;
                break;
            }
            times.push_back(took.count());
        }
        if (times.empty()) break;
        std::sort(times.begin(), times.end());
        std::printf("%zu %.4f\n", megabytes, times[times.size() / 2]);
        std::fflush(stdout);
    }

    fs::current_path(previous);
    std::error_code ignored;
    fs::remove_all(base, ignored);
    return status;
}
