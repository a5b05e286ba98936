// What one Program Manager server does with the commands it is given: the
// group folders it changes and the group that AddItem adds to.
#pragma once

#include <string>

struct ProgmanSession {
    std::string programs;     // the Start Menu's Programs folder
    std::string activeGroup;  // the folder last created or shown, where items go
};

// Runs the commands of one execute text in order. False when the text is malformed
// (nothing is run) or at the first command that fails (the later ones are not run).
bool ExecuteProgmanText(ProgmanSession* session, const std::string& text);
