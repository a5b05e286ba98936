// Control identifiers of the installer dialog (the template in res/installer.rc
// spells the same numbers).
#pragma once

#define IDC_DEST_FOLDER 101
#define IDC_STARTUP_CHECK 103
#define IDC_PRODUCT_LOGO 106
#define IDC_PROGRESS 107
#define IDC_MAKER_LOGO 108
#define IDC_FINISH 109
#define IDC_NOTICE 110
#define IDC_README 111
#define IDC_DISK_SPACE 112
#define IDC_MESSAGE 113
