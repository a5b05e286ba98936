#include "tools/progman/progman_session.h"

#include "platform/kernel32/paths.h"

#include "tools/progman/progman_commands.h"
#include "tools/progman/start_menu_groups.h"

#include <strings.h>
#include <sys/stat.h>

namespace {

bool IsNumber(const std::string& text) {
    if (text.empty() || text.size() > 5) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

bool ArgumentCountIn(const ProgmanCommand& command, size_t least, size_t most) {
    return command.args.size() >= least && command.args.size() <= most;
}

// "C:\Folder\Program.exe" gives "Program", as the shell names an item without a caption.
std::string CaptionFromCommandLine(const std::string& commandLine) {
    size_t start = commandLine.find_last_of("\\/");
    std::string name = commandLine.substr(start == std::string::npos ? 0 : start + 1);
    size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool FolderExists(const std::string& path) {
    struct stat st;
    return !path.empty() && lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateGroup(ProgmanSession* session, const ProgmanCommand& command) {
    if (!ArgumentCountIn(command, 1, 3) || !MakeGroupFolder(session->programs, command.args[0])) return false;
    session->activeGroup = FindGroupFolder(session->programs, command.args[0]);
    return true;
}

bool DeleteGroup(ProgmanSession* session, const ProgmanCommand& command) {
    if (!ArgumentCountIn(command, 1, 2)) return false;
    std::string folder = FindGroupFolder(session->programs, command.args[0]);
    if (folder.empty() || !RemoveGroupFolder(folder)) return false;
    if (session->activeGroup == folder) session->activeGroup.clear();
    return true;
}

// Showing a group that does not exist is accepted, as the shell does, and changes nothing.
bool ShowGroup(ProgmanSession* session, const ProgmanCommand& command) {
    if (!ArgumentCountIn(command, 2, 3) || !IsNumber(command.args[1]) || !IsSafeEntryName(command.args[0]))
        return false;
    std::string folder = FindGroupFolder(session->programs, command.args[0]);
    if (!folder.empty()) session->activeGroup = folder;
    return true;
}

// The shell makes no item for a program that is not there.
bool NamesAnExistingFile(const std::string& commandLine) {
    for (const std::string& candidate : {commandLine, commandLine.substr(0, commandLine.find(' '))}) {
        layer::HostPath path = layer::ResolveWindowsPath(candidate);
        if (path.exists) return true;
    }
    return false;
}

bool AddItem(ProgmanSession* session, const ProgmanCommand& command) {
    if (!ArgumentCountIn(command, 1, 10) || command.args[0].empty() || !FolderExists(session->activeGroup) ||
        !NamesAnExistingFile(command.args[0]))
        return false;
    ShortcutItem item;
    item.commandLine = command.args[0];
    item.caption = command.args.size() > 1 && !command.args[1].empty() ? command.args[1]
                                                                        : CaptionFromCommandLine(item.commandLine);
    item.iconPath = command.args.size() > 2 ? command.args[2] : "";
    item.iconIndex = command.args.size() > 3 && !command.args[3].empty() ? command.args[3] : "0";
    if (!IsNumber(item.iconIndex)) return false;
    return WriteShortcut(session->activeGroup, item);
}

struct Verb {
    const char* name;
    bool (*run)(ProgmanSession*, const ProgmanCommand&);
};

const Verb kVerbs[] = {
    {"CreateGroup", CreateGroup},
    {"DeleteGroup", DeleteGroup},
    {"ShowGroup", ShowGroup},
    {"AddItem", AddItem},
};

bool Run(ProgmanSession* session, const ProgmanCommand& command) {
    for (const Verb& verb : kVerbs)
        if (strcasecmp(verb.name, command.name.c_str()) == 0) return verb.run(session, command);
    return false;
}

}  // namespace

bool ExecuteProgmanText(ProgmanSession* session, const std::string& text) {
    std::vector<ProgmanCommand> commands;
    if (!ParseProgmanCommands(text, &commands)) return false;
    for (const ProgmanCommand& command : commands)
        if (!Run(session, command)) return false;
    return true;
}
