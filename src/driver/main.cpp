#include <cstdio>

#include "driver/run_frame.h"
#include "platform/exit_status.h"

int main(int argc, char* argv[]) {
    int status = ExitStatusFor(RunFrame(argc, argv));
    std::fflush(stdout);
    return status;
}
