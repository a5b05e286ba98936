// Starting and ending the processes of one scenario: the installer, the
// Program Manager, stand-ins and the robot, each with its own environment.
#pragma once

#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

struct ChildSpec {
    std::vector<std::string> argv;
    std::map<std::string, std::string> env;  // over the test's own; "" removes a variable
    std::string cwd;
    std::string stdinFile;   // empty: /dev/null
    std::string stdoutFile;  // empty: /dev/null; stderr goes to the same file
};

pid_t StartChild(const ChildSpec& spec);
// The exit code, or -1 when the process did not end within timeoutMs (it is then killed).
// usage, when given, receives what the process used (its peak memory among it).
int WaitChild(pid_t pid, int timeoutMs, rusage* usage = nullptr);
// True while the child runs; false once it has ended (it is then reaped) or is no child of ours.
bool ChildRunning(pid_t pid);
// Ends a child of ours that is still running; one already reaped is left alone (its id may be reused).
void EndChild(pid_t pid);
// Ends every process whose program lies under the folder (programs a scenario started from
// its prefix, such as the taskbar program Finish starts) and waits for them.
void EndProcessesUnder(const std::string& folder);
// True while some process runs a program from under the folder.
bool AnyProcessUnder(const std::string& folder);
