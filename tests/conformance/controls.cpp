// The standard controls and user32's drawing helpers as the installer relies on
// them: notifications and their order, colour queries, clicks, text limits, edges.
#include "conformance/check.h"
#include "conformance/gdi_fixtures.h"
#include "platform/win32.h"
#include "support/test_window_class.h"

#include <cstring>
#include <vector>

namespace {

struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Seen>& SeenByHost() {
    static std::vector<Seen> seen;
    return seen;
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN ||
        message == WM_CTLCOLOREDIT)
        SeenByHost().push_back({message, wParam, lParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A visible top-level window that records what its controls send it.
struct Host {
    HWND hwnd;
    Host() {
        RegisterTestWindowClass("ConformanceControlHost", HostProc);
        hwnd = CreateWindowExA(0, "ConformanceControlHost", "Controls", WS_POPUP | WS_CAPTION | WS_VISIBLE, 50, 50,
                               400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SeenByHost().clear();
    }
    ~Host() { DestroyWindow(hwnd); }
    HWND Add(const char* className, const char* text, DWORD style, int width, int id) {
        return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, 20, hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                               nullptr);
    }
};

std::vector<WORD> CodesFrom(int id) {
    std::vector<WORD> codes;
    for (const Seen& s : SeenByHost())
        if (s.message == WM_COMMAND && LOWORD(s.wParam) == id) codes.push_back(HIWORD(s.wParam));
    return codes;
}

bool AskedColour(UINT message, HWND control) {
    for (const Seen& s : SeenByHost())
        if (s.message == message && reinterpret_cast<HWND>(s.lParam) == control) return true;
    return false;
}

}  // namespace

CONFORMANCE_TEST(ControlsCheckBoxAsksForStaticColoursPushButtonForButtonColours) {
    Host host;
    HWND check = host.Add("BUTTON", "Tick", BS_AUTOCHECKBOX, 120, 103);
    HWND push = host.Add("BUTTON", "Push", BS_PUSHBUTTON, 120, 111);
    HWND text = host.Add("STATIC", "Text", SS_LEFT, 120, 112);
    UpdateWindow(host.hwnd);
    UpdateWindow(check);
    UpdateWindow(push);
    UpdateWindow(text);
    CHECK(AskedColour(WM_CTLCOLORSTATIC, check));
    CHECK(!AskedColour(WM_CTLCOLORBTN, check));
    CHECK(AskedColour(WM_CTLCOLORBTN, push));
    CHECK(AskedColour(WM_CTLCOLORSTATIC, text));
}

CONFORMANCE_TEST(ControlsButtonClicks) {
    Host host;
    HWND check = host.Add("BUTTON", "Tick", BS_AUTOCHECKBOX, 120, 103);
    SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
    CHECK_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
    CHECK_EQ(CodesFrom(103).size(), static_cast<size_t>(0));  // setting by program is silent

    SendMessageA(check, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    CHECK_EQ(CodesFrom(103).size(), static_cast<size_t>(0));
    SendMessageA(check, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    CHECK_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
    CHECK_EQ(CodesFrom(103).size(), static_cast<size_t>(1));

    HWND push = host.Add("BUTTON", "Push", BS_PUSHBUTTON, 120, 111);
    SendMessageA(push, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(push, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));  // released outside
    CHECK_EQ(CodesFrom(111).size(), static_cast<size_t>(0));
    SendMessageA(push, BM_CLICK, 0, 0);
    CHECK_EQ(CodesFrom(111).size(), static_cast<size_t>(1));
    // BM_CLICK is the program's own request, not input: a disabled button clicks too.
    EnableWindow(push, FALSE);
    SendMessageA(push, BM_CLICK, 0, 0);
    CHECK_EQ(CodesFrom(111).size(), static_cast<size_t>(2));
}

CONFORMANCE_TEST(ControlsEditNotifiesUpdateThenChangeOnSetText) {
    Host host;
    HWND edit = host.Add("EDIT", "", WS_BORDER, 187, 101);
    SeenByHost().clear();
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\Program Files"));
    std::vector<WORD> codes = CodesFrom(101);
    CHECK_EQ(codes.size(), static_cast<size_t>(2));
    if (codes.size() == 2) {
        CHECK_EQ(codes[0], static_cast<WORD>(EN_UPDATE));
        CHECK_EQ(codes[1], static_cast<WORD>(EN_CHANGE));
    }
    DWORD start = 99, end = 99;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    CHECK_EQ(start, static_cast<DWORD>(0));
    CHECK_EQ(end, static_cast<DWORD>(0));
}

CONFORMANCE_TEST(ControlsEditGetTextTruncatesAndSelectionOrders) {
    Host host;
    HWND edit = host.Add("EDIT", "abcdef", WS_BORDER, 187, 101);
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    CHECK_EQ(SendMessageA(edit, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)), static_cast<LRESULT>(3));
    CHECK_EQ(std::string(buffer), std::string("abc"));
    CHECK_EQ(buffer[4], '#');
    char untouched = '#';
    CHECK_EQ(SendMessageA(edit, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&untouched)), static_cast<LRESULT>(0));
    CHECK_EQ(untouched, '#');

    SendMessageA(edit, EM_SETSEL, 4, 1);
    DWORD start = 99, end = 99;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    CHECK_EQ(start, static_cast<DWORD>(1));
    CHECK_EQ(end, static_cast<DWORD>(4));
    SendMessageA(edit, WM_CHAR, 'X', 0);
    GetWindowTextA(edit, buffer, sizeof buffer);
    CHECK_EQ(std::string(buffer), std::string("aXef"));
}

CONFORMANCE_TEST(ControlsEditRefusesTypingPastItsWidthWithoutAutoScroll) {
    Host host;
    HWND narrow = host.Add("EDIT", "", WS_BORDER, 60, 101);
    HWND scrolling = host.Add("EDIT", "", WS_BORDER | ES_AUTOHSCROLL, 60, 102);
    for (int i = 0; i < 40; ++i) {
        SendMessageA(narrow, WM_CHAR, 'W', 0);
        SendMessageA(scrolling, WM_CHAR, 'W', 0);
    }
    const int typed = GetWindowTextLengthA(narrow);
    CHECK(typed > 0);
    CHECK(typed < 40);
    CHECK_EQ(GetWindowTextLengthA(scrolling), 40);
    std::vector<WORD> codes = CodesFrom(101);
    bool toldMaxText = false;
    for (WORD code : codes) toldMaxText |= code == EN_MAXTEXT;
    CHECK(toldMaxText);

    // The program's own text is not held to the width.
    const std::string longText(60, 'W');
    SetWindowTextA(narrow, longText.c_str());
    CHECK_EQ(GetWindowTextLengthA(narrow), 60);
}

CONFORMANCE_TEST(ControlsDrawEdgeCornersAndFillRectBrushes) {
    gdi_conformance::Canvas canvas(20, 20);
    RECT rect = {0, 0, 10, 10};
    CHECK(DrawEdge(canvas.dc, &rect, EDGE_RAISED, BF_RECT | BF_ADJUST));
    CHECK_EQ(rect.left, 2L);
    CHECK_EQ(rect.bottom, 8L);
    CHECK_EQ(canvas.At(0, 0), GetSysColor(COLOR_3DLIGHT));
    CHECK_EQ(canvas.At(8, 0), GetSysColor(COLOR_3DLIGHT));
    CHECK_EQ(canvas.At(9, 0), GetSysColor(COLOR_3DDKSHADOW));
    CHECK_EQ(canvas.At(0, 9), GetSysColor(COLOR_3DDKSHADOW));
    CHECK_EQ(canvas.At(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    CHECK_EQ(canvas.At(8, 1), GetSysColor(COLOR_BTNSHADOW));
    CHECK_EQ(canvas.At(5, 5), RGB(255, 255, 255));

    RECT soft = {10, 0, 20, 10};
    DrawEdge(canvas.dc, &soft, EDGE_RAISED, BF_RECT | BF_SOFT);
    CHECK_EQ(canvas.At(10, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    CHECK_EQ(canvas.At(11, 1), GetSysColor(COLOR_3DLIGHT));

    RECT etched = {0, 12, 10, 14};
    DrawEdge(canvas.dc, &etched, EDGE_ETCHED, BF_TOP | BF_BOTTOM);
    CHECK_EQ(canvas.At(0, 12), GetSysColor(COLOR_BTNSHADOW));
    CHECK_EQ(canvas.At(9, 12), GetSysColor(COLOR_BTNSHADOW));
    CHECK_EQ(canvas.At(0, 13), GetSysColor(COLOR_BTNHIGHLIGHT));

    RECT fill = {12, 12, 16, 16};
    CHECK(FillRect(canvas.dc, &fill, reinterpret_cast<HBRUSH>(COLOR_BTNSHADOW + 1)) != 0);
    CHECK_EQ(canvas.At(12, 12), GetSysColor(COLOR_BTNSHADOW));
    CHECK_EQ(canvas.At(16, 16), RGB(255, 255, 255));
    // An inverted rectangle fills from its far edge, exclusive, to its near edge, inclusive.
    RECT inverted = {19, 19, 17, 17};
    FillRect(canvas.dc, &inverted, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    CHECK_EQ(canvas.At(17, 17), RGB(255, 255, 255));
    CHECK_EQ(canvas.At(18, 18), RGB(0, 0, 0));
    CHECK_EQ(canvas.At(19, 19), RGB(0, 0, 0));
}

CONFORMANCE_TEST(ControlsDrawTextHidesPrefixes) {
    gdi_conformance::Canvas canvas(100, 40);
    SIZE yes;
    GetTextExtentPoint32A(canvas.dc, "Yes", 3, &yes);
    RECT rect = {0, 0, 100, 0};
    const int height = DrawTextA(canvas.dc, "&Yes", -1, &rect, DT_SINGLELINE | DT_CALCRECT);
    CHECK_EQ(rect.right, yes.cx);
    CHECK_EQ(height, static_cast<int>(rect.bottom));
    RECT raw = {0, 0, 100, 0};
    DrawTextA(canvas.dc, "&Yes", -1, &raw, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    CHECK(raw.right > yes.cx);
}

// What a dialog manager asks of its controls: which keys they take, whether
// EM_SETSEL selects their text, which push button is the default.
CONFORMANCE_TEST(ControlsDialogCodes) {
    Host host;
    HWND edit = host.Add("EDIT", "", WS_BORDER, 100, 101);
    HWND push = host.Add("BUTTON", "Push", BS_PUSHBUTTON, 100, 111);
    HWND defaultPush = host.Add("BUTTON", "OK", BS_DEFPUSHBUTTON, 100, IDOK);
    HWND check = host.Add("BUTTON", "Tick", BS_AUTOCHECKBOX, 100, 103);
    const LRESULT editCode = SendMessageA(edit, WM_GETDLGCODE, 0, 0);
    CHECK((editCode & (DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS)) ==
          (DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS));
    CHECK_EQ(SendMessageA(push, WM_GETDLGCODE, 0, 0), static_cast<LRESULT>(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON));
    CHECK_EQ(SendMessageA(defaultPush, WM_GETDLGCODE, 0, 0), static_cast<LRESULT>(DLGC_BUTTON | DLGC_DEFPUSHBUTTON));
    CHECK_EQ(SendMessageA(check, WM_GETDLGCODE, 0, 0), static_cast<LRESULT>(DLGC_BUTTON));
}
