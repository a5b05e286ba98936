// The product's Program Manager group, rebuilt over DDE.
#pragma once

// 1 when the PROGMAN conversation was opened and every command offered; 0 otherwise.
int AddProgramGroup(int startupItem);
