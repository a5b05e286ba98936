#include "app/control_ids.h"
#include "unit/app/installer_fixture.h"

#include <algorithm>
#include <cstring>

namespace {

const COLORREF kNavy = RGB(0, 0, 128);
const COLORREF kWhite = RGB(255, 255, 255);

class ProgressBar : public InstallerTest {
protected:
    void SetUp() override {
        InstallerTest::SetUp();
        StartInstaller();
        ShowWindow(Item(IDC_DEST_FOLDER), SW_HIDE);
        ShowWindow(Item(IDC_PROGRESS), SW_SHOW);
        RECT client;
        GetClientRect(Item(IDC_PROGRESS), &client);
        w_ = client.right;
        h_ = client.bottom;
    }
    void Paint(int percent, const char* caption) {
        installerState.progressPercent = percent;
        snprintf(installerState.statusText, sizeof installerState.statusText, "%s", caption);
        InvalidateRect(Item(IDC_PROGRESS), nullptr, TRUE);
        UpdateWindow(Item(IDC_PROGRESS));
    }
    COLORREF At(int x, int y) { return ClientPixel(Item(IDC_PROGRESS), x, y); }
    int w_ = 0, h_ = 0;
};

TEST_F(ProgressBar, FrameAndSplitForEachPercent) {
    // The control's real size from the template: 205 x 20 dialog units.
    ASSERT_GT(w_, 300);
    ASSERT_GT(h_, 30);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (int percent : {0, 6, 84, 100}) {
        Paint(percent, "");
        SCOPED_TRACE(percent);
        EXPECT_EQ(At(1, 1), shadow);
        EXPECT_EQ(At(w_ - 2, 1), shadow);
        EXPECT_EQ(At(1, h_ - 2), shadow);
        EXPECT_EQ(At(2, h_ - 2), highlight);
        EXPECT_EQ(At(w_ - 2, h_ - 2), highlight);
        int split = 2 + percent * (w_ - 3) / 100;
        for (int y : {2, h_ / 2, h_ - 3}) {
            if (percent > 0) {
                EXPECT_EQ(At(2, y), kNavy);
                EXPECT_EQ(At(std::min(split - 1, w_ - 3), y), kNavy);
            }
            if (split <= w_ - 3) {
                EXPECT_EQ(At(split, y), kWhite);
                EXPECT_EQ(At(w_ - 3, y), kWhite);
            }
        }
        // Full, the empty part's rectangle is inverted by one column; ExtTextOutA orders it and
        // paints that column, the highlight's, white.
        EXPECT_EQ(At(w_ - 2, 2), percent == 100 ? kWhite : highlight);
        EXPECT_EQ(At(w_ - 2, h_ - 3), percent == 100 ? kWhite : highlight);
    }
}

TEST_F(ProgressBar, CaptionIsInvertedAcrossTheSplit) {
    Paint(50, "Copying Kelvath Calculation Library");
    int split = 2 + 50 * (w_ - 3) / 100;
    int whiteOnNavy = 0, navyOnWhite = 0;
    for (int y = 2; y < h_ - 2; ++y) {
        for (int x = 2; x < w_ - 2; ++x) {
            COLORREF pixel = At(x, y);
            if (x < split && pixel == kWhite) ++whiteOnNavy;
            if (x >= split && pixel == kNavy) ++navyOnWhite;
        }
    }
    EXPECT_GT(whiteOnNavy, 10);
    EXPECT_GT(navyOnWhite, 10);
    // The caption leaves the rows above it in the plain two colours.
    EXPECT_EQ(At(split - 1, 2), kNavy);
    EXPECT_EQ(At(split, 2), kWhite);
}

TEST_F(ProgressBar, FrameFollowsTheColourSchemeAndTheBarDoesNot) {
    const INT indexes[] = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    const COLORREF saved[] = {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)};
    const COLORREF changed[] = {RGB(10, 20, 30), RGB(200, 100, 50)};
    SetSysColors(2, indexes, changed);
    Paint(50, "");
    EXPECT_EQ(At(1, 1), changed[0]);
    EXPECT_EQ(At(w_ - 2, h_ - 2), changed[1]);
    EXPECT_EQ(At(2, 2), kNavy);
    EXPECT_EQ(At(w_ - 3, 2), kWhite);
    SetSysColors(2, indexes, saved);
}

}  // namespace
