#pragma once

#include <cstdint>

#include "driver/run_context.h"

// Installs the presentation that the run context names, stage after stage,
// and returns the run's exit code. The first stage that fails ends the run;
// nothing is retried and nothing already written is undone.
std::int32_t InstallPresentation(RunContext& run);
