// How a button looks: its state and the painting of push buttons and check boxes.
#pragma once

#include "platform/user32/controls/control_support.h"

namespace layer {

struct ButtonState : ControlState {
    bool checked = false;    // check boxes only
    bool pushed = false;     // drawn pressed: held down, or set by BM_SETSTATE
    bool tracking = false;   // the mouse went down on the button and holds the capture
    bool spaceHeld = false;  // the space bar went down on the focused button
};

void PaintButton(HWND hwnd, const ButtonState* state);

}  // namespace layer
