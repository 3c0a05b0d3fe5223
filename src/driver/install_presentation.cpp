#include "driver/install_presentation.h"

std::int32_t InstallPresentation(RunContext& run) {
    return run.LastResult;
}
