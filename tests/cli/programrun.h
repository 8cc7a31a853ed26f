// Runs the real zorvane-ico-extract as a separate process and captures what it said.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zorvane::cli {

struct ProgramRun {
    int exitStatus = -1;  // 128 + the signal number when a signal ended it
    std::string out;
    std::string err;
};

// Runs in `workingDirectory`; standard output goes to `standardOutput` instead when that is given.
ProgramRun runProgram(const std::vector<std::string>& arguments, const std::filesystem::path& workingDirectory,
                      const std::filesystem::path& standardOutput = {});

} // namespace zorvane::cli
