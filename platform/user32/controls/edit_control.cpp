// "EDIT", single line: typing, the caret keys, a selection, and the parent's
// EN_UPDATE / EN_CHANGE after every change of the text.
#include "platform/user32/controls/control_procs.h"
#include "platform/user32/controls/edit_view.h"

namespace layer {
namespace {

// The text is kept where DefWindowProcA keeps every window's text, so
// GetWindowTextA and other processes read it like any other window's.
void StoreText(HWND hwnd, const std::string& text) {
    DefWindowProcA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void AnnounceChange(HWND hwnd) {
    NotifyParent(hwnd, EN_UPDATE);
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyParent(hwnd, EN_CHANGE);
}

// Whether text typed by the user may stand: within the limit and, without
// ES_AUTOHSCROLL, within the visible width.
bool TypedTextFits(HWND hwnd, const EditState* state, const std::string& text) {
    if (static_cast<long long>(text.size()) > state->limit) return false;
    if (GetWindowLongA(hwnd, GWL_STYLE) & ES_AUTOHSCROLL) return true;
    const RECT area = EditTextArea(hwnd);
    return EditMeasure(hwnd, state).Width(text, 0, static_cast<int>(text.size())) <= area.right - area.left;
}

// Replaces the selection with insert (typed by the user) and leaves the caret after it.
void ReplaceSelection(HWND hwnd, EditState* state, const std::string& insert) {
    std::string text = StoredText(hwnd);
    const int length = static_cast<int>(text.size());
    const int start = state->SelectionStart() < length ? state->SelectionStart() : length;
    const int end = state->SelectionEnd() < length ? state->SelectionEnd() : length;
    if (start == end && insert.empty()) return;
    std::string next = text.substr(0, start) + insert + text.substr(end);
    if (!insert.empty() && !TypedTextFits(hwnd, state, next)) {
        NotifyParent(hwnd, EN_MAXTEXT);
        return;
    }
    StoreText(hwnd, next);
    state->anchor = state->caret = start + static_cast<int>(insert.size());
    ScrollToCaret(hwnd, state, next);
    AnnounceChange(hwnd);
}

void MoveCaret(HWND hwnd, EditState* state, int caret) {
    const std::string text = StoredText(hwnd);
    state->anchor = state->caret = caret;
    ScrollToCaret(hwnd, state, text);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void OnKeyDown(HWND hwnd, EditState* state, WPARAM key) {
    const int length = static_cast<int>(StoredText(hwnd).size());
    const bool selection = state->anchor != state->caret;
    switch (key) {
        case VK_LEFT:
            MoveCaret(hwnd, state, selection ? state->SelectionStart() : (state->caret > 0 ? state->caret - 1 : 0));
            break;
        case VK_RIGHT:
            MoveCaret(hwnd, state, selection ? state->SelectionEnd() : (state->caret < length ? state->caret + 1 : length));
            break;
        case VK_HOME:
            MoveCaret(hwnd, state, 0);
            break;
        case VK_END:
            MoveCaret(hwnd, state, length);
            break;
        case VK_DELETE:
            if (!selection) {
                if (state->caret >= length) break;
                state->anchor = state->caret + 1;
            }
            ReplaceSelection(hwnd, state, std::string());
            break;
    }
}

void OnChar(HWND hwnd, EditState* state, WPARAM code) {
    const unsigned char character = static_cast<unsigned char>(code);
    if (character == VK_BACK) {
        if (state->anchor == state->caret) state->anchor = state->caret > 0 ? state->caret - 1 : 0;
        ReplaceSelection(hwnd, state, std::string());
    } else if (character >= 0x20 && character != 0x7F) {
        ReplaceSelection(hwnd, state, std::string(1, static_cast<char>(character)));
    }
}

void OnSetSelection(HWND hwnd, EditState* state, WPARAM wParam, LPARAM lParam) {
    const std::string text = StoredText(hwnd);
    const int length = static_cast<int>(text.size());
    int start = static_cast<int>(wParam);
    int end = static_cast<int>(lParam);
    if (start == -1) {
        state->anchor = state->caret;  // deselect, caret stays
    } else {
        if (end < 0 || end > length) end = length;
        if (start < 0 || start > length) start = length;
        state->anchor = start;
        state->caret = end;
    }
    ScrollToCaret(hwnd, state, text);
    InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT OnGetSelection(const EditState* state, WPARAM wParam, LPARAM lParam) {
    const DWORD start = static_cast<DWORD>(state->SelectionStart());
    const DWORD end = static_cast<DWORD>(state->SelectionEnd());
    if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
    if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
    return MAKELONG(start, end);
}

LRESULT HandleEditMessage(HWND hwnd, EditState* state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintEdit(hwnd, state);
            return 0;
        case WM_SETTEXT:
            // Text set by the program is taken whole, past the width and the limit.
            StoreText(hwnd, lParam ? std::string(reinterpret_cast<const char*>(lParam)) : std::string());
            state->anchor = state->caret = state->firstVisible = 0;
            AnnounceChange(hwnd);
            return TRUE;
        case WM_CHAR:
            OnChar(hwnd, state, wParam);
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(hwnd, state, wParam);
            return 0;
        case WM_LBUTTONDOWN:
            if (GetFocus() != hwnd) SetFocus(hwnd);
            MoveCaret(hwnd, state, CaretIndexAt(hwnd, state, StoredText(hwnd), GET_X_LPARAM(lParam)));
            return 0;
        case WM_SETFOCUS:
            InvalidateRect(hwnd, nullptr, TRUE);
            NotifyParent(hwnd, EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            InvalidateRect(hwnd, nullptr, TRUE);
            NotifyParent(hwnd, EN_KILLFOCUS);
            return 0;
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_GETDLGCODE:
            // HASSETSEL: a dialog giving the edit the focus selects its text with EM_SETSEL.
            return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        case EM_GETSEL:
            return OnGetSelection(state, wParam, lParam);
        case EM_SETSEL:
            OnSetSelection(hwnd, state, wParam, lParam);
            return 0;
        case EM_LIMITTEXT:
            state->limit = wParam ? static_cast<int>(wParam < 0x7FFFFFFE ? wParam : 0x7FFFFFFE) : 0x7FFFFFFE;
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK EditControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DispatchControlMessage<EditState>(hwnd, message, wParam, lParam, HandleEditMessage);
}

}  // namespace layer
