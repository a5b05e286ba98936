#include "platform/shell32/command_line.h"

namespace layer {

std::vector<std::string> SplitCommandLine(const std::string& text) {
    std::vector<std::string> arguments;
    std::string current;
    bool inQuotes = false;
    bool started = false;
    for (char c : text) {
        if (c == '"') {
            inQuotes = !inQuotes;
            started = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (started) arguments.push_back(current);
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (started) arguments.push_back(current);
    return arguments;
}

}  // namespace layer
