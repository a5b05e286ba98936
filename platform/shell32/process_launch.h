// Starting a program directly, without a shell, so that no path text is interpreted.
#pragma once

#include <string>
#include <vector>

namespace layer {

// argv[0] is the program's host path; workingFolder "" keeps the caller's.
// 0 on success, else the errno of the failed start.
int LaunchProgram(const std::vector<std::string>& argv, const std::string& workingFolder);

}  // namespace layer
