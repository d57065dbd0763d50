#include "support/system_folders.h"

#include <gtest/gtest.h>

#include "platform/base/kernel_handles.h"
#include "platform/machine/sysinfo.h"
#include "support/temp_machine.h"

using platform::OsKind;
using tessaly::testing::TempMachine;

TEST(InitSystemFolders, FillsTheFourFoldersOnEveryFamily) {
  struct Case {
    OsKind os;
    const char* windows;
    const char* system;
    const char* allUsers;
    const char* profile;
  } cases[] = {
      {OsKind::WinXP, "C:\\WINDOWS", "C:\\WINDOWS\\system32", "C:\\Documents and Settings\\All Users",
       "C:\\Documents and Settings\\User"},
      {OsKind::Win2000, "C:\\WINNT", "C:\\WINNT\\system32", "C:\\Documents and Settings\\All Users",
       "C:\\Documents and Settings\\User"},
      // NT 4.0 has no all-users call: the global stays empty, never a copy of
      // the system folder.
      {OsKind::NT4, "C:\\WINNT", "C:\\WINNT\\system32", "", "C:\\WINNT\\Profiles\\User"},
      {OsKind::Win98, "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\", "C:\\"},
      {OsKind::WinMe, "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\", "C:\\"},
  };
  for (const auto& c : cases) {
    TempMachine m(c.os);
    InitSystemFolders();
    SCOPED_TRACE(c.windows);
    EXPECT_EQ(g_WindowsDir, c.windows);
    EXPECT_EQ(g_SystemDir, c.system);
    EXPECT_EQ(g_AllUsersDir, c.allUsers);
    EXPECT_EQ(g_UserProfileDir, c.profile);
  }
}

TEST(InitSystemFolders, ClosesTheProcessTokenItOpens) {
  TempMachine m(OsKind::WinXP);
  InitSystemFolders();
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  // Handles come from a counter; the fill's token was released, so only this
  // one is open and closing it twice fails the second time.
  EXPECT_TRUE(CloseHandle(token));
  EXPECT_FALSE(CloseHandle(token));
  EXPECT_EQ(platform::LookupKernelObject(reinterpret_cast<HANDLE>(0x100)), nullptr);
}
