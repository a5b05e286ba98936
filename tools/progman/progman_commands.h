// The Program Manager's command language: "[Name(arg,arg,...)]" repeated,
// arguments bare or in double quotes. Input comes from any client, so
// anything malformed or over-long is refused as a whole.
#pragma once

#include <string>
#include <vector>

struct ProgmanCommand {
    std::string name;
    std::vector<std::string> args;
};

// False (and no commands) when the text is not a well-formed list of commands.
bool ParseProgmanCommands(const std::string& text, std::vector<ProgmanCommand>* commands);
