#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The one record of a run: what the command line gave, what detection found
// and what each stage returned. Every subsystem reaches the same instance
// through CurrentRun().
struct RunContext {
    std::string User;
    std::string PresName;
    std::string Lizenz;   // licence number, a key of the catalogue row
    std::string Mandant;  // client number, a key of the catalogue row
    bool Verbose = false;
    std::int32_t ExportVersion = 0;  // 2000 or 2003 once detection succeeded
    std::string ArchiveCommand;      // the archiver's complete command line
    std::int32_t LastResult = 0;     // result of the last stage; the exit code at the end
};

// Longest accepted arguments, in bytes. Longer ones are refused, never cut:
// the catalogue's columns and the product's other tools expect these sizes.
inline constexpr std::size_t kUserMaxLength = 50;
inline constexpr std::size_t kPresNameMaxLength = 200;
inline constexpr std::size_t kLizenzMaxLength = 5;
inline constexpr std::size_t kMandantMaxLength = 5;

RunContext& CurrentRun();
