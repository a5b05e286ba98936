#include "app/installer_state.h"

InstallerState installerState;
