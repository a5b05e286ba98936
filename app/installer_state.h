// The program-wide state of the installer: one record, static storage, zero at start.
#pragma once

#include "engine/install_manifest.h"
#include "platform/win32.h"

enum { PATH_TEXT_SIZE = 260, GROUP_COMMAND_SLOTS = 50, GROUP_COMMAND_SIZE = 512 };

struct InstallerState {
    HINSTANCE hInstance;
    HINSTANCE hPrevInstance;
    int lastResult;
    int fileCount;
    int progressPercent;
    char noticeText[128];
    char moduleFolder[PATH_TEXT_SIZE];
    char sourceFolder[PATH_TEXT_SIZE];
    char scratchText[PATH_TEXT_SIZE];
    char destFolder[PATH_TEXT_SIZE];
    char defaultDestFolder[PATH_TEXT_SIZE];
    char statusText[80];
    int installErrors;
    int installDone;
    ManifestEntry activeManifest[MANIFEST_ROWS];
    WNDPROC progressOldProc;
    HWND backdropWindow;
    HBITMAP backdropBitmap;
    int screenWidth;
    int screenHeight;
    int tileWidth;
    int tileHeight;
    HBITMAP productLogoBitmap;
    char groupCommands[GROUP_COMMAND_SLOTS][GROUP_COMMAND_SIZE];
    int groupCommandCount;
};

extern InstallerState installerState;
