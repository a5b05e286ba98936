// The system's control classes ("STATIC", "EDIT", "BUTTON"), registered once
// by the window manager before the first class lookup.
#pragma once

namespace layer {

void RegisterControlClasses();

}  // namespace layer
