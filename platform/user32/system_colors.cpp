// GetSysColor, GetSysColorBrush and SetSysColors over the profile's scheme.
#include "platform/user32/system_colors.h"

#include "platform/kernel32/profile.h"
#include "platform/user32/window_ops.h"

#include <map>

namespace layer {
namespace {

constexpr int kColourCount = 25;

struct ColourBrushes {
    HBRUSH current[kColourCount] = {};
    // Brushes of earlier schemes are kept, as windows' classes may still hold them.
    std::map<HBRUSH, int> indexOf;
};

ColourBrushes& Brushes() {
    static ColourBrushes brushes;
    return brushes;
}

}  // namespace

HBRUSH ResolveBackgroundBrush(HBRUSH brush) {
    uintptr_t value = reinterpret_cast<uintptr_t>(brush);
    if (value >= 1 && value <= kColourCount) return GetSysColorBrush(static_cast<int>(value - 1));
    auto found = Brushes().indexOf.find(brush);
    return found != Brushes().indexOf.end() ? GetSysColorBrush(found->second) : brush;
}

}  // namespace layer

using namespace layer;

DWORD WINAPI GetSysColor(int index) {
    if (index < 0 || index >= kColourCount) return 0;
    return CurrentProfile().sysColors[index];
}

HBRUSH WINAPI GetSysColorBrush(int index) {
    if (index < 0 || index >= kColourCount) return nullptr;
    ColourBrushes& b = Brushes();
    if (!b.current[index]) {
        b.current[index] = CreateSolidBrush(GetSysColor(index));
        b.indexOf[b.current[index]] = index;
    }
    return b.current[index];
}

BOOL WINAPI SetSysColors(int count, const INT* indexes, const COLORREF* colours) {
    if (count < 0 || (count > 0 && (!indexes || !colours))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    for (int i = 0; i < count; ++i) {
        if (indexes[i] < 0 || indexes[i] >= kColourCount) continue;
        CurrentProfile().sysColors[indexes[i]] = colours[i] & 0x00FFFFFF;
        Brushes().current[indexes[i]] = nullptr;  // made again in the new colour at next use
    }
    SendMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
    InvalidateRect(nullptr, nullptr, TRUE);
    return TRUE;
}
