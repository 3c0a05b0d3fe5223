#pragma once

#include <windows.h>

// The runner's record of the program it started: filled by CreateProcessA
// during RunProcess, and empty again (no handles, identifiers with all 32
// bits set) before RunProcess returns, so that tests can see that nothing of
// the program outlives the call.
const PROCESS_INFORMATION& ProcessRecord();
