#include "tools/robot/script_words.h"

bool SplitScriptLine(const std::string& line, std::vector<std::string>* words) {
    size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
        if (at >= line.size() || line[at] == '#') return true;
        std::string word;
        bool quoted = false;
        while (at < line.size() && (quoted || (line[at] != ' ' && line[at] != '\t' && line[at] != '\r'))) {
            if (line[at] == '"')
                quoted = !quoted;
            else
                word += line[at];
            ++at;
        }
        if (quoted) return false;
        words->push_back(word);
    }
    return true;
}
