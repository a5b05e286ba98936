// The classic binary dialog template (DLGTEMPLATE and its DLGITEMTEMPLATE items), read into plain values.
#pragma once

#include "platform/win32.h"

#include <cstddef>
#include <string>
#include <vector>

namespace layer {

struct DialogItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;
    std::string className;  // "BUTTON", "EDIT", "STATIC", ... for the predefined atoms
    std::string title;      // empty when the template gives an ordinal
    const BYTE* creationData = nullptr;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string className;  // empty: the dialog class
    std::string title;
    int pointSize = 0;      // with DS_SETFONT
    std::string face;
    std::vector<DialogItem> items;
};

// Reads size bytes of a template; false when it is truncated or malformed.
bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate* out);

// Dialog units to pixels with the dialog font's base units (6 x 13), rounded as MulDiv rounds.
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);

}  // namespace layer
