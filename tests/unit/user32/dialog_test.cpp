#include "window_fixture.h"

#include "platform/gdi32/gdi_internal.h"
#include "platform/user32/dialog_template.h"

#include <algorithm>

#include <cstring>

namespace {

// Builds a classic DLGTEMPLATE in memory, as a resource compiler lays it out.
class TemplateBuilder {
public:
    TemplateBuilder(DWORD style, short x, short y, short cx, short cy, const char* className, const char* title) {
        DLGTEMPLATE t = {style, 0, 0, x, y, cx, cy};
        Append(&t, sizeof t);
        Word(0);  // no menu
        if (className) String(className); else Word(0);
        String(title);
        if (style & DS_SETFONT) {
            Word(8);
            String("MS Sans Serif");
        }
    }

    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const char* text) {
        while (bytes_.size() % 4) bytes_.push_back(0);
        DLGITEMTEMPLATE item = {style, 0, x, y, cx, cy, id};
        Append(&item, sizeof item);
        Word(0xFFFF);
        Word(classAtom);
        String(text);
        Word(0);  // no creation data
        ++bytes_[8];  // cdit
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }
    size_t Size() const { return bytes_.size(); }

private:
    void Append(const void* p, size_t n) {
        const BYTE* b = static_cast<const BYTE*>(p);
        bytes_.insert(bytes_.end(), b, b + n);
    }
    void Word(WORD w) { Append(&w, 2); }
    void String(const char* s) {
        for (; *s; ++s) Word(static_cast<unsigned char>(*s));
        Word(0);
    }
    std::vector<BYTE> bytes_;
};

constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;
std::vector<UINT> dialogProcSaw;
HWND focusAtInit = nullptr;

INT_PTR CALLBACK RecordingDialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    dialogProcSaw.push_back(message);
    if (message == WM_INITDIALOG) {
        focusAtInit = reinterpret_cast<HWND>(wParam);
        return lParam;  // the test chooses whether the system sets the focus
    }
    return FALSE;
}

class DialogTest : public WindowTest {
protected:
    TemplateBuilder InstallerLikeTemplate(const char* className) {
        TemplateBuilder t(WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK, 18, 15, 292, 201, className,
                          "Setup");
        t.Item(WS_CHILD | WS_VISIBLE | WS_GROUP, 76, 52, 253, 8, 110, kStatic, "Copyr");
        t.Item(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 77, 110, 187, 12, 101, kEdit, "");
        t.Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 77, 130, 173, 12, 103, kButton, "Box");
        t.Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP, 144, 177, 54, 16, IDOK, kButton, "Install >");
        return t;
    }

    void SetUp() override {
        WindowTest::SetUp();
        dialogProcSaw.clear();
        focusAtInit = nullptr;
    }
};

RECT ChildRectInParent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    POINT topLeft = {r.left, r.top};
    ScreenToClient(GetParent(child), &topLeft);
    return RECT{topLeft.x, topLeft.y, topLeft.x + r.right - r.left, topLeft.y + r.bottom - r.top};
}

TEST_F(DialogTest, ControlsArePlacedInPixelsFromDialogUnits) {
    TemplateBuilder t = InstallerLikeTemplate(nullptr);
    HWND dialog = CreateDialogIndirectParamA(nullptr, t.Get(), nullptr, RecordingDialogProc, TRUE);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog));  // no WS_VISIBLE in the template
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 438);   // 292 x 6 / 4
    EXPECT_EQ(client.bottom, 327);  // 201 x 13 / 8 = 326.6, rounded
    struct Expected {
        int id;
        RECT rect;
    };
    const Expected expected[] = {
        // Each of x, y, width and height is scaled and rounded on its own; halves round up.
        {110, {114, 85, 114 + 380, 85 + 13}},
        {101, {116, 179, 116 + 281, 179 + 20}},
        {103, {116, 211, 116 + 260, 211 + 20}},
        {IDOK, {216, 288, 216 + 81, 288 + 26}},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.id);
        HWND control = GetDlgItem(dialog, e.id);
        ASSERT_NE(control, nullptr);
        RECT r = ChildRectInParent(control);
        EXPECT_TRUE(EqualRect(&r, &e.rect)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        EXPECT_EQ(SendMessageA(control, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(layer::DialogFont()));
    }
    char text[32];
    EXPECT_EQ(GetDlgItemTextA(dialog, IDOK, text, sizeof text), 9u);
    EXPECT_STREQ(text, "Install >");
    RECT units = {4, 8, 8, 16};
    ASSERT_TRUE(MapDialogRect(dialog, &units));
    EXPECT_EQ(units.left, 6);
    EXPECT_EQ(units.top, 13);
    DestroyWindow(dialog);
}

TEST_F(DialogTest, InitDialogReturningTrueFocusesTheFirstTabStop) {
    TemplateBuilder t = InstallerLikeTemplate(nullptr);
    HWND dialog = CreateDialogIndirectParamA(nullptr, t.Get(), nullptr, RecordingDialogProc, TRUE);
    ASSERT_NE(dialog, nullptr);
    HWND edit = GetDlgItem(dialog, 101);
    EXPECT_EQ(focusAtInit, edit);
    EXPECT_EQ(GetFocus(), edit);  // already while the dialog is hidden
    ShowWindow(dialog, SW_SHOWNORMAL);
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(GetFocus(), edit);
    // WM_SETFONT before the controls, WM_INITDIALOG after them.
    ASSERT_FALSE(dialogProcSaw.empty());
    EXPECT_NE(std::find(dialogProcSaw.begin(), dialogProcSaw.end(), static_cast<UINT>(WM_INITDIALOG)),
              dialogProcSaw.end());
    DestroyWindow(dialog);

    HWND other = CreateDialogIndirectParamA(nullptr, t.Get(), nullptr, RecordingDialogProc, FALSE);
    ShowWindow(other, SW_SHOWNORMAL);
    EXPECT_EQ(GetFocus(), other);
    DestroyWindow(other);
}

TEST_F(DialogTest, ATemplateNamingAClassMakesAWindowOfThatClass) {
    TemplateBuilder t = InstallerLikeTemplate(kClass);
    HWND dialog = CreateDialogIndirectParamA(nullptr, t.Get(), nullptr, RecordingDialogProc, TRUE);
    ASSERT_NE(dialog, nullptr);
    char name[32];
    GetClassNameA(dialog, name, sizeof name);
    EXPECT_STREQ(name, kClass);
    // The class's own procedure gets WM_INITDIALOG, with the first tab stop and the init value.
    auto init = Received(WM_INITDIALOG, dialog);
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(init[0].wParam), GetDlgItem(dialog, 101));
    EXPECT_EQ(Received(WM_SETFONT, dialog).size(), 1u);
    char title[16];
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, "Setup");
    DestroyWindow(dialog);
}

TEST_F(DialogTest, DialogProcedureResultsAndDefaultColours) {
    static LRESULT answer = 0;
    struct Proc {
        static INT_PTR CALLBACK Answering(HWND dialog, UINT message, WPARAM, LPARAM) {
            if (message == WM_USER) {
                SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1234);
                return TRUE;
            }
            return message == WM_INITDIALOG;
        }
    };
    TemplateBuilder t(WS_POPUP | WS_CAPTION, 0, 0, 100, 50, nullptr, "Plain");
    HWND dialog = CreateDialogIndirectParamA(nullptr, t.Get(), nullptr, Proc::Answering, 0);
    ASSERT_NE(dialog, nullptr);
    answer = SendMessageA(dialog, WM_USER, 0, 0);
    EXPECT_EQ(answer, 1234);
    HDC hdc = GetDC(dialog);
    LRESULT brush = SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), 0);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(GetTextColor(hdc), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(GetBkColor(hdc), GetSysColor(COLOR_BTNFACE));
    SendMessageA(dialog, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hdc), 0);
    EXPECT_EQ(GetBkColor(hdc), GetSysColor(COLOR_WINDOW));
    ReleaseDC(dialog, hdc);
    DestroyWindow(dialog);
}

TEST_F(DialogTest, TruncatedTemplatesAreRefusedWithoutReadingPastTheirEnd) {
    TemplateBuilder t = InstallerLikeTemplate(nullptr);
    layer::DialogTemplate parsed;
    ASSERT_TRUE(layer::ParseDialogTemplate(t.Get(), t.Size(), &parsed));
    EXPECT_EQ(parsed.items.size(), 4u);
    EXPECT_EQ(parsed.face, "MS Sans Serif");
    EXPECT_EQ(parsed.items[1].className, "EDIT");
    // Every shorter copy, in a buffer of exactly its length, fails cleanly.
    for (size_t length = 0; length < t.Size(); ++length) {
        std::vector<BYTE> cut(reinterpret_cast<const BYTE*>(t.Get()), reinterpret_cast<const BYTE*>(t.Get()) + length);
        EXPECT_FALSE(layer::ParseDialogTemplate(cut.data(), cut.size(), &parsed)) << length;
    }
    EXPECT_EQ(CreateDialogParamA(nullptr, "NoSuchDialog", nullptr, RecordingDialogProc, 0), nullptr);
}

TEST_F(DialogTest, DialogKeysMoveTheFocusAndPressOkOrCancel) {
    static std::vector<WORD> commands;
    struct Proc {
        static INT_PTR CALLBACK Commands(HWND, UINT message, WPARAM wParam, LPARAM) {
            if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
            return message == WM_INITDIALOG;
        }
    };
    commands.clear();
    TemplateBuilder t = InstallerLikeTemplate(nullptr);
    HWND dialog = CreateDialogIndirectParamA(nullptr, t.Get(), nullptr, Proc::Commands, 0);
    ShowWindow(dialog, SW_SHOWNORMAL);
    HWND edit = GetDlgItem(dialog, 101), box = GetDlgItem(dialog, 103), ok = GetDlgItem(dialog, IDOK);
    ASSERT_EQ(GetFocus(), edit);
    auto press = [&](WPARAM key) {
        MSG msg = {GetFocus(), WM_KEYDOWN, key, 1, 0, {0, 0}};
        EXPECT_TRUE(IsDialogMessageA(dialog, &msg));
    };
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), box);
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), ok);
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), edit);  // round again, past the static that is no tab stop
    commands.clear();
    press(VK_RETURN);
    press(VK_ESCAPE);
    EXPECT_EQ(commands, (std::vector<WORD>{IDOK, IDCANCEL}));
    MSG elsewhere = {nullptr, WM_KEYDOWN, VK_TAB, 1, 0, {0, 0}};
    EXPECT_FALSE(IsDialogMessageA(dialog, &elsewhere));
    DestroyWindow(dialog);
}

TEST_F(DialogTest, ModalDialogFromTheResourceDisablesItsOwnerUntilEnded) {
    // The installer's template names its own class; here that class is a plain dialog class.
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.lpszClassName = "VintInstall";
    RegisterClassA(&wc);
    static HWND owner;
    static BOOL ownerEnabledWhileUp;
    static HWND modal;
    struct Proc {
        static INT_PTR CALLBACK EndsOnUser(HWND dialog, UINT message, WPARAM, LPARAM) {
            if (message == WM_INITDIALOG) {
                modal = dialog;
                PostMessageA(dialog, WM_USER, 0, 0);
                return TRUE;
            }
            if (message != WM_USER) return FALSE;
            ownerEnabledWhileUp = IsWindowEnabled(owner);
            EndDialog(dialog, 77);
            return TRUE;
        }
    };
    owner = Make(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    ownerEnabledWhileUp = TRUE;
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), "vintinstall", owner, Proc::EndsOnUser, 0), 77);
    EXPECT_FALSE(ownerEnabledWhileUp);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(modal));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), "NoSuchDialog", owner, Proc::EndsOnUser, 0), -1);
    UnregisterClassA("VintInstall", nullptr);
}

}  // namespace
