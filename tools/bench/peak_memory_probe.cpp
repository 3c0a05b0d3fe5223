// libslidepub-peak-memory.so, preloaded into the installer by
// scripts/bench.sh: when the process ends it writes its own peak resident
// size and what it holds at that moment (the VmHWM, VmRSS, RssAnon and
// RssFile lines of /proc/self/status) into the file named by
// SLIDEPUB_PEAK_MEMORY_FILE. Timing tools that wait for the process count the
// archiver it waited for as well; this reports the installer alone. The
// archiver gets neither variable, so it neither loads nor reports.
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

char reportPath[4096];

__attribute__((constructor)) void TakeReportPath() {
    const char* path = std::getenv("SLIDEPUB_PEAK_MEMORY_FILE");
    if (path == nullptr || std::strlen(path) >= sizeof reportPath) return;
    std::strcpy(reportPath, path);
    unsetenv("SLIDEPUB_PEAK_MEMORY_FILE");
    unsetenv("LD_PRELOAD");
}

__attribute__((destructor)) void ReportPeak() {
    if (reportPath[0] == '\0') return;
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return;
    FILE* report = std::fopen(reportPath, "w");
    if (report != nullptr) {
        char line[256];
        while (std::fgets(line, sizeof line, status) != nullptr) {
            static const char* const kFields[] = {"VmHWM:", "VmRSS:", "RssAnon:", "RssFile:"};
            for (const char* field : kFields) {
                if (std::strncmp(line, field, std::strlen(field)) == 0) std::fputs(line, report);
            }
        }
        std::fclose(report);
    }
    std::fclose(status);
}

}  // namespace
