// Asking running copies of the product to close before files are placed.
#pragma once

// 0 when no window of either program is left; 1 when one would not close (the user was told).
int CloseRunningInstances();
