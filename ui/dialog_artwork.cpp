#include "ui/dialog_artwork.h"

#include "app/control_ids.h"
#include "app/installer_state.h"
#include "ui/drawing_primitives.h"

namespace {

const COLORREF kLogoKeyColour = 0x0000FF00;
const COLORREF kMessageTextColour = 0x00400000;

// The box has no owner, so the logo keeps painting while it is up; one box at a time
// keeps a failing paint from stacking boxes without end.
void ReportDraw3DFailure() {
    static bool reporting = false;
    if (reporting) return;
    reporting = true;
    MessageBoxA(nullptr, "Draw3D screwed up!", "DBUG", MB_OK);
    reporting = false;
}

LRESULT HollowBrush() {
    return (LRESULT)GetStockObject(NULL_BRUSH);
}

}  // namespace

LRESULT PaintDialogArtwork(HWND dialog, HDC hdc, HWND control) {
    InstallerState& state = installerState;
    switch (GetDlgCtrlID(control)) {
    case IDC_MAKER_LOGO:
        if (Draw3D(state.hInstance, hdc, control, "vintlogo") != 0) ReportDraw3DFailure();
        return HollowBrush();
    case IDC_PRODUCT_LOGO:
        if (!state.productLogoBitmap) state.productLogoBitmap = LoadBitmapA(state.hInstance, "tesmaralogo");
        DrawTransparentBitmapCentered(hdc, control, state.productLogoBitmap, kLogoKeyColour);
        return HollowBrush();
    case IDC_MESSAGE:
        SetTextColor(hdc, kMessageTextColour);
        SetBkMode(hdc, TRANSPARENT);
        return HollowBrush();
    }
    return DefWindowProcA(dialog, WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)control);
}
