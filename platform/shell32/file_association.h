// A document's opener as the registry names it: HKEY_CLASSES_ROOT\.ext gives
// the file type, whose shell\open\command holds the command with %1.
#pragma once

#include <string>

namespace layer {

// The open command of the extension (".txt"), or "" when none is registered.
std::string RegisteredOpenCommand(const std::string& extension);
// The command with %1 (and %L) replaced by the document and %* by the parameters.
std::string ExpandOpenCommand(const std::string& command, const std::string& document, const std::string& parameters);

}  // namespace layer
