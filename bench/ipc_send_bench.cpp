// What a message to another process's window costs against one to a window
// of this process: SendMessageA of WM_NULL each way, and FindWindowA of a
// window of another process. The other process is the Tesmara.exe stand-in.
#include "platform/kernel32/profile.h"
#include "platform/win32.h"

#include <benchmark/benchmark.h>

#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }

namespace {

std::string StandinPath() {
    char self[4096];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path(self, length > 0 ? length : 0);
    return path.substr(0, path.rfind("/bench/")) + "/tools/standins/Tesmara.exe";
}

struct Windows {
    HWND local = nullptr;
    HWND remote = nullptr;
    pid_t standin = 0;
    std::string prefix;

    Windows() {
        char folder[] = "/tmp/t98-ipc-bench-XXXXXX";
        prefix = mkdtemp(folder);
        layer::Profile profile = layer::CurrentProfile();
        profile.prefix = prefix;
        profile.display = "headless";
        layer::SetProfile(profile);
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "BenchLocal";
        RegisterClassA(&wc);
        local = CreateWindowExA(0, "BenchLocal", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
        std::string program = StandinPath();
        std::string prefixSetting = "T98_PREFIX=" + prefix;
        char* argv[] = {&program[0], nullptr};
        char* envp[] = {&prefixSetting[0], const_cast<char*>("T98_DISPLAY=headless"), nullptr};
        posix_spawn(&standin, program.c_str(), nullptr, nullptr, argv, envp);
        for (int i = 0; i < 500 && !remote; ++i) {
            remote = FindWindowA("VintTesmara", nullptr);
            if (!remote) usleep(10000);
        }
    }
    ~Windows() {
        kill(standin, SIGKILL);
        waitpid(standin, nullptr, 0);
        std::string command = "rm -rf '" + prefix + "'";
        if (system(command.c_str()) != 0) return;
    }
};

Windows& TheWindows() {
    static Windows windows;
    return windows;
}

void BM_SendToThisProcess(benchmark::State& state) {
    HWND window = TheWindows().local;
    for (auto _ : state) benchmark::DoNotOptimize(SendMessageA(window, WM_NULL, 0, 0));
}
BENCHMARK(BM_SendToThisProcess);

void BM_SendToAnotherProcess(benchmark::State& state) {
    HWND window = TheWindows().remote;
    if (!window) state.SkipWithError("the stand-in did not start");
    for (auto _ : state) benchmark::DoNotOptimize(SendMessageA(window, WM_NULL, 0, 0));
}
BENCHMARK(BM_SendToAnotherProcess);

void BM_FindWindowOfAnotherProcess(benchmark::State& state) {
    TheWindows();
    for (auto _ : state) benchmark::DoNotOptimize(FindWindowA("VintTesmara", nullptr));
}
BENCHMARK(BM_FindWindowOfAnotherProcess);

}  // namespace

BENCHMARK_MAIN();
