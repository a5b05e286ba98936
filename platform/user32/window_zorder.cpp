// Z-order of top-level windows: the topmost band above the rest, owned windows
// directly above their owner; GetWindow walks it.
#include "platform/user32/window_ops.h"

#include <algorithm>

namespace layer {
namespace {

bool IsTopmost(HWND hwnd) {
    Window* w = WindowFromHandle(hwnd);
    return w && (w->exStyle & WS_EX_TOPMOST);
}

// Index of the first window of the non-topmost band.
size_t BandBoundary(const std::vector<HWND>& z) {
    size_t i = 0;
    while (i < z.size() && IsTopmost(z[i])) ++i;
    return i;
}

// Lifts the windows owned by owner (same band) to just above it, recursively.
void LiftOwnedWindows(HWND owner) {
    auto& z = Wm().zOrder;
    bool ownerTopmost = IsTopmost(owner);
    std::vector<HWND> owned;
    for (HWND h : z)
        if (Window* w = WindowFromHandle(h); w && w->owner == owner && IsTopmost(h) == ownerTopmost)
            owned.push_back(h);
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        z.erase(std::find(z.begin(), z.end(), *it));
        z.insert(std::find(z.begin(), z.end(), owner), *it);
    }
    for (HWND h : owned) LiftOwnedWindows(h);
}

}  // namespace

void RemoveTopLevel(HWND hwnd) {
    auto& z = Wm().zOrder;
    z.erase(std::remove(z.begin(), z.end(), hwnd), z.end());
}

void PlaceTopLevel(Window* w, HWND insertAfter) {
    auto& z = Wm().zOrder;
    RemoveTopLevel(w->hwnd);
    bool topmost = (w->exStyle & WS_EX_TOPMOST) != 0;
    size_t boundary = BandBoundary(z);
    size_t at = topmost ? 0 : boundary;
    if (insertAfter == HWND_BOTTOM) {
        at = topmost ? boundary : z.size();
    } else if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
        auto it = std::find(z.begin(), z.end(), insertAfter);
        // Only a window of the same band can be stood behind.
        if (it != z.end() && IsTopmost(*it) == topmost) at = static_cast<size_t>(it - z.begin()) + 1;
    }
    z.insert(z.begin() + static_cast<long>(at), w->hwnd);
    // Never below its own owner.
    auto self = std::find(z.begin(), z.end(), w->hwnd);
    auto owner = std::find(z.begin(), z.end(), w->owner);
    if (w->owner && owner < self && IsTopmost(w->owner) == topmost) {
        z.erase(self);
        z.insert(std::find(z.begin(), z.end(), w->owner), w->hwnd);
    }
    LiftOwnedWindows(w->hwnd);
}

void SetTopmostBand(Window* w, bool topmost) {
    if (topmost)
        w->exStyle |= WS_EX_TOPMOST;
    else
        w->exStyle &= ~WS_EX_TOPMOST;
    // Owned windows follow their owner into the topmost band, and out of it.
    for (HWND h : std::vector<HWND>(Wm().zOrder))
        if (Window* o = WindowFromHandle(h); o && o->owner == w->hwnd) SetTopmostBand(o, topmost);
}

std::vector<Window*> VisibleTopLevels() {
    std::vector<Window*> shown;
    for (HWND h : Wm().zOrder)
        if (Window* w = WindowFromHandle(h); w && (w->style & WS_VISIBLE)) shown.push_back(w);
    return shown;
}

bool IsSelfOrAncestor(HWND ancestor, HWND descendant) {
    for (Window* w = WindowFromHandle(descendant); w; w = w->parent ? WindowFromHandle(w->parent) : nullptr)
        if (w->hwnd == ancestor) return true;
    return false;
}

}  // namespace layer

using namespace layer;

HWND WINAPI GetWindow(HWND hwnd, UINT relation) {
    WindowManager& wm = Wm();
    Window* w = CheckedWindow(hwnd);
    if (!w) return nullptr;
    if (relation == GW_OWNER) return w->owner;
    if (relation == GW_CHILD) {
        const auto& list = hwnd == wm.desktop ? wm.zOrder : w->children;
        return list.empty() ? nullptr : list.front();
    }
    if (hwnd == wm.desktop) return nullptr;
    Window* parent = w->parent ? WindowFromHandle(w->parent) : nullptr;
    const auto& siblings = parent ? parent->children : wm.zOrder;
    auto it = std::find(siblings.begin(), siblings.end(), hwnd);
    if (it == siblings.end()) return nullptr;
    switch (relation) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return it + 1 == siblings.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV: return it == siblings.begin() ? nullptr : *(it - 1);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND WINAPI GetDesktopWindow(void) { return Wm().desktop; }

HWND WINAPI GetParent(HWND hwnd) {
    Window* w = CheckedWindow(hwnd);
    if (!w) return nullptr;
    if (w->parent) return w->parent;
    // A popup's "parent" is its owner, as on Windows.
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}
