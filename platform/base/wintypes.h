#pragma once
// The Windows scalar types and constants the program's system calls use.
// 32-bit Windows: DWORD and LONG are 32 bits, handles are opaque values.
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using UINT = std::uint32_t;
using BOOL = std::int32_t;
using LPSTR = char*;
using LPCSTR = const char*;
using LPBYTE = BYTE*;
using HANDLE = void*;
using HRESULT = std::int32_t;
using REGSAM = DWORD;
using ULONGLONG = std::uint64_t;
using LONGLONG = std::int64_t;

// Window handles are 32-bit values, as on 32-bit Windows; user32, the forms
// runtime and the Task Scheduler's property sheet share this one type.
using HWND = std::uint32_t;

// Registry keys are 32-bit values; the predefined roots are fixed numbers.
using HKEY = std::uint32_t;
using PHKEY = HKEY*;

// A member's dispatch identity in late-bound calls; DISPID_UNKNOWN names none.
using DISPID = LONG;
constexpr DISPID DISPID_UNKNOWN = -1;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
constexpr DWORD MAX_PATH = 260;

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  void* lpSecurityDescriptor;
  BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

struct SYSTEMTIME {
  WORD wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
};

// Win32 error codes returned by the layer.
enum : DWORD {
  ERROR_SUCCESS = 0,
  ERROR_FILE_NOT_FOUND = 2,
  ERROR_PATH_NOT_FOUND = 3,
  ERROR_ACCESS_DENIED = 5,
  ERROR_INVALID_HANDLE = 6,
  ERROR_NO_MORE_FILES = 18,
  ERROR_WRITE_PROTECT = 19,
  ERROR_NOT_READY = 21,
  ERROR_SHARING_VIOLATION = 32,
  ERROR_BAD_NETPATH = 53,
  ERROR_FILE_EXISTS = 80,
  ERROR_INVALID_PARAMETER = 87,
  ERROR_DISK_FULL = 112,
  ERROR_CALL_NOT_IMPLEMENTED = 120,
  ERROR_INSUFFICIENT_BUFFER = 122,
  ERROR_INVALID_NAME = 123,
  ERROR_PROC_NOT_FOUND = 127,
  ERROR_DIR_NOT_EMPTY = 145,
  ERROR_BAD_PATHNAME = 161,
  ERROR_ALREADY_EXISTS = 183,
  ERROR_ENVVAR_NOT_FOUND = 203,
  ERROR_FILENAME_EXCED_RANGE = 206,
  ERROR_MORE_DATA = 234,
  ERROR_NO_MORE_ITEMS = 259,
  ERROR_KEY_DELETED = 1018,
};
