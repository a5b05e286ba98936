// GetSystemMetrics: the screen from the profile, the classic frame and icon sizes.
#include "platform/kernel32/profile.h"
#include "platform/win32.h"

int WINAPI GetSystemMetrics(int index) {
    const layer::Profile& profile = layer::CurrentProfile();
    switch (index) {
    case SM_CXSCREEN: return profile.screenWidth;
    case SM_CYSCREEN: return profile.screenHeight;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    default: return 0;
    }
}
