// The scenario robot: drives a running installer from another process, as a
// person would. Steps come from the command line, or one per line from stdin
// with "robot -":
//
//   robot wait-window VintInstall set-folder "C:\Foo" click 1 expect-box "Installer Query" yes ""
//
// It prints what it sees; the exit code is 0 when every step succeeded, and
// the first failing step is named on stderr. It waits in real time, so run it
// without a time scale of 0 (the installer may have one).
#include "tools/robot/robot_steps.h"
#include "tools/robot/script_words.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

// Runs the steps the words spell; false at the first word that is no step or the first failure.
bool RunWords(const std::vector<std::string>& words, const std::string& where) {
    for (size_t at = 0; at < words.size();) {
        const RobotStep* step = FindRobotStep(words[at]);
        if (!step || at + step->argumentCount >= words.size()) {
            std::fprintf(stderr, "robot: %s: unknown step or missing argument at \"%s\"\n", where.c_str(),
                         words[at].c_str());
            return false;
        }
        std::vector<std::string> arguments(words.begin() + at + 1, words.begin() + at + 1 + step->argumentCount);
        std::fflush(stdout);
        if (!step->run(arguments)) {
            std::fflush(stdout);
            std::fprintf(stderr, "robot: %s: step %s failed\n", where.c_str(), step->name);
            return false;
        }
        std::fflush(stdout);
        at += 1 + step->argumentCount;
    }
    return true;
}

bool RunScript(std::istream& in) {
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::vector<std::string> words;
        std::string where = "line " + std::to_string(number);
        if (!SplitScriptLine(line, &words)) {
            std::fprintf(stderr, "robot: %s: unclosed quote\n", where.c_str());
            return false;
        }
        if (!RunWords(words, where)) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: robot STEP [ARGUMENT...] ...   or   robot - < script\nsteps:\n");
        PrintRobotSteps();
        return 2;
    }
    if (argc == 2 && std::string(argv[1]) == "-") return RunScript(std::cin) ? 0 : 1;
    return RunWords(std::vector<std::string>(argv + 1, argv + argc), "command line") ? 0 : 1;
}
