// Copies one large file with CopyFileA and with cp(1), taking turns at going
// first, in one run, and prints the throughput of each and their ratio (goal:
// CopyFileA at least 0.9 of cp).
//   copy_file_bench [size in MiB, default 1024] [rounds, default 7] [folder, default /var/tmp]
#include "platform/kernel32/profile.h"
#include "platform/win32.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double Seconds(const std::chrono::steady_clock::time_point& start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool WriteSourceFile(const std::string& path, size_t mebibytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::vector<unsigned char> block(1 << 20);
    uint32_t state = 12345;
    for (size_t m = 0; m < mebibytes; ++m) {
        for (auto& byte : block) byte = static_cast<unsigned char>((state = state * 1103515245u + 12345u) >> 24);
        if (std::fwrite(block.data(), 1, block.size(), file) != block.size()) return std::fclose(file), false;
    }
    return std::fclose(file) == 0;
}

double TimeCp(const std::string& from, const std::string& to) {
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        execlp("cp", "cp", from.c_str(), to.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    double seconds = Seconds(start);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

double TimeCopyFileA(const char* from, const char* to) {
    auto start = std::chrono::steady_clock::now();
    BOOL copied = CopyFileA(from, to, FALSE);
    double seconds = Seconds(start);
    return copied ? seconds : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    size_t mebibytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1024;
    int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
    if (mebibytes == 0 || rounds <= 0) {
        std::fprintf(stderr, "usage: copy_file_bench [MiB] [rounds] [folder]\n");
        return 2;
    }
    std::string folderTemplate = std::string(argc > 3 ? argv[3] : "/var/tmp") + "/t98-bench-XXXXXX";
    char* folder = &folderTemplate[0];
    if (!mkdtemp(folder)) {
        std::fprintf(stderr, "cannot make a folder in %s\n", argc > 3 ? argv[3] : "/var/tmp");
        return 1;
    }
    layer::Profile profile = layer::CurrentProfile();
    profile.prefix = folder;
    layer::SetProfile(profile);
    std::string driveC = std::string(folder) + "/drive_c";
    std::filesystem::create_directories(driveC);
    std::string source = driveC + "/source.bin";
    if (!WriteSourceFile(source, mebibytes)) {
        std::fprintf(stderr, "cannot write %s\n", source.c_str());
        return 1;
    }

    std::vector<double> cpTimes, copyFileTimes;
    for (int round = 0; round < rounds; ++round) {
        // Both copy into a target that does not exist yet, in alternating order.
        std::filesystem::remove(driveC + "/cp.bin");
        std::filesystem::remove(driveC + "/copyfile.bin");
        double cp, copyFile;
        sync();
        if (round % 2 == 0) {
            cp = TimeCp(source, driveC + "/cp.bin");
            sync();
            copyFile = TimeCopyFileA("C:\\source.bin", "C:\\copyfile.bin");
        } else {
            copyFile = TimeCopyFileA("C:\\source.bin", "C:\\copyfile.bin");
            sync();
            cp = TimeCp(source, driveC + "/cp.bin");
        }
        if (cp < 0 || copyFile < 0) {
            std::fprintf(stderr, "a copy failed (cp %.3f s, CopyFileA %.3f s, error %u)\n", cp, copyFile,
                         GetLastError());
            std::filesystem::remove_all(folder);
            return 1;
        }
        cpTimes.push_back(cp);
        copyFileTimes.push_back(copyFile);
        std::printf("round %d: cp %.3f s, CopyFileA %.3f s\n", round + 1, cp, copyFile);
    }
    double cpRate = mebibytes / Median(cpTimes), copyFileRate = mebibytes / Median(copyFileTimes);
    std::printf("%zu MiB, median of %d rounds: cp %.0f MiB/s, CopyFileA %.0f MiB/s, ratio CopyFileA/cp %.2f\n",
                mebibytes, rounds, cpRate, copyFileRate, copyFileRate / cpRate);
    std::filesystem::remove_all(folder);
    return 0;
}
