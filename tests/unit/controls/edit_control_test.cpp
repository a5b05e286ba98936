#include "control_host.h"

#include <cstring>

namespace {

constexpr int kEditId = 101;

class EditControlTest : public ControlHostTest {
protected:
    // As a dialog makes it of a template's bordered edit: the sunken edge is non-client.
    HWND AddEdit(DWORD style = 0, int width = 187) {
        return AddControl("EDIT", "", style, RECT{10, 10, 10 + width, 29}, kEditId, WS_EX_CLIENTEDGE);
    }

    static std::string Text(HWND edit) {
        char buffer[512] = {};
        SendMessageA(edit, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }

    static void Type(HWND edit, const char* text) {
        for (const char* c = text; *c; ++c) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(*c), 0);
    }

    static std::pair<DWORD, DWORD> Selection(HWND edit) {
        DWORD start = 99, end = 99;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
};

// The parent hears of a program's WM_SETTEXT before the call returns, update first.
TEST_F(EditControlTest, SetTextNotifiesUpdateThenChangeSynchronously) {
    HWND edit = AddEdit();
    received.clear();
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\Program Files"));

    EXPECT_EQ(CommandsFrom(kEditId), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
    for (const HostMessage& m : received) {
        if (m.message == WM_COMMAND) {
            EXPECT_EQ(reinterpret_cast<HWND>(m.lParam), edit);
        }
    }
    EXPECT_EQ(Text(edit), "C:\\Program Files");
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));
}

struct EditingCase {
    const char* name;
    const char* initial;
    const char* keys;  // characters typed; '<' left, '>' right, '^' home, '$' end, '~' delete, '\b' backspace
    const char* expected;
    DWORD caret;
};

void Press(HWND edit, char key) {
    switch (key) {
        case '<': SendMessageA(edit, WM_KEYDOWN, VK_LEFT, 0); break;
        case '>': SendMessageA(edit, WM_KEYDOWN, VK_RIGHT, 0); break;
        case '^': SendMessageA(edit, WM_KEYDOWN, VK_HOME, 0); break;
        case '$': SendMessageA(edit, WM_KEYDOWN, VK_END, 0); break;
        case '~': SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 0); break;
        default: SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(key), 0); break;
    }
}

TEST_F(EditControlTest, KeysEditAtTheCaret) {
    const EditingCase cases[] = {
        {"typing appends", "", "abc", "abc", 3},
        {"backspace removes before the caret", "", "abc\b", "ab", 2},
        {"backspace at the start does nothing", "ab", "\b", "ab", 0},
        {"left then type inserts", "", "ac<b", "abc", 2},
        {"home then type prefixes", "", "bc^a", "abc", 1},
        {"end after home", "abc", "$d", "abcd", 4},
        {"delete removes after the caret", "abc", "~", "bc", 0},
        {"delete at the end does nothing", "", "ab~", "ab", 2},
        {"right stops at the end", "", "a>>b", "ab", 2},
        {"control characters are not text", "", "a\tb\x1b", "ab", 2},
    };
    for (const EditingCase& c : cases) {
        SCOPED_TRACE(c.name);
        HWND edit = AddEdit();
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.initial));
        for (const char* k = c.keys; *k; ++k) Press(edit, *k);
        EXPECT_EQ(Text(edit), c.expected);
        EXPECT_EQ(Selection(edit), std::make_pair(c.caret, c.caret));
        DestroyWindow(edit);
    }
}

TEST_F(EditControlTest, EveryTypedChangeNotifiesAndNonChangesDoNot) {
    HWND edit = AddEdit();
    received.clear();
    Type(edit, "ab");
    SendMessageA(edit, WM_CHAR, VK_BACK, 0);
    SendMessageA(edit, WM_KEYDOWN, VK_HOME, 0);
    SendMessageA(edit, WM_CHAR, VK_BACK, 0);  // nothing before the caret
    EXPECT_EQ(CommandsFrom(kEditId),
              (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
}

TEST_F(EditControlTest, TypingStopsAtTheVisibleWidthWithoutAutoScroll) {
    HWND edit = AddEdit(0, 60);
    Type(edit, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    const std::string typed = Text(edit);
    EXPECT_GT(typed.size(), 0u);
    EXPECT_LT(typed.size(), 30u);
    EXPECT_EQ(CommandsFrom(kEditId).back(), EN_MAXTEXT);

    // The program may set a longer text, and the user can still edit it shorter.
    const std::string longText(60, 'W');
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longText.c_str()));
    EXPECT_EQ(Text(edit), longText);
    SendMessageA(edit, WM_KEYDOWN, VK_END, 0);
    SendMessageA(edit, WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(Text(edit), std::string(59, 'W'));
    Type(edit, "W");
    EXPECT_EQ(Text(edit), std::string(59, 'W'));
}

TEST_F(EditControlTest, AutoScrollAcceptsTextPastTheWidthAndTheLimitStillHolds) {
    HWND edit = AddEdit(ES_AUTOHSCROLL, 60);
    Type(edit, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    EXPECT_EQ(Text(edit).size(), 30u);

    SendMessageA(edit, EM_LIMITTEXT, 32, 0);
    Type(edit, "abc");
    EXPECT_EQ(Text(edit).size(), 32u);
}

// A click at the left edge lands on the first character shown, which tells how far the view scrolled.
TEST_F(EditControlTest, TheViewFollowsTheCaretAndComesBackWhenTextIsDeleted) {
    HWND edit = AddEdit(ES_AUTOHSCROLL, 60);
    Type(edit, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 5));
    const DWORD firstShown = Selection(edit).first;
    EXPECT_GT(firstShown, 0u);

    SendMessageA(edit, WM_KEYDOWN, VK_END, 0);
    for (int i = 0; i < 28; ++i) SendMessageA(edit, WM_CHAR, VK_BACK, 0);
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 5));
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));

    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
    SendMessageA(edit, WM_KEYDOWN, VK_END, 0);
    SendMessageA(edit, WM_KEYDOWN, VK_HOME, 0);
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 5));
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));
}

TEST_F(EditControlTest, GetTextCopiesAtMostSizeMinusOneAndTheTerminator) {
    HWND edit = AddEdit();
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abcdef"));
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 6);
    struct Case {
        WPARAM size;
        LRESULT count;
        const char* copied;
    };
    const Case cases[] = {{1, 0, ""}, {4, 3, "abc"}, {6, 5, "abcde"}, {7, 6, "abcdef"}, {260, 6, "abcdef"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        char buffer[300];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(SendMessageA(edit, WM_GETTEXT, c.size, reinterpret_cast<LPARAM>(buffer)), c.count);
        EXPECT_STREQ(buffer, c.copied);
        EXPECT_EQ(buffer[c.size], '#');  // nothing written past the buffer
    }
    char untouched = '#';
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&untouched)), 0);
    EXPECT_EQ(untouched, '#');
}

TEST_F(EditControlTest, SelectionIsReplacedByTyping) {
    HWND edit = AddEdit();
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\Old"));
    SendMessageA(edit, EM_SETSEL, 0, -1);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{6}));
    EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELONG(0, 6));
    Type(edit, "D");
    EXPECT_EQ(Text(edit), "D");

    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abcdef"));
    SendMessageA(edit, EM_SETSEL, 4, 1);  // reversed: the caret goes to the second position
    SendMessageA(edit, WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(Text(edit), "aef");
    SendMessageA(edit, EM_SETSEL, 1, 3);
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);  // deselects, caret stays
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{3}, DWORD{3}));
}

TEST_F(EditControlTest, FocusChangesNotifyAndAClickPlacesTheCaret) {
    HWND edit = AddEdit();
    HWND other = AddControl("BUTTON", "Other", BS_PUSHBUTTON, RECT{10, 40, 80, 60}, 2);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abcdef"));
    SetFocus(other);
    received.clear();

    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 5));  // right of the text
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{6}, DWORD{6}));
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 5));
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));
    SetFocus(other);
    EXPECT_EQ(CommandsFrom(kEditId), (std::vector<WORD>{EN_SETFOCUS, EN_KILLFOCUS}));
}

TEST_F(EditControlTest, PaintsTheWindowColourAndTheCaretWhileFocused) {
    HWND edit = AddEdit();
    SetFocus(edit);
    UpdateWindow(host);
    Pump();
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(ClientPixel(edit, 20, 7), window);
    EXPECT_NE(ClientPixel(edit, 2, 7), window);  // the caret at the start of the empty text

    SetFocus(nullptr);
    Pump();
    EXPECT_EQ(ClientPixel(edit, 2, 7), window);
}

}  // namespace
