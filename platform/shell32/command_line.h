// Command-line text split into arguments as Windows programs read theirs:
// blanks separate, double quotes group and are removed.
#pragma once

#include <string>
#include <vector>

namespace layer {

std::vector<std::string> SplitCommandLine(const std::string& text);

}  // namespace layer
