#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "support/product_tree.h"

namespace testing_support {

void ProductTree::InstallRealArchiver() const {
    std::filesystem::create_symlink("/usr/bin/zip", CgiBin() / "zip");
}

BinaryRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const std::filesystem::path& workDir,
                     const std::vector<std::string>& extraEnvironment) {
    TempFolder capture;
    std::filesystem::path outPath = capture.Path() / "out", errPath = capture.Path() / "err";

    std::vector<std::string> argvText{program.string()};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& text : argvText) argv.push_back(text.data());
    argv.push_back(nullptr);

    pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int in = open("/dev/null", O_RDONLY);
        if (out < 0 || err < 0 || in < 0 || chdir(workDir.c_str()) != 0) _exit(200);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        for (const auto& entry : extraEnvironment) putenv(const_cast<char*>(entry.c_str()));
        execv(argv[0], argv.data());
        _exit(201);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    BinaryRun run;
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = ReadBytes(outPath);
    run.err = ReadBytes(errPath);
    return run;
}

}  // namespace testing_support
