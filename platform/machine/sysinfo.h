#pragma once
// System facts: version records, the Windows and system folders, user
// profile folders, process tokens, time and shutdown.
#include "platform/base/wintypes.h"

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  char szCSDVersion[128];
};

struct OSVERSIONINFOEXA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  char szCSDVersion[128];
  WORD wServicePackMajor;
  WORD wServicePackMinor;
  WORD wSuiteMask;
  BYTE wProductType;
  BYTE wReserved;
};

static_assert(sizeof(OSVERSIONINFOA) == 148);
static_assert(sizeof(OSVERSIONINFOEXA) == 156);

constexpr DWORD TOKEN_QUERY = 8;

// Fills the record whose size field says 148 or 156 (an extended record may be
// passed through the basic pointer, as on Windows); 0 with 87 for any other
// size or when the machine rejects the extended record.
BOOL GetVersionExA(OSVERSIONINFOA* info);
BOOL GetVersionExA(OSVERSIONINFOEXA* info);

UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);
UINT GetSystemDirectoryA(LPSTR buffer, UINT size);

// userenv: NT family only (9x: FALSE with 127); the all-users call exists
// from Windows 2000 on.
BOOL GetUserProfileDirectoryA(HANDLE token, LPSTR buffer, DWORD* size);
BOOL GetAllUsersProfileDirectoryA(LPSTR buffer, DWORD* size);
BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE* token);

void GetSystemTime(SYSTEMTIME* time);
void GetLocalTime(SYSTEMTIME* time);
DWORD GetTickCount();
void Sleep(DWORD ms);

// Logging off or shutting down is recorded, never done: TRUE, and the
// program goes on running. Flags: 0 log off, 1 shut down, 2 reboot, 4 force,
// 8 power off.
BOOL ExitWindowsEx(UINT flags, DWORD reserved);
