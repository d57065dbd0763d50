#pragma once
// The kernel32 profile (INI) calls over the emulated machine's files. The
// layer is write-through: every write reads and rewrites the file, so there
// is no cache to flush.
#include "platform/base/wintypes.h"

// `file` NULL is <Windows>\WIN.INI; a name without a folder lies in the
// Windows folder; "" is a file that cannot be opened.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR file);
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file);
DWORD GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR file);
DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR file);
// `lines`: "key=value" texts, each ended by NUL, the list ended by one more
// NUL; NULL removes the section.
BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR file);
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file);

// The same on WIN.INI.
DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size);
BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value);
