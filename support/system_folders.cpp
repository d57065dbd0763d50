#include "support/system_folders.h"

#include "platform/base/kernel_handles.h"
#include "support/COpSysInfo.h"
#include "support/path_helpers.h"

std::string g_WindowsDir;
std::string g_SystemDir;
std::string g_AllUsersDir;
std::string g_UserProfileDir;

namespace {
constexpr unsigned kBufferSize = 255;

// Each call gets a fresh buffer so a failure can never hand on the previous
// call's folder.
std::string FreshBuffer() { return std::string(kBufferSize, '\0'); }

bool IsNtFamily() { return !g_OSInfo().IsWin9x() && !g_OSInfo().IsWinME(); }

std::string AllUsersFolder() {
  std::string buffer = FreshBuffer();
  DWORD size = kBufferSize;
  if (!GetAllUsersProfileDirectoryA(buffer.data(), &size)) return {};
  return TrimNullChars(buffer);
}

std::string UserProfileFolder() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  std::string buffer = FreshBuffer();
  DWORD size = kBufferSize;
  BOOL ok = GetUserProfileDirectoryA(token, buffer.data(), &size);
  CloseHandle(token);
  return ok ? TrimNullChars(buffer) : std::string();
}
}  // namespace

void InitSystemFolders() {
  std::string buffer = FreshBuffer();
  g_WindowsDir = GetWindowsDirectoryA(buffer.data(), kBufferSize) ? TrimNullChars(buffer) : std::string();
  buffer = FreshBuffer();
  g_SystemDir = GetSystemDirectoryA(buffer.data(), kBufferSize) ? TrimNullChars(buffer) : std::string();
  g_AllUsersDir = IsNtFamily() ? AllUsersFolder() : g_WindowsDir.substr(0, 3);
  g_UserProfileDir = IsNtFamily() ? UserProfileFolder() : g_WindowsDir.substr(0, 3);
}
