#include "platform/ipc/runtime_folder.h"
#include "platform/ipc/wire.h"
#include "platform/user32/event_sources.h"
#include "platform/win32.h"
#include "unit/ipc/ipc_fixture.h"

#include <grp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

int closeRequests;

LRESULT CALLBACK ProbeWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) ++closeRequests;
    return message == WM_CLOSE ? 0 : DefWindowProcA(hwnd, message, wParam, lParam);
}

HDDEDATA CALLBACK AcceptingServer(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return reinterpret_cast<HDDEDATA>(type == XTYP_CONNECT || type == XTYP_EXECUTE ? DDE_FACK : 0);
}

// As the other user: 0 when nothing of ours could be found or reached.
int ProbeAsOtherUser(HWND window, const std::string& socketPath) {
    if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) return 64;
    int found = 0;
    if (FindWindowA("CrossUserProbe", nullptr)) found |= 1;
    DWORD instance = 0;
    DdeInitializeA(&instance, nullptr, APPCMD_CLIENTONLY, 0);
    HSZ progman = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    if (DdeConnect(instance, progman, progman, nullptr)) found |= 2;
    // Straight at the socket, past the folders: only the credential check is left to refuse.
    int fd = socket(AF_UNIX, SOCK_SEQPACKET, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        std::string record = layer::WireWriter().U32(1).U64(reinterpret_cast<uintptr_t>(window)).U32(WM_CLOSE)
                                 .U64(0).U64(0).Bytes("").text();
        send(fd, record.data(), record.size(), MSG_NOSIGNAL);
        pollfd ready{fd, POLLIN, 0};
        char answer[64];
        if (poll(&ready, 1, 2000) > 0 && recv(fd, answer, sizeof answer, 0) > 0) found |= 4;
    }
    return found;
}

TEST_F(IpcTest, AnotherUserCanNeitherFindNorReachThisUsersWindowsAndServers) {
    if (geteuid() != 0) GTEST_SKIP() << "becoming a second user needs root";
    std::string runtime = prefix_ + "/run";
    mkdir(runtime.c_str(), 0700);
    const char* saved = getenv("XDG_RUNTIME_DIR");
    std::string savedRuntime = saved ? saved : "";
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProbeWndProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "CrossUserProbe";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "CrossUserProbe", "Probe", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    DWORD server = 0;
    ASSERT_EQ(DdeInitializeA(&server, AcceptingServer, 0, 0), DMLERR_NO_ERROR);
    ASSERT_TRUE(DdeNameService(server, DdeCreateStringHandleA(server, "PROGMAN", CP_WINANSI), nullptr, DNS_REGISTER));

    std::string folder = layer::PrefixRuntimeFolder();
    std::string socketPath = folder + "/" + std::to_string(getpid()) + ".sock";
    for (const std::string& path : {runtime, runtime + "/t98", folder, prefix_})
        chmod(path.c_str(), 0755);
    chmod(socketPath.c_str(), 0777);

    closeRequests = 0;
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(ProbeAsOtherUser(window, socketPath));
    int status = -1;
    ASSERT_TRUE(testing_ipc::WaitUntil([&] {
        layer::PumpEventSources(10);  // answer whatever arrives, as a message loop would
        return waitpid(child, &status, WNOHANG) == child;
    }));
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: window found, 2: DDE server reached, 4: socket answered, 64: no second user";
    EXPECT_EQ(closeRequests, 0);

    DdeUninitialize(server);
    DestroyWindow(window);
    if (saved) setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
