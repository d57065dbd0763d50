#pragma once
#include "platform/base/wintypes.h"

// The calling thread's last-error value, as kernel32 keeps it.
DWORD GetLastError();
void SetLastError(DWORD code);
