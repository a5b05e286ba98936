#include "platform/display/x11_keys.h"

#include <X11/keysym.h>

namespace layer {

namespace {

struct KeyPair {
    unsigned long keysym;
    unsigned virtualKey;
};

constexpr KeyPair kNamedKeys[] = {
    {XK_BackSpace, 0x08}, {XK_Tab, 0x09},       {XK_ISO_Left_Tab, 0x09}, {XK_Return, 0x0D},
    {XK_KP_Enter, 0x0D},  {XK_Shift_L, 0x10},   {XK_Shift_R, 0x10},      {XK_Control_L, 0x11},
    {XK_Control_R, 0x11}, {XK_Alt_L, 0x12},     {XK_Alt_R, 0x12},        {XK_Pause, 0x13},
    {XK_Caps_Lock, 0x14}, {XK_Escape, 0x1B},    {XK_space, 0x20},        {XK_Prior, 0x21},
    {XK_Next, 0x22},      {XK_End, 0x23},       {XK_Home, 0x24},         {XK_Left, 0x25},
    {XK_Up, 0x26},        {XK_Right, 0x27},     {XK_Down, 0x28},         {XK_Insert, 0x2D},
    {XK_Delete, 0x2E},    {XK_KP_Delete, 0x2E}, {XK_KP_Home, 0x24},      {XK_KP_End, 0x23},
    {XK_KP_Left, 0x25},   {XK_KP_Up, 0x26},     {XK_KP_Right, 0x27},     {XK_KP_Down, 0x28},
};

}  // namespace

unsigned VirtualKeyFromKeysym(unsigned long keysym) {
    // Letter and digit keys share their virtual-key codes with the upper-case ASCII characters.
    if (keysym >= XK_a && keysym <= XK_z) return static_cast<unsigned>(keysym - XK_a + 'A');
    if (keysym >= XK_A && keysym <= XK_Z) return static_cast<unsigned>(keysym);
    if (keysym >= XK_0 && keysym <= XK_9) return static_cast<unsigned>(keysym);
    if (keysym >= XK_F1 && keysym <= XK_F12) return static_cast<unsigned>(0x70 + (keysym - XK_F1));
    for (const KeyPair& pair : kNamedKeys) {
        if (pair.keysym == keysym) return pair.virtualKey;
    }
    return 0;
}

}  // namespace layer
