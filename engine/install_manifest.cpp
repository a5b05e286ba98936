#include "engine/install_manifest.h"

const ManifestEntry InstallManifest[MANIFEST_ROWS] = {
    {"Tesmara.exe", 1, 1, "", "Tesmara 98 Taskbar Icon"},
    {"Tesm.exe", 1, 1, "", "Tesmara 98 Full Ledgerbook"},
    {"Tesmara.hlp", 1, 1, "", "Help"},
    {"Tesmara.cnt", 1, 0, "", "Help Contents"},
    {"Fablet.Tesm", 1, 0, "", "Fablet Data"},
    {"Webmarks.Tesm", 1, 0, "", "Internet Links Data"},
    {"Uninst.exe", 1, 1, "", "Uninstall"},
    {"Uninst2.exe", 1, 0, "", "Uninstall Helper"},
    {"Kelvath.dll", 1, 0, "", "Kelvath Calculation Library"},
    {JUST_DIR_MARKER, 1, 0, "Places", "Places Folder"},
    {JUST_DIR_MARKER, 1, 0, "BGs", "Backgrounds Folder"},
    {"Quadrel II.dll", 1, 0, "Icon Paks", "Tetrafold Icon Pak"},
    {"Runeway.html", 1, 0, "Reference", "Runeway Reference Page"},
    {"Starwheel.html", 1, 0, "Reference", "Starwheel Reference Page"},
    {"Readme.hlp", 1, 0, "", "Readme File"},
};
