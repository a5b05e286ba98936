#include "app/windows_version.h"
#include "unit/app/installer_fixture.h"

namespace {

struct VersionCase {
    DWORD word;
    WindowsVersionClass expected;
    int supported;
};

class PlatformGate : public InstallerTest {
protected:
    void UseVersion(DWORD word) {
        layer::Profile profile = layer::CurrentProfile();
        profile.version = word;
        layer::SetProfile(profile);
    }
};

TEST_F(PlatformGate, ClassifiesVersionWords) {
    const VersionCase cases[] = {
        {0x80000004, Windows95, 1},       // 95 family, 4.0
        {0x80000A04, Windows98, 1},       // 95 family, 4.10
        {0x80005A04, Windows95, 1},       // 95 family, 4.90
        {0x80000003, Win32s, 0},          // 95 family bit with major 3
        {0x80000A03, Win32s, 0},
        {0x00003303, WindowsNT3, 0},      // NT 3.51
        {0x05650004, WindowsNT4Plus, 1},  // NT 4.0
        {0x0A280105, WindowsNT4Plus, 1},  // NT 5.1
        {0x1db10106, WindowsNT4Plus, 1},  // what wine64 reports
    };
    for (const VersionCase& c : cases) {
        UseVersion(c.word);
        EXPECT_EQ(ClassifyWindowsVersion(), c.expected) << std::hex << c.word;
        EXPECT_EQ(IsSupportedWindows(), c.supported) << std::hex << c.word;
    }
}

TEST_F(PlatformGate, RefusedStartShowsOneBoxAndNoWindow) {
    for (DWORD word : {0x80000003u, 0x00003303u}) {
        ShownBoxes().clear();
        UseVersion(word);
        EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, (LPSTR) "-x ignored", SW_SHOWDEFAULT), 0);
        ASSERT_EQ(ShownBoxes().size(), 1u);
        const ShownBox& box = ShownBoxes()[0];
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.text,
                  "Tesmara Can Only be Installed Under Windows 95, Windows 98, or Windows NT 4.x, or greater");
        EXPECT_EQ(box.caption, "Tesmara Install Error");
        EXPECT_EQ(box.type, (UINT)MB_ICONERROR);
        EXPECT_EQ(installerState.backdropWindow, nullptr);
        EXPECT_EQ(FindWindowA("VintFlashWin", nullptr), nullptr);
        EXPECT_EQ(FindWindowA("VintInstall", nullptr), nullptr);
        EXPECT_STREQ(installerState.noticeText, "V3.10 / 13-May-98 - Copyright (c) 1998 Vintrel Software");
    }
}

}  // namespace
