// Whole installs against `cp -r` of the same product folder, side by side in
// one run, with the pauses scaled to zero; and the installer's start-up to its
// first complete frame and its peak memory beside a minimal program on the layer.
//
//   install_bench [rounds=5]      (T98_BUILD_DIR: the build folder, default the current one)
//
// Each round, in a fresh prefix: cp -r of the product folder; a whole run
// (start, Install, Finish, exit) driven by the robot; a run that starts, waits
// for a still screen and is cancelled. The install itself is the whole run less
// a run cancelled at once, so start-up and shutdown count on neither side.
#include "scenarios/child_process.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const int kTimeoutMs = 60000;

std::string BuildDir() {
    // Absolute: the children start in folders of their own.
    const char* dir = std::getenv("T98_BUILD_DIR");
    return fs::absolute(dir ? dir : ".").string();
}

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Round {
    std::string root, prefix, disk, frames;
    std::vector<pid_t> helpers;

    explicit Round(const std::string& base) {
        char pattern[4096];
        std::snprintf(pattern, sizeof pattern, "%s/t98-bench.XXXXXX", base.c_str());
        root = mkdtemp(pattern);
        prefix = root + "/prefix";
        disk = prefix + "/drive_c/Disk1";
        frames = root + "/frames";
        fs::create_directories(frames);
        fs::create_directories(disk);
        for (const fs::directory_entry& entry : fs::directory_iterator(BuildDir() + "/sample-product"))
            fs::copy(entry.path(), disk + "/" + entry.path().filename().string());
    }
    ~Round() {
        EndProcessesUnder(prefix);
        for (pid_t pid : helpers) EndChild(pid);
        fs::remove_all(root);
    }

    // Snapshots (a PNG written at every screen change) only where the screen is watched.
    std::map<std::string, std::string> Profile(const std::string& timeScale, bool snapshots = false) const {
        return {{"T98_PREFIX", prefix}, {"T98_DISPLAY", "headless"}, {"T98_TIME_SCALE", timeScale},
                {"T98_SNAPSHOTS", snapshots ? frames : ""}};
    }

    void StartProgman() {
        std::string log = root + "/progman.log";
        helpers.push_back(StartChild({{BuildDir() + "/tools/progman/progman"}, Profile("1"), root, "", log}));
        for (int waited = 0; waited < 1000; ++waited) {
            std::ifstream in(log);
            std::string line;
            if (std::getline(in, line) && line.find("serving") != std::string::npos) return;
            usleep(10000);
        }
    }

    pid_t StartRobot(const std::string& script) {
        std::string file = root + "/robot.script";
        std::ofstream(file) << script;
        helpers.push_back(StartChild({{BuildDir() + "/tools/robot/robot", "-"}, Profile(""), root, file, ""}));
        return helpers.back();
    }

    pid_t StartProgram(const std::string& path, bool snapshots = false) {
        return StartChild({{path}, Profile("0", snapshots), disk, "", root + "/program.log"});
    }

    // The installer's time from start to exit while the robot runs the script.
    double TimedRun(const std::string& script, rusage* usage = nullptr) {
        Clock::time_point start = Clock::now();
        pid_t installer = StartProgram(disk + "/setup");
        pid_t robot = StartRobot(script);
        int code = WaitChild(installer, kTimeoutMs, usage);
        double elapsed = MillisecondsSince(start);
        if (code != 0 || WaitChild(robot, kTimeoutMs) != 0) std::fprintf(stderr, "install_bench: a run failed\n");
        EndProcessesUnder(prefix);  // the taskbar program Finish started
        return elapsed;
    }

    double TimedCopy() {
        Clock::time_point start = Clock::now();
        WaitChild(StartChild({{"/bin/cp", "-r", disk, prefix + "/drive_c/CpCopy"}, {}, root, "", ""}), kTimeoutMs);
        return MillisecondsSince(start);
    }

    // Start-up to the last screen change before the screen stays still for a second.
    double FirstCompleteFrame(rusage* usage) {
        std::string screen = frames + "/screen.png";
        fs::remove(screen);
        Clock::time_point start = Clock::now();
        pid_t installer = StartProgram(disk + "/setup", true);
        double lastChange = -1;
        struct stat last = {};
        while (lastChange < 0 || MillisecondsSince(start) - lastChange < 1000) {
            struct stat now;
            if (stat(screen.c_str(), &now) == 0 && (now.st_ino != last.st_ino || now.st_mtim.tv_nsec != last.st_mtim.tv_nsec)) {
                last = now;
                lastChange = MillisecondsSince(start);
            }
            if (MillisecondsSince(start) > kTimeoutMs) break;
            usleep(1000);
        }
        pid_t robot = StartRobot("wait-window VintInstall\nclick 109\n");
        WaitChild(installer, kTimeoutMs, usage);
        WaitChild(robot, kTimeoutMs);
        return lastChange;
    }

    // A minimal program on the layer (the taskbar stand-in: one window), for its peak memory.
    long MinimalProgramPeakKb() {
        rusage usage = {};
        pid_t program = StartProgram(disk + "/Tesmara.exe");
        pid_t robot = StartRobot("wait-window VintTesmara\nclose-window VintTesmara\n");
        WaitChild(program, kTimeoutMs, &usage);
        WaitChild(robot, kTimeoutMs);
        return usage.ru_maxrss;
    }
};

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    if (rounds < 1 || !fs::is_regular_file(BuildDir() + "/sample-product/setup")) {
        std::fprintf(stderr, "usage: install_bench [rounds]; build sample_product, progman and robot first, "
                             "and run it from the build folder or set T98_BUILD_DIR\n");
        return 2;
    }
    const std::string base = fs::temp_directory_path().string();
    const char kWholeRun[] = "wait-window VintInstall\nclick 1\nexpect-text 109 Finish\nclick 109\n";
    const char kCancelledRun[] = "wait-window VintInstall\nclick 109\n";
    std::vector<double> copies, wholeRuns, cancelledRuns, installs, frames;
    std::vector<double> setupPeakKb, minimalPeakKb;
    std::printf("round   cp -r  whole run  cancelled  install  first frame  (ms)\n");
    for (int i = 0; i < rounds; ++i) {
        Round round(base);
        round.StartProgman();
        rusage usage = {};
        double copy = round.TimedCopy();
        double whole = round.TimedRun(kWholeRun);
        double cancelled = round.TimedRun(kCancelledRun);
        double frame = round.FirstCompleteFrame(&usage);
        copies.push_back(copy);
        wholeRuns.push_back(whole);
        cancelledRuns.push_back(cancelled);
        installs.push_back(whole - cancelled);
        frames.push_back(frame);
        setupPeakKb.push_back(usage.ru_maxrss);
        minimalPeakKb.push_back(round.MinimalProgramPeakKb());
        std::printf("%5d %7.1f %10.1f %10.1f %8.1f %12.1f\n", i + 1, copy, whole, cancelled, whole - cancelled, frame);
    }
    std::printf("\nmedians: cp -r %.1f ms, whole run %.1f ms, cancelled run %.1f ms\n", Median(copies),
                Median(wholeRuns), Median(cancelledRuns));
    std::printf("install (whole run less cancelled run) / cp -r: %.2f (goal at most 1.5)\n",
                Median(installs) / Median(copies));
    std::printf("start-up to first complete frame: %.1f ms\n", Median(frames));
    std::printf("peak memory: installer %.0f KiB, minimal program on the layer %.0f KiB, ratio %.2f\n",
                Median(setupPeakKb), Median(minimalPeakKb), Median(setupPeakKb) / Median(minimalPeakKb));
    return 0;
}
