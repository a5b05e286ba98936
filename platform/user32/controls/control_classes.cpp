#include "platform/user32/controls/control_classes.h"

#include "platform/user32/controls/control_procs.h"
#include "platform/user32/controls/control_support.h"

namespace layer {

void RegisterControlClasses() {
    struct ClassEntry {
        const char* name;
        WNDPROC proc;
    };
    static const ClassEntry kClasses[] = {
        {"STATIC", StaticControlProc},
        {"EDIT", EditControlProc},
        {"BUTTON", ButtonControlProc},
    };
    for (const ClassEntry& entry : kClasses) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = entry.proc;
        wc.cbWndExtra = kControlExtraBytes;
        wc.lpszClassName = entry.name;
        RegisterClassA(&wc);
    }
}

}  // namespace layer
