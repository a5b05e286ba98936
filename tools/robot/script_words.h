// Splits robot script text into words: blanks separate, double quotes keep
// blanks and backslashes inside one word, '#' starts a comment line.
#pragma once

#include <string>
#include <vector>

// False when a quote is left open; words gets what came before it.
bool SplitScriptLine(const std::string& line, std::vector<std::string>* words);
