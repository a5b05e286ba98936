// Drives the installer from outside, one step after another:
//
//   robot wait-window CLASS      a top-level window of the class appears (30 s at most)
//   robot wait-gone CLASS        no window of the class is left (30 s at most)
//   robot click ID               the installer dialog gets WM_COMMAND for control ID
//   robot set-folder TEXT        the folder box gets TEXT (WM_SETTEXT)
//   robot answer ID              a message box ("#32770") comes up and its button ID is pressed
//   robot snapshot FILE          $T98_SNAPSHOTS/screen.png is copied to FILE
//   robot sleep MS
//
// Steps can be chained in one call: robot wait-window VintInstall click 1 answer 6 ...
// The exit code is 0 when every step succeeded; the first failing step is named on stderr.
#include "platform/win32.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kDialogClass[] = "VintInstall";
const char kMessageBoxClass[] = "#32770";
const int kFolderBoxId = 101;
const DWORD kPatienceMs = 30000;
const DWORD kPollMs = 50;

// Waits in real time: the layer's Sleep follows the profile's time scale, which may be 0.
void Pause(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) Sleep(kPollMs);
}

// Polls for a window of the class; nullptr after the patience runs out.
HWND WaitForWindow(const char* windowClass) {
    DWORD start = GetTickCount();
    do {
        if (HWND window = FindWindowA(windowClass, nullptr)) return window;
        Pause(kPollMs);
    } while (GetTickCount() - start < kPatienceMs);
    return nullptr;
}

bool WaitUntilGone(const char* windowClass) {
    DWORD start = GetTickCount();
    do {
        if (!FindWindowA(windowClass, nullptr)) return true;
        Pause(kPollMs);
    } while (GetTickCount() - start < kPatienceMs);
    return false;
}

// A click as the control would report it; the installer looks only at the identifier.
bool PostClick(HWND window, int id) {
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(window, id)) != 0;
}

bool SetFolder(const char* text) {
    HWND dialog = WaitForWindow(kDialogClass);
    HWND folderBox = dialog ? GetDlgItem(dialog, kFolderBoxId) : nullptr;
    if (!folderBox) return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(folderBox, WM_SETTEXT, 0, (LPARAM)text, SMTO_ABORTIFHUNG, kPatienceMs, &result) &&
           result != 0;
}

bool Answer(int buttonId) {
    HWND box = WaitForWindow(kMessageBoxClass);
    if (!box) return false;
    char caption[256] = "";
    GetWindowTextA(box, caption, sizeof caption);
    std::printf("box \"%s\" answered %d\n", caption, buttonId);
    return PostClick(box, buttonId);
}

bool CopySnapshot(const char* target) {
    const char* folder = std::getenv("T98_SNAPSHOTS");
    if (!folder || !*folder) return false;
    std::string source = std::string(folder) + "/screen.png";
    FILE* in = std::fopen(source.c_str(), "rb");
    if (!in) return false;
    FILE* out = std::fopen(target, "wb");
    bool copied = out != nullptr;
    char buffer[65536];
    size_t length;
    while (copied && (length = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        copied = std::fwrite(buffer, 1, length, out) == length;
    std::fclose(in);
    if (out) copied = std::fclose(out) == 0 && copied;
    return copied;
}

// Runs the step at argv[*index] and moves *index past its argument.
bool RunStep(char** argv, int argc, int* index) {
    const std::string step = argv[*index];
    if (*index + 1 >= argc) return false;
    const char* argument = argv[++*index];
    ++*index;
    if (step == "wait-window") return WaitForWindow(argument) != nullptr;
    if (step == "wait-gone") return WaitUntilGone(argument);
    if (step == "click") {
        HWND dialog = WaitForWindow(kDialogClass);
        return dialog && PostClick(dialog, std::atoi(argument));
    }
    if (step == "set-folder") return SetFolder(argument);
    if (step == "answer") return Answer(std::atoi(argument));
    if (step == "snapshot") return CopySnapshot(argument);
    if (step == "sleep") {
        Pause((DWORD)std::strtoul(argument, nullptr, 10));
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: robot STEP ARGUMENT [STEP ARGUMENT ...]\n");
        return 2;
    }
    int index = 1;
    while (index < argc) {
        int stepAt = index;
        if (!RunStep(argv, argc, &index)) {
            std::fprintf(stderr, "robot: step %s %s failed\n", argv[stepAt], stepAt + 1 < argc ? argv[stepAt + 1] : "");
            return 1;
        }
    }
    return 0;
}
