#pragma once
// Running a program for a test and collecting what it printed.

#include <string>
#include <vector>

namespace tabrel::test {

struct ProcessResult {
    int exitCode = -1;  ///< -1 when the program could not be started or was killed
    std::string out;
    std::string err;
};

/// Runs `argv[0]` with the arguments that follow, without a shell, standard
/// input empty, and waits for it.
ProcessResult RunProcess(const std::vector<std::string>& argv);

}  // namespace tabrel::test
