#include "platform/ipc/ipc.h"
#include "platform/ipc/published_entries.h"
#include "platform/win32.h"
#include "unit/ipc/ipc_fixture.h"

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using testing_ipc::StandinPath;
using testing_ipc::WaitUntil;

namespace {

class RemoteWindowsTest : public IpcTest {
protected:
    // Starts a stand-in and waits until its window can be found.
    pid_t StartStandin(const char* program, const char* windowClass, const char* behaviour = nullptr) {
        pid_t pid = children_.Start(StandinPath(program), behaviour ? std::vector<std::string>{behaviour}
                                                                    : std::vector<std::string>{});
        EXPECT_NE(pid, 0);
        EXPECT_TRUE(WaitUntil([&] { return WindowOf(windowClass, pid) != nullptr; })) << program;
        return pid;
    }

    static HWND WindowOf(const char* windowClass, pid_t pid) {
        HWND window = FindWindowA(windowClass, nullptr);
        DWORD owner = 0;
        if (window) GetWindowThreadProcessId(window, &owner);
        return window && static_cast<pid_t>(owner) == pid ? window : nullptr;
    }
};

TEST_F(RemoteWindowsTest, AWindowOfAnotherProcessIsFoundByClassOrTitleAndClosesOnWmClose) {
    pid_t pid = StartStandin("Tesmara.exe", "VintTesmara");
    HWND window = FindWindowA("vinttesmara", nullptr);  // class names ignore letter case
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "Tesmara 98"), window);
    EXPECT_EQ(FindWindowA("VintTesmara", "Tesmara 98"), window);
    EXPECT_EQ(FindWindowA("VintTesmara", "Another title"), nullptr);
    EXPECT_EQ(FindWindowA("TTesmForm", nullptr), nullptr);

    char title[64] = {};
    EXPECT_EQ(SendMessageA(window, WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title)), 10);
    EXPECT_STREQ(title, "Tesmara 98");
    char shortTitle[5] = {};
    SendMessageA(window, WM_GETTEXT, sizeof shortTitle, reinterpret_cast<LPARAM>(shortTitle));
    EXPECT_STREQ(shortTitle, "Tesm");  // cut to the caller's buffer

    EXPECT_TRUE(layer::IpcRemoteWindowExists(window));
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(layer::IpcRemoteWindowExists(window));  // gone by the time the answer arrives
    EXPECT_TRUE(children_.Exited(pid));
    EXPECT_EQ(FindWindowA("VintTesmara", nullptr), nullptr);
}

TEST_F(RemoteWindowsTest, PostedCloseIsHandledFromTheTargetsOwnLoop) {
    pid_t pid = StartStandin("Tesm.exe", "TTesmForm");
    EXPECT_TRUE(PostMessageA(FindWindowA("TTesmForm", nullptr), WM_CLOSE, 0, 0));
    EXPECT_TRUE(children_.Exited(pid));
}

TEST_F(RemoteWindowsTest, WindowsOfAKilledProcessAreNotFound) {
    pid_t pid = StartStandin("Tesmara.exe", "VintTesmara");
    kill(pid, SIGKILL);
    ASSERT_TRUE(children_.Exited(pid));
    EXPECT_EQ(FindWindowA("VintTesmara", nullptr), nullptr);
    EXPECT_TRUE(layer::ListEntries("windows").empty());  // its record is swept away
}

TEST_F(RemoteWindowsTest, ARefusingWindowStaysAndAHungOneCostsOnlyTheTimeout) {
    StartStandin("Tesmara.exe", "VintTesmara", "refuse");
    HWND refusing = FindWindowA("VintTesmara", nullptr);
    DWORD_PTR answer = 1;
    EXPECT_NE(SendMessageTimeoutA(refusing, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
    EXPECT_EQ(answer, 0u);
    EXPECT_EQ(FindWindowA("VintTesmara", nullptr), refusing);

    for (const char* behaviour : {"hang", "stall"}) {
        pid_t pid = StartStandin("Tesm.exe", "TTesmForm", behaviour);
        HWND hung = WindowOf("TTesmForm", pid);
        auto start = std::chrono::steady_clock::now();
        SetLastError(0);
        EXPECT_EQ(SendMessageTimeoutA(hung, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 300, &answer), 0) << behaviour;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT)) << behaviour;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << behaviour;
        kill(pid, SIGKILL);
        children_.Exited(pid);
    }
}

// The child's window answers WM_USER by asking the window named in wParam, in the parent, for a number.
LRESULT CALLBACK EchoBackProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) return SendMessageA(reinterpret_cast<HWND>(wParam), WM_USER + 1, 0, 0) + 1;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK AnswerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_USER + 1 ? 41 : DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND OpenWindow(const char* className, WNDPROC proc) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, className, className, WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                           nullptr);
}

TEST_F(RemoteWindowsTest, AProcessWaitingForAnAnswerAnswersWhatIsSentToIt) {
    HWND asker = OpenWindow("IpcAsker", AnswerProc);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        OpenWindow("IpcEchoBack", EchoBackProc);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        _exit(0);
    }
    HWND echo = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (echo = FindWindowA("IpcEchoBack", nullptr)) != nullptr; }));
    DWORD_PTR result = 0;
    auto start = std::chrono::steady_clock::now();
    EXPECT_NE(SendMessageTimeoutA(echo, WM_USER, reinterpret_cast<WPARAM>(asker), 0, SMTO_NORMAL, 5000, &result), 0);
    EXPECT_EQ(result, 42u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    DestroyWindow(asker);
}

TEST_F(RemoteWindowsTest, MessagesWithPointersDoNotCrossProcesses) {
    StartStandin("Tesmara.exe", "VintTesmara");
    HWND window = FindWindowA("VintTesmara", nullptr);
    RECT rect = {};
    // WM_WINDOWPOSCHANGED carries a pointer the other process could not read.
    EXPECT_FALSE(PostMessageA(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(FindWindowA("VintTesmara", nullptr), window);
}

}  // namespace
