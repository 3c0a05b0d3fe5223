#include "driver/run_context.h"

RunContext& CurrentRun() {
    static RunContext run;
    return run;
}
