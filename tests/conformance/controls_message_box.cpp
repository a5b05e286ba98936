// MessageBoxA as a program in another process sees it: a "#32770" window with
// the message in static 0xFFFF and buttons with the standard identifiers,
// answered by WM_COMMAND, its owner disabled meanwhile. The checks run inside
// the box's own modal loop, from a message posted before the box was shown.
#include "conformance/check.h"
#include "platform/win32.h"
#include "support/test_window_class.h"

#include <string>

namespace {

constexpr UINT kInspect = WM_USER + 7;
constexpr char kCaption[] = "Installer Query";
constexpr char kText[] = "You Are Upgrading a Previously Installed Copy of Tesmara - Continue?";

struct Inspection {
    HWND owner = nullptr;
    bool found = false;
    bool ownerEnabled = true;
    std::string className, text, yes, no;
    bool hasCancel = true;
    void (*answer)(HWND box) = nullptr;
};
Inspection g_inspection;

std::string TextOf(HWND hwnd) {
    char buffer[300] = {};
    if (hwnd) GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kInspect) return DefWindowProcA(hwnd, message, wParam, lParam);
    Inspection& seen = g_inspection;
    HWND box = FindWindowA("#32770", kCaption);
    seen.found = box != nullptr;
    if (!box) return 0;
    seen.ownerEnabled = IsWindowEnabled(seen.owner) != FALSE;
    char buffer[300] = {};
    GetClassNameA(box, buffer, sizeof buffer);
    seen.className = buffer;
    GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
    seen.text = buffer;
    seen.yes = TextOf(GetDlgItem(box, IDYES));
    seen.no = TextOf(GetDlgItem(box, IDNO));
    seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
    seen.answer(box);
    return 0;
}

HWND MakeOwner() {
    RegisterTestWindowClass("ConformanceBoxOwner", OwnerProc);
    return CreateWindowExA(0, "ConformanceBoxOwner", "Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 300, 200,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Shows a box owned by a fresh window; answer runs while it is up.
int ShowAndAnswer(UINT type, void (*answer)(HWND box)) {
    HWND owner = MakeOwner();
    g_inspection = Inspection();
    g_inspection.owner = owner;
    g_inspection.answer = answer;
    PostMessageA(owner, kInspect, 0, 0);
    int result = MessageBoxA(owner, kText, kCaption, type);
    CHECK(IsWindowEnabled(owner));
    DestroyWindow(owner);
    return result;
}

void PostKey(HWND box, WPARAM key) {
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : box, WM_KEYDOWN, key, 0);
}

}  // namespace

CONFORMANCE_TEST(MessageBoxIsADialogARobotCanReadAndAnswer) {
    int result = ShowAndAnswer(MB_YESNO | MB_ICONQUESTION, [](HWND box) { PostMessageA(box, WM_COMMAND, IDNO, 0); });
    CHECK_EQ(result, IDNO);
    CHECK(g_inspection.found);
    CHECK(!g_inspection.ownerEnabled);
    CHECK_EQ(g_inspection.className, std::string("#32770"));
    CHECK_EQ(g_inspection.text, std::string(kText));
    CHECK_EQ(g_inspection.yes, std::string("&Yes"));
    CHECK_EQ(g_inspection.no, std::string("&No"));
    CHECK(!g_inspection.hasCancel);
}

CONFORMANCE_TEST(MessageBoxKeys) {
    // Escape cancels an OK/Cancel box before the posted OK arrives.
    int result = ShowAndAnswer(MB_OKCANCEL, [](HWND box) {
        PostKey(box, VK_ESCAPE);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    CHECK_EQ(result, IDCANCEL);
    // Escape on a Yes/No box is left out: Windows documents that it has no effect
    // there, Wine answers IDCANCEL, a button the box does not have.
    // Enter presses the first button.
    result = ShowAndAnswer(MB_YESNO, [](HWND box) {
        PostKey(box, VK_RETURN);
        PostMessageA(box, WM_COMMAND, IDNO, 0);
    });
    CHECK_EQ(result, IDYES);
}
