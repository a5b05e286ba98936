// How a single-line edit control shows its text: layout, scrolling, hit testing, painting.
#pragma once

#include "platform/user32/controls/control_support.h"

#include <string>

namespace layer {

struct EditState : ControlState {
    int anchor = 0;              // the selection runs from anchor to caret
    int caret = 0;
    int firstVisible = 0;        // the character at the left edge of the text area
    int limit = 0x7FFFFFFE;      // EM_LIMITTEXT
    int SelectionStart() const { return anchor < caret ? anchor : caret; }
    int SelectionEnd() const { return anchor < caret ? caret : anchor; }
};

// Text widths in the control's font.
class EditMeasure {
public:
    EditMeasure(HWND hwnd, const EditState* state);
    ~EditMeasure();
    EditMeasure(const EditMeasure&) = delete;
    EditMeasure& operator=(const EditMeasure&) = delete;
    int Width(const std::string& text, int begin, int end) const;

private:
    HWND hwnd_;
    HDC hdc_;
    HGDIOBJ previousFont_ = nullptr;
};

// Where the text goes: the client area (the sunken edge around it is non-client) less a margin.
RECT EditTextArea(HWND hwnd);
// Moves firstVisible so that the caret lies inside the text area, and no further right than needed.
void ScrollToCaret(HWND hwnd, EditState* state, const std::string& text);
// The caret position nearest to client x.
int CaretIndexAt(HWND hwnd, const EditState* state, const std::string& text, int x);
void PaintEdit(HWND hwnd, const EditState* state);

}  // namespace layer
