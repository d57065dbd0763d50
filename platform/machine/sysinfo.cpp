#include "platform/machine/sysinfo.h"

#include <cstring>
#include <string>

#include "platform/base/date_math.h"
#include "platform/base/journal.h"
#include "platform/base/kernel_handles.h"
#include "platform/base/last_error.h"
#include "platform/machine/machine.h"

namespace {
using platform::CurrentMachine;
using platform::Machine;

// Copies `text` for the calls that return the length without the NUL and the
// needed size (with the NUL) when the buffer is too small.
UINT CopyFolder(const std::string& text, LPSTR buffer, UINT size) {
  UINT length = static_cast<UINT>(text.size());
  if (!buffer || size <= length) return length + 1;
  std::memcpy(buffer, text.c_str(), length + 1);
  return length;
}

// Copies for the userenv calls: `size` counts characters with the NUL, in and out.
BOOL CopyProfileFolder(const std::string& text, LPSTR buffer, DWORD* size) {
  if (!size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD needed = static_cast<DWORD>(text.size() + 1);
  if (!buffer || *size < needed) {
    *size = needed;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(buffer, text.c_str(), needed);
  *size = needed;
  return TRUE;
}

class ProcessToken : public platform::KernelObject {};

constexpr std::int64_t kFileTimePerMs = 10000;

SYSTEMTIME ToSystemTime(std::int64_t fileTime) {
  std::int64_t ms = (fileTime - platform::kUnixEpochAsFileTime) / kFileTimePerMs;
  std::int64_t days = ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000);
  std::int64_t msOfDay = ms - days * 86400000;
  platform::CivilDate civil = platform::CivilFromDays(days);
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(civil.year);
  st.wMonth = static_cast<WORD>(civil.month);
  st.wDay = static_cast<WORD>(civil.day);
  st.wDayOfWeek = static_cast<WORD>(platform::DayOfWeek(days));
  st.wHour = static_cast<WORD>(msOfDay / 3600000);
  st.wMinute = static_cast<WORD>(msOfDay / 60000 % 60);
  st.wSecond = static_cast<WORD>(msOfDay / 1000 % 60);
  st.wMilliseconds = static_cast<WORD>(msOfDay % 1000);
  return st;
}

}  // namespace

BOOL GetVersionExA(OSVERSIONINFOA* info) {
  Machine* machine = CurrentMachine();
  if (!info || !machine) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  platform::VersionRecord record = machine->description().version();
  DWORD size = info->dwOSVersionInfoSize;
  bool extended = size == sizeof(OSVERSIONINFOEXA);
  if ((size != sizeof(OSVERSIONINFOA) && !extended) || (extended && !record.acceptsExtended)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  info->dwMajorVersion = record.major;
  info->dwMinorVersion = record.minor;
  info->dwBuildNumber = record.build;
  info->dwPlatformId = record.platformId;
  std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
  std::strncpy(info->szCSDVersion, record.csdVersion.c_str(), sizeof info->szCSDVersion - 1);
  if (extended) {
    auto* ex = reinterpret_cast<OSVERSIONINFOEXA*>(info);
    ex->wServicePackMajor = record.servicePackMajor;
    ex->wServicePackMinor = record.servicePackMinor;
    ex->wSuiteMask = record.suiteMask;
    ex->wProductType = record.productType;
    ex->wReserved = 0;
  }
  return TRUE;
}

BOOL GetVersionExA(OSVERSIONINFOEXA* info) { return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(info)); }

UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
  Machine* machine = CurrentMachine();
  if (!machine) return 0;
  return CopyFolder(machine->folders().windows, buffer, size);
}

UINT GetSystemDirectoryA(LPSTR buffer, UINT size) {
  Machine* machine = CurrentMachine();
  if (!machine) return 0;
  return CopyFolder(machine->folders().system, buffer, size);
}

BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE* token) {
  Machine* machine = CurrentMachine();
  if (!machine || !machine->isNt()) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
  }
  if (!token || process != GetCurrentProcess()) {
    SetLastError(!token ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *token = platform::RegisterKernelObject(std::make_unique<ProcessToken>());
  return TRUE;
}

BOOL GetUserProfileDirectoryA(HANDLE token, LPSTR buffer, DWORD* size) {
  Machine* machine = CurrentMachine();
  if (!machine || !machine->isNt()) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return FALSE;
  }
  if (!platform::LookupKernelObjectAs<ProcessToken>(token)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return CopyProfileFolder(machine->folders().userProfile, buffer, size);
}

BOOL GetAllUsersProfileDirectoryA(LPSTR buffer, DWORD* size) {
  Machine* machine = CurrentMachine();
  if (!machine || machine->folders().allUsers.empty()) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return FALSE;
  }
  return CopyProfileFolder(machine->folders().allUsers, buffer, size);
}

void GetSystemTime(SYSTEMTIME* time) {
  Machine* machine = CurrentMachine();
  if (!time || !machine) return;
  *time = ToSystemTime(machine->clock().NowUtc());
}

void GetLocalTime(SYSTEMTIME* time) {
  Machine* machine = CurrentMachine();
  if (!time || !machine) return;
  *time = ToSystemTime(machine->clock().NowUtc() + std::int64_t{machine->localOffsetMinutes()} * 60000 * kFileTimePerMs);
}

DWORD GetTickCount() {
  Machine* machine = CurrentMachine();
  return machine ? static_cast<DWORD>(machine->clock().TickMs()) : 0;
}

void Sleep(DWORD ms) {
  if (Machine* machine = CurrentMachine()) machine->clock().Sleep(ms);
}

BOOL ExitWindowsEx(UINT flags, DWORD) {
  platform::TheJournal().Record("ExitWindowsEx", {std::to_string(flags)});
  return TRUE;
}
