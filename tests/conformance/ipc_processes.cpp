// Across processes as the installer relies on it: the Program Manager's DDE
// commands make and remove Start Menu group folders, and a product window of
// another process is found by its class and closes on a sent WM_CLOSE.
#include "conformance/check.h"
#include "platform/win32.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The folder of this program, ending with a backslash.
std::string ModuleFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
    std::string text(path, length < sizeof path ? length : 0);
    return text.substr(0, text.rfind('\\') + 1);
}

// A host folder named by an environment variable, as a Windows path.
std::string FolderFromEnvironment(const char* name) {
    const char* value = getenv(name);
    if (!value || !*value) return "";
    std::string folder = value[0] == '/' ? std::string("Z:") + value : value;
    for (char& c : folder)
        if (c == '/') c = '\\';
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 10000) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ProgramsFolder() {
    char user[256] = "";
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    return std::string("C:\\users\\") + user + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\";
}

// Windows has its shell; the layer's Program Manager is a program of the build, started for this run.
void StartProgramManager() {
#ifndef _WIN32
    std::string progman = ModuleFolder() + "..\\..\\tools\\progman\\progman";
    ShellExecuteA(NULL, "open", progman.c_str(), "--with-parent", NULL, SW_HIDE);
#endif
}

bool Execute(HCONV conversation, const char* command) {
    char slot[512];
    std::memset(slot, 0, sizeof slot);
    std::strncpy(slot, command, sizeof slot - 1);
    return DdeClientTransaction(reinterpret_cast<LPBYTE>(slot), sizeof slot, conversation, NULL, CF_TEXT,
                                XTYP_EXECUTE, 5000, NULL) != NULL;
}

}  // namespace

CONFORMANCE_TEST(ProgmanCommandsMakeAndRemoveGroupFolders) {
    StartProgramManager();
    DWORD instance = 0;
    CHECK_EQ(DdeInitializeA(&instance, NULL, APPCMD_CLIENTONLY, 0), DMLERR_NO_ERROR);
    HSZ progman = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    HCONV conversation = NULL;
    CHECK(WaitUntil([&] { return (conversation = DdeConnect(instance, progman, progman, NULL)) != NULL; }));
    if (!conversation) {
        DdeUninitialize(instance);
        return;
    }
    std::string group = ProgramsFolder() + "T98 Conformance Group";
    CreateDirectoryA("C:\\T98 Conformance", NULL);
    CloseHandle(CreateFileA("C:\\T98 Conformance\\Tool.exe", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    CHECK(!IsFolder(group));
    CHECK(Execute(conversation, "[CreateGroup(T98 Conformance Group)]"));
    CHECK(IsFolder(group));
    CHECK(Execute(conversation, "[ShowGroup(T98 Conformance Group,2)]"));
    CHECK(!Execute(conversation, "[ShowGroup(T98 Conformance Group),2]"));  // the show command belongs inside
    CHECK(Execute(conversation, "[AddItem(\"C:\\T98 Conformance\\Tool.exe\",\"Conformance Tool\",,0)]"));
    CHECK(!Execute(conversation, "[AddItem(\"C:\\T98 Conformance\\Missing.exe\",\"Missing Tool\",,0)]"));
    CHECK(Execute(conversation, "[DeleteGroup(t98 conformance group)]"));
    CHECK(!IsFolder(group));
    // A refused command ends the execute: what follows it is not done.
    CHECK(!Execute(conversation, "[DeleteGroup(T98 Conformance Group)][CreateGroup(T98 Conformance After)]"));
    CHECK(!IsFolder(ProgramsFolder() + "T98 Conformance After"));
    DeleteFileA("C:\\T98 Conformance\\Tool.exe");
    RemoveDirectoryA("C:\\T98 Conformance");
    DdeFreeStringHandle(instance, progman);
    CHECK(DdeUninitialize(instance));
}

CONFORMANCE_TEST(AWindowOfAnotherProcessIsFoundAndClosesOnWmClose) {
    std::string standins = FolderFromEnvironment("T98_STANDINS");
    if (standins.empty()) standins = ModuleFolder() + "..\\..\\tools\\standins\\";
    std::string program = standins + "Tesmara.exe";
    if (GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("note: no stand-in at %s (set T98_STANDINS); not checked\n", program.c_str());
        return;
    }
    CHECK(FindWindowA("VintTesmara", NULL) == NULL);
    CHECK(reinterpret_cast<uintptr_t>(ShellExecuteA(NULL, "open", program.c_str(), NULL, NULL, SW_SHOWNOACTIVATE)) > 32);
    HWND window = NULL;
    CHECK(WaitUntil([&] { return (window = FindWindowA("VintTesmara", NULL)) != NULL; }));
    if (!window) return;
    CHECK(FindWindowA("vinttesmara", NULL) == window);
    CHECK(FindWindowA(NULL, "Tesmara 98") == window);
    CHECK(FindWindowA(NULL, "TESMARA 98") == window);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    CHECK(owner != GetCurrentProcessId());
    SendMessageA(window, WM_CLOSE, 0, 0);
    CHECK(!IsWindow(window));
    CHECK(FindWindowA("VintTesmara", NULL) == NULL);
}
