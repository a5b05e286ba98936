#include "tools/robot/robot_steps.h"

#include "platform/win32.h"
#include "tools/robot/screen_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kDialogClass[] = "VintInstall";
const char kMessageBoxClass[] = "#32770";
const int kMessageTextId = 0xFFFF;
const int kStartupBoxId = 103;
const int kFolderBoxId = 101;
const DWORD kPatienceMs = 30000;
const DWORD kPollMs = 20;

std::string lastScreen;  // what the last snapshot or wait-change saw

// Waits in real time even where Sleep is scaled down (a scale of 0 does not sleep).
void Pause(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) Sleep(milliseconds < kPollMs ? milliseconds : kPollMs);
}

// Polls until found() gives a window or the patience runs out.
template <typename Find>
HWND WaitFor(Find found, DWORD patienceMs = kPatienceMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = found()) return window;
        if (GetTickCount() - start >= patienceMs) return nullptr;
        Pause(kPollMs);
    }
}

HWND WaitForWindow(const char* windowClass) {
    return WaitFor([&] { return FindWindowA(windowClass, nullptr); });
}

// WM_GETTEXT rather than GetWindowTextA: for another process's control only the message gives its current text.
std::string TextOf(HWND window) {
    char text[1024] = "";
    if (window) SendMessageA(window, WM_GETTEXT, sizeof text, (LPARAM)text);
    return text;
}

HWND DialogItem(int id) {
    HWND dialog = WaitForWindow(kDialogClass);
    return dialog ? GetDlgItem(dialog, id) : nullptr;
}

int ControlId(const std::string& word) { return (int)std::strtol(word.c_str(), nullptr, 0); }

bool WaitWindow(const std::vector<std::string>& a) {
    if (!WaitForWindow(a[0].c_str())) return false;
    std::printf("window %s is up\n", a[0].c_str());
    return true;
}

bool WaitGone(const std::vector<std::string>& a) {
    DWORD start = GetTickCount();
    while (FindWindowA(a[0].c_str(), nullptr)) {
        if (GetTickCount() - start >= kPatienceMs) return false;
        Pause(kPollMs);
    }
    std::printf("window %s is gone\n", a[0].c_str());
    return true;
}

// As the window's close box would: the program decides what to do with it.
bool CloseWindow(const std::vector<std::string>& a) {
    HWND window = WaitForWindow(a[0].c_str());
    if (!window || !PostMessageA(window, WM_CLOSE, 0, 0)) return false;
    std::printf("asked %s to close\n", a[0].c_str());
    return true;
}

// A click as the button would report it; the installer looks only at the identifier.
bool Click(const std::vector<std::string>& a) {
    HWND dialog = WaitForWindow(kDialogClass);
    int id = ControlId(a[0]);
    if (!dialog || !PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id)))
        return false;
    std::printf("clicked %d\n", id);
    return true;
}

bool SetFolder(const std::vector<std::string>& a) {
    HWND folderBox = DialogItem(kFolderBoxId);
    if (!folderBox || !SendMessageA(folderBox, WM_SETTEXT, 0, (LPARAM)a[0].c_str())) return false;
    std::printf("folder box: \"%s\"\n", TextOf(folderBox).c_str());
    return true;
}

// Clicks the StartUp box only when its tick differs from the one asked for.
bool Startup(const std::vector<std::string>& a) {
    bool wanted = a[0] == "on";
    if (!wanted && a[0] != "off") return false;
    HWND box = DialogItem(kStartupBoxId);
    if (!box) return false;
    if ((SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) != wanted) SendMessageA(box, BM_CLICK, 0, 0);
    // The click may take effect after the message returns (it goes through the button's mouse handling).
    bool reached = WaitFor([&] { return (SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) == wanted ? box : nullptr; },
                           kPatienceMs / 10) != nullptr;
    bool ticked = reached ? wanted : !wanted;
    std::printf("StartUp box %s\n", ticked ? "ticked" : "clear");
    return reached;
}

int AnswerId(const std::string& word) {
    if (word == "yes") return IDYES;
    if (word == "no") return IDNO;
    if (word == "ok") return IDOK;
    return 0;
}

// Reads the box, checks its caption and that its text holds the fragment, then answers.
bool ExpectBox(const std::vector<std::string>& a) {
    int answer = AnswerId(a[1]);
    HWND box = answer ? WaitForWindow(kMessageBoxClass) : nullptr;
    if (!box) return false;
    std::string caption = TextOf(box);
    std::string text = TextOf(GetDlgItem(box, kMessageTextId));
    std::printf("box \"%s\": \"%s\" -> %s\n", caption.c_str(), text.c_str(), a[1].c_str());
    if (caption != a[0] || text.find(a[2]) == std::string::npos) {
        std::printf("  expected \"%s\" holding \"%s\"\n", a[0].c_str(), a[2].c_str());
        return false;
    }
    if (!PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), (LPARAM)GetDlgItem(box, answer))) return false;
    // The next step must not find this box again.
    DWORD start = GetTickCount();
    while (IsWindow(box)) {
        if (GetTickCount() - start >= kPatienceMs) return false;
        Pause(kPollMs);
    }
    return true;
}

bool NoBox(const std::vector<std::string>& a) {
    HWND box = WaitFor([] { return FindWindowA(kMessageBoxClass, nullptr); }, (DWORD)std::atol(a[0].c_str()));
    if (box) std::printf("unexpected box \"%s\": \"%s\"\n", TextOf(box).c_str(), TextOf(GetDlgItem(box, kMessageTextId)).c_str());
    return !box;
}

// Waits until the control's text is the one given (the installer answers only between its long steps).
bool ExpectText(const std::vector<std::string>& a) {
    int id = ControlId(a[0]);
    std::string text;
    bool matched = WaitFor([&]() -> HWND {
        HWND control = DialogItem(id);
        text = control ? TextOf(control) : "";
        return text == a[1] ? control : nullptr;
    }) != nullptr;
    std::printf("control %d: \"%s\"\n", id, text.c_str());
    return matched;
}

bool PrintText(const std::vector<std::string>& a) {
    HWND control = DialogItem(ControlId(a[0]));
    if (!control) return false;
    std::printf("control %s: \"%s\"\n", a[0].c_str(), TextOf(control).c_str());
    return true;
}

bool WaitChanges(const std::vector<std::string>& a) {
    int wanted = std::atoi(a[0].c_str());
    DWORD start = GetTickCount();
    std::string screen;
    for (int seen = 0; seen < wanted;) {
        if (ReadScreenFile(&screen) && screen != lastScreen) {
            lastScreen = screen;
            ++seen;
        } else if (GetTickCount() - start >= kPatienceMs) {
            return false;
        } else {
            Pause(kPollMs / 4);
        }
    }
    return true;
}

// Waits until the screen has stayed the same for the given time, so a picture shows finished painting.
bool WaitStill(const std::vector<std::string>& a) {
    DWORD quietMs = (DWORD)std::strtoul(a[0].c_str(), nullptr, 10);
    DWORD start = GetTickCount(), lastChange = start;
    std::string screen;
    for (;;) {
        if (ReadScreenFile(&screen) && screen != lastScreen) {
            lastScreen = screen;
            lastChange = GetTickCount();
        }
        if (!lastScreen.empty() && GetTickCount() - lastChange >= quietMs) return true;
        if (GetTickCount() - start >= kPatienceMs) return false;
        Pause(kPollMs);
    }
}

bool Snapshot(const std::vector<std::string>& a) {
    std::string screen;
    DWORD start = GetTickCount();
    while (!ReadScreenFile(&screen)) {
        if (GetTickCount() - start >= kPatienceMs) return false;
        Pause(kPollMs);
    }
    lastScreen = screen;
    if (!WriteWholeFile(a[0].c_str(), screen)) return false;
    std::printf("snapshot %s\n", a[0].c_str());
    return true;
}

bool SleepStep(const std::vector<std::string>& a) {
    Pause((DWORD)std::strtoul(a[0].c_str(), nullptr, 10));
    return true;
}

const RobotStep kSteps[] = {
    {"wait-window", 1, "CLASS", "a top-level window of the class is up", WaitWindow},
    {"wait-gone", 1, "CLASS", "no window of the class is left", WaitGone},
    {"close-window", 1, "CLASS", "a window of the class is sent WM_CLOSE", CloseWindow},
    {"click", 1, "ID", "the installer dialog gets WM_COMMAND for control ID", Click},
    {"set-folder", 1, "TEXT", "the folder box gets TEXT", SetFolder},
    {"startup", 1, "on|off", "the StartUp box is ticked or cleared (clicked when needed)", Startup},
    {"expect-box", 3, "CAPTION yes|no|ok TEXT", "a message box with that caption, its text holding TEXT, is answered", ExpectBox},
    {"no-box", 1, "MS", "no message box comes up within MS milliseconds", NoBox},
    {"expect-text", 2, "ID TEXT", "the dialog control's text becomes TEXT", ExpectText},
    {"print", 1, "ID", "prints the dialog control's text", PrintText},
    {"wait-changes", 1, "N", "the screen changes N times", WaitChanges},
    {"wait-still", 1, "MS", "the screen stays unchanged for MS milliseconds", WaitStill},
    {"snapshot", 1, "FILE", "the current screen is copied to FILE (PNG)", Snapshot},
    {"sleep", 1, "MS", "waits MS milliseconds of real time", SleepStep},
};

}  // namespace

const RobotStep* FindRobotStep(const std::string& name) {
    for (const RobotStep& step : kSteps)
        if (name == step.name) return &step;
    return nullptr;
}

void PrintRobotSteps() {
    for (const RobotStep& step : kSteps) std::fprintf(stderr, "  %-12s %-26s %s\n", step.name, step.arguments, step.meaning);
}
