// Win32 share modes between all processes on the machine, kept as open-file-
// description locks on bytes far past the end of the file: one byte per kind of
// access held and one per kind of sharing refused, so two opens conflict exactly
// when one asks for an access the other does not share.
#pragma once

#include "platform/win32.h"

namespace layer {

enum ShareAccess : DWORD { kShareAccessRead = 1, kShareAccessWrite = 2, kShareAccessDelete = 4 };

// Records on fd (open for reading) what this open holds and refuses to share.
// False, with nothing recorded, when that conflicts with an open elsewhere.
bool RecordShareMode(int fd, DWORD access, DWORD share);
// True when another open of the file refuses to share one of these accesses.
bool AccessRefusedByOthers(int fd, DWORD access);

// The ShareAccess bits of a GENERIC_* / DELETE access mask.
DWORD ShareAccessFromDesiredAccess(DWORD desiredAccess);

}  // namespace layer
