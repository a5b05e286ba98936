// The steps the robot can take, each as a person at the screen would: wait for
// a window, press a button, type a folder, answer a message box, keep a picture.
#pragma once

#include <string>
#include <vector>

struct RobotStep {
    const char* name;
    int argumentCount;
    const char* arguments;
    const char* meaning;
    // Prints what it saw; false when the step failed (the script stops there).
    bool (*run)(const std::vector<std::string>& arguments);
};

// Null when no step has that name.
const RobotStep* FindRobotStep(const std::string& name);
void PrintRobotSteps();
