// Starts zorvane-ico-extract with fork and exec; its output goes through files, so no pipe can fill up.
#include "programrun.h"

#include "fixturefiles.h"
#include "programundertest.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zorvane::cli {
namespace {

std::string readText(const std::filesystem::path& path)
{
    const std::vector<std::uint8_t> bytes = fixtures::readBytes(path);
    return {bytes.begin(), bytes.end()};
}

// Only async-signal-safe calls between fork and exec.
[[noreturn]] void becomeProgram(std::vector<char*>& argv, const char* workingDirectory, const char* outPath,
                                const char* errPath)
{
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(outPath, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0
        || chdir(workingDirectory) != 0) {
        _exit(126);
    }
    execv(argv.front(), argv.data());
    _exit(127);
}

} // namespace

ProgramRun runProgram(const std::vector<std::string>& arguments, const std::filesystem::path& workingDirectory,
                      const std::filesystem::path& standardOutput)
{
    const fixtures::TemporaryDirectory capture;
    const std::filesystem::path outPath = standardOutput.empty() ? capture.path() / "out" : standardOutput;
    const std::filesystem::path errPath = capture.path() / "err";

    std::string program(programPath);
    std::vector<std::string> owned = arguments;
    std::vector<char*> argv{program.data()};
    for (std::string& argument : owned) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        becomeProgram(argv, workingDirectory.c_str(), outPath.c_str(), errPath.c_str());
    }
    ProgramRun run;
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        ADD_FAILURE() << "cannot run " << programPath;
        return run;
    }
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (standardOutput.empty()) {
        run.out = readText(outPath);
    }
    run.err = readText(errPath);
    return run;
}

} // namespace zorvane::cli
