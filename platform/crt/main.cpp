// The program's start on POSIX: the command line behind the program's name,
// then WinMain with the module handle and no previous instance, as the Win32
// run-time start-up does.
#include "platform/win32.h"

#include <string>

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    return WinMain(GetModuleHandleA(nullptr), nullptr, &commandLine[0], SW_SHOWDEFAULT);
}
