#include "app/control_ids.h"
#include "unit/app/installer_fixture.h"

#include <functional>

namespace {

const COLORREF kDarkBlue = RGB(0, 0, 64);

class DialogArtwork : public InstallerTest {
protected:
    // Counts the pixels of a control's window area, as seen on the screen, that pass a test.
    int CountPixels(int id, const std::function<bool(COLORREF)>& test) {
        RECT rect;
        GetWindowRect(Item(id), &rect);
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                if (test(ScreenPixel(x, y))) ++count;
        return count;
    }
    int CountColour(int id, COLORREF colour) {
        return CountPixels(id, [colour](COLORREF pixel) { return pixel == colour; });
    }
};

TEST_F(DialogArtwork, ProductLogoShowsTheFaceThroughItsGreen) {
    StartInstaller();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(CountColour(IDC_PRODUCT_LOGO, RGB(0, 255, 0)), 0);
    EXPECT_GT(CountPixels(IDC_PRODUCT_LOGO, [face](COLORREF p) { return p != face; }), 500);
    EXPECT_GT(CountColour(IDC_PRODUCT_LOGO, face), 500);
}

TEST_F(DialogArtwork, MakerLogoTakesTheButtonColoursOfEachPaint) {
    StartInstaller();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const int stockGreys = CountColour(IDC_MAKER_LOGO, RGB(128, 128, 128));
    ASSERT_GT(stockGreys, 100);
    const INT indexes[] = {COLOR_BTNSHADOW};
    const COLORREF saved[] = {GetSysColor(COLOR_BTNSHADOW)};
    const COLORREF shadow[] = {RGB(150, 30, 30)};
    SetSysColors(1, indexes, shadow);
    Repaint(dialog_);
    EXPECT_EQ(CountColour(IDC_MAKER_LOGO, RGB(128, 128, 128)), 0);
    EXPECT_GE(CountColour(IDC_MAKER_LOGO, shadow[0]), stockGreys);
    SetSysColors(1, indexes, saved);
    Repaint(dialog_);
    EXPECT_EQ(CountColour(IDC_MAKER_LOGO, RGB(128, 128, 128)), stockGreys);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), face);
}

TEST_F(DialogArtwork, OnlyTheMessageTextIsDarkBlue) {
    StartInstaller();
    EXPECT_GT(CountColour(IDC_MESSAGE, kDarkBlue), 20);
    EXPECT_EQ(CountColour(IDC_MESSAGE, RGB(0, 0, 0)), 0);
    for (int id : {IDC_NOTICE, IDC_DISK_SPACE}) {
        EXPECT_EQ(CountColour(id, kDarkBlue), 0) << id;
        EXPECT_GT(CountColour(id, GetSysColor(COLOR_WINDOWTEXT)), 20) << id;
    }
}

TEST_F(DialogArtwork, AMissingMakerLogoIsReportedOnceWhilePaintsGoOn) {
    StartInstaller();
    installerState.hInstance = (HINSTANCE)(UINT_PTR)0x7e570000;  // no module of ours: no pictures
    ShownBoxes().clear();
    // The box has no owner, so the logo area keeps painting while it is up.
    WhileBoxIsUp() = [](const ShownBox&) {
        HWND logo = GetDlgItem(FindWindowA("VintInstall", nullptr), IDC_MAKER_LOGO);
        RedrawWindow(logo, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    };
    RedrawWindow(Item(IDC_MAKER_LOGO), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_EQ(ShownBoxes().size(), 1u);
    EXPECT_EQ(ShownBoxes()[0].text, "Draw3D screwed up!");
    EXPECT_EQ(ShownBoxes()[0].caption, "DBUG");
    EXPECT_EQ(ShownBoxes()[0].type, (UINT)MB_OK);
    EXPECT_EQ(ShownBoxes()[0].owner, nullptr);
}

}  // namespace
