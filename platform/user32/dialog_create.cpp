// Dialogs from templates: CreateDialogParamA, CreateDialogIndirectParamA,
// DialogBoxParamA and EndDialog.
#include "platform/gdi32/gdi_internal.h"
#include "platform/user32/dialog_template.h"
#include "platform/user32/window_class_registry.h"
#include "platform/user32/window_geometry.h"
#include "platform/user32/window_ops.h"

#include <cstring>
#include <strings.h>

namespace layer {
namespace {

// A template given by pointer has no stated size; its reader stops at the template's own end.
constexpr size_t kUnboundedTemplate = 1u << 20;

RECT ItemRect(const DialogItem& item) {
    int x = DialogUnitsToPixelsX(item.x), y = DialogUnitsToPixelsY(item.y);
    return RECT{x, y, x + DialogUnitsToPixelsX(item.cx), y + DialogUnitsToPixelsY(item.cy)};
}

bool CreateItems(HWND dialog, HINSTANCE instance, const DialogTemplate& t, HFONT font) {
    for (const DialogItem& item : t.items) {
        RECT r = ItemRect(item);
        DWORD style = item.style | WS_CHILD;
        DWORD exStyle = item.exStyle;
        // Controls of a dialog get the three-dimensional border in place of the flat one.
        if ((style & WS_BORDER) && strcasecmp(item.className.c_str(), "EDIT") == 0) {
            style &= ~WS_BORDER;
            exStyle |= WS_EX_CLIENTEDGE;
        }
        HWND control = CreateWindowExA(exStyle, item.className.c_str(), item.title.c_str(), style, r.left, r.top,
                                       r.right - r.left, r.bottom - r.top, dialog,
                                       reinterpret_cast<HMENU>(static_cast<uintptr_t>(item.id)), instance,
                                       const_cast<BYTE*>(item.creationData));
        if (!control) return false;
        if (font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return true;
}

HWND FirstTabStop(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) return child;
    }
    return nullptr;
}

HWND CreateFromTemplate(HINSTANCE instance, const DialogTemplate& t, HWND owner, DLGPROC proc, LPARAM init) {
    DWORD style = t.style;
    DWORD exStyle = t.exStyle | ((style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
    const char* className = t.className.empty() ? kDialogClassName : t.className.c_str();
    if (!FindWindowClass(className)) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    // Overlapped windows get a caption whether the template asks or not.
    DWORD frameStyle = (style & (WS_CHILD | WS_POPUP)) ? style : style | WS_CAPTION;
    RECT insets = NonClientInsets(frameStyle, exStyle);
    int width = DialogUnitsToPixelsX(t.cx) + insets.left + insets.right;
    int height = DialogUnitsToPixelsY(t.cy) + insets.top + insets.bottom;
    POINT origin = {DialogUnitsToPixelsX(t.x), DialogUnitsToPixelsY(t.y)};
    if (Window* o = WindowFromHandle(owner); o && !(style & WS_CHILD)) {
        POINT ownerOrigin = ClientOriginOnScreen(o);
        origin.x += ownerOrigin.x;
        origin.y += ownerOrigin.y;
    }
    if (style & DS_CENTER) {
        origin.x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        origin.y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    HWND dialog = CreateWindowExA(exStyle, className, t.title.c_str(), style & ~WS_VISIBLE, origin.x, origin.y,
                                  width, height, owner, nullptr, instance, reinterpret_cast<LPVOID>(init));
    Window* w = WindowFromHandle(dialog);
    if (!w) return nullptr;
    w->isDialog = true;
    if (w->extra.size() >= DWLP_DLGPROC + sizeof(DLGPROC))
        std::memcpy(w->extra.data() + DWLP_DLGPROC, &proc, sizeof proc);
    HFONT font = (style & DS_SETFONT) ? DialogFont() : nullptr;
    if (font) SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!CreateItems(dialog, instance, t, font)) {
        DestroyWindow(dialog);
        return nullptr;
    }
    HWND focus = FirstTabStop(dialog);
    if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), init) && IsWindow(dialog)) {
        if (HWND first = FirstTabStop(dialog)) {
            SetFocus(first);
            // The dialog manager selects an edit's whole text when it gives it the focus.
            if (SendMessageA(first, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(first, EM_SETSEL, 0, -1);
        }
    }
    if (!IsWindow(dialog)) return nullptr;
    if (style & WS_VISIBLE) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        UpdateWindow(dialog);
    }
    return dialog;
}

bool LoadTemplate(HINSTANCE instance, LPCSTR name, DialogTemplate* t) {
    HRSRC resource = FindResourceA(instance, name, RT_DIALOG);
    if (!resource) return false;
    HGLOBAL loaded = LoadResource(instance, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || !ParseDialogTemplate(bytes, SizeofResource(instance, resource), t)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return false;
    }
    return true;
}

}  // namespace
}  // namespace layer

using namespace layer;

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner,
                                       DLGPROC proc, LPARAM init) {
    DialogTemplate t;
    if (!ParseDialogTemplate(dialogTemplate, kUnboundedTemplate, &t)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateFromTemplate(instance, t, owner, proc, init);
}

HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM init) {
    DialogTemplate t;
    if (!LoadTemplate(instance, templateName, &t)) return nullptr;
    return CreateFromTemplate(instance, t, owner, proc, init);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM init) {
    DialogTemplate t;
    if (!LoadTemplate(instance, templateName, &t)) return -1;
    Window* ownerWindow = WindowFromHandle(owner);
    HWND ownerTop = ownerWindow ? TopLevelOf(ownerWindow)->hwnd : nullptr;
    bool disabledOwner = ownerTop && IsWindowEnabled(ownerTop);
    if (disabledOwner) EnableWindow(ownerTop, FALSE);
    HWND dialog = CreateFromTemplate(instance, t, ownerTop, proc, init);
    INT_PTR result = -1;
    if (dialog) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        MSG msg;
        for (Window* w; (w = WindowFromHandle(dialog)) && !w->dialogEnded;) {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got <= 0) {
                if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
                break;
            }
            if (!IsDialogMessageA(dialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        if (Window* w = WindowFromHandle(dialog)) result = w->dialogEnded ? w->dialogResult : 0;
    }
    // The owner is enabled before the dialog goes, so that it becomes the active window again.
    if (disabledOwner) EnableWindow(ownerTop, TRUE);
    if (dialog) DestroyWindow(dialog);
    return result;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    Window* w = CheckedWindow(dialog);
    if (!w) return FALSE;
    w->dialogEnded = true;
    w->dialogResult = result;
    return TRUE;
}
