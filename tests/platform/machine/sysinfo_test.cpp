#include "platform/machine/sysinfo.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/kernel_handles.h"
#include "platform/base/last_error.h"
#include "support/temp_machine.h"

using platform::OsKind;
using tessaly::testing::TempMachine;

namespace {

TEST(GetVersionExA, RecordSizesAndTheNineXRefusalOfTheExtendedOne) {
  struct Case {
    OsKind os;
    DWORD size;
    bool ok;
  } cases[] = {
      {OsKind::WinXP, 148, true}, {OsKind::WinXP, 156, true}, {OsKind::WinXP, 150, false},
      {OsKind::Win98, 148, true}, {OsKind::Win98, 156, false}, {OsKind::NT4, 156, true},
  };
  for (const auto& c : cases) {
    TempMachine m(c.os);
    OSVERSIONINFOEXA info;
    std::memset(&info, 0xAB, sizeof info);
    info.dwOSVersionInfoSize = c.size;
    SetLastError(0);
    EXPECT_EQ(GetVersionExA(&info) != 0, c.ok) << c.size;
    if (!c.ok) {
      EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
      EXPECT_EQ(info.dwMajorVersion, 0xABABABABu) << "a refused call writes nothing";
    } else if (c.size == 148) {
      EXPECT_EQ(info.wServicePackMajor, 0xABAB) << "the basic record stops at 148 bytes";
    }
  }
}

TEST(GetVersionExA, NineXBuildCarriesTheVersionInItsHighWord) {
  TempMachine m(OsKind::WinMe);
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExA(&info));
  EXPECT_EQ(info.dwBuildNumber, 0x045A0BB8u);
  EXPECT_EQ(info.dwPlatformId, 1u);
}

TEST(FolderCalls, LengthWithoutNulOrNeededSizeWithIt) {
  TempMachine m(OsKind::WinXP);
  char buffer[64];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 10u);
  EXPECT_STREQ(buffer, "C:\\WINDOWS");
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(GetSystemDirectoryA(buffer, 5), 20u) << "needed size with the NUL";
  EXPECT_EQ(buffer[0], 'x') << "nothing copied when the buffer is too small";
  EXPECT_EQ(GetSystemDirectoryA(buffer, 21), 19u);
  EXPECT_STREQ(buffer, "C:\\WINDOWS\\system32");
}

TEST(ProfileCalls, ExistOnlyWhereTheOsHasThem) {
  {
    TempMachine m(OsKind::Win98);
    HANDLE token = nullptr;
    EXPECT_FALSE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    EXPECT_EQ(GetLastError(), ERROR_CALL_NOT_IMPLEMENTED);
    char buffer[255];
    DWORD size = sizeof buffer;
    EXPECT_FALSE(GetUserProfileDirectoryA(nullptr, buffer, &size));
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_FALSE(GetAllUsersProfileDirectoryA(buffer, &size));
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  }
  {
    TempMachine m(OsKind::NT4);
    char buffer[255];
    DWORD size = sizeof buffer;
    EXPECT_FALSE(GetAllUsersProfileDirectoryA(buffer, &size));
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    EXPECT_TRUE(GetUserProfileDirectoryA(token, buffer, &size));
    EXPECT_STREQ(buffer, "C:\\WINNT\\Profiles\\User");
    EXPECT_EQ(size, 23u) << "characters with the NUL";
    CloseHandle(token);
  }
}

TEST(ProfileCalls, SmallBufferAndBadArguments) {
  TempMachine m(OsKind::WinXP);
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  char buffer[8] = "unsent";
  DWORD size = sizeof buffer;
  EXPECT_FALSE(GetUserProfileDirectoryA(token, buffer, &size));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(size, 31u);
  EXPECT_STREQ(buffer, "unsent");
  EXPECT_FALSE(GetUserProfileDirectoryA(token, buffer, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  CloseHandle(token);
  size = sizeof buffer;
  EXPECT_FALSE(GetUserProfileDirectoryA(token, buffer, &size)) << "a closed token";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, nullptr));
}

TEST(Clock, LocalTimeFollowsTheMachineBiasAndSleepAdvancesTheTestClock) {
  auto builder = tessaly::testing::TestMachine(OsKind::WinXP);
  builder.description().timeZoneBias = -120;  // UTC+2
  TempMachine m(builder);
  SYSTEMTIME utc{}, local{};
  GetSystemTime(&utc);
  GetLocalTime(&local);
  EXPECT_EQ(utc.wYear, 2006);
  EXPECT_EQ(utc.wMonth, 6);
  EXPECT_EQ(utc.wDay, 15);
  EXPECT_EQ(utc.wDayOfWeek, 4);  // a Thursday
  EXPECT_EQ(utc.wHour, 12);
  EXPECT_EQ(local.wHour, 14);
  DWORD before = GetTickCount();
  Sleep(1500);
  EXPECT_EQ(GetTickCount() - before, 1500u);
  GetSystemTime(&utc);
  EXPECT_EQ(utc.wSecond, 1);
  EXPECT_EQ(utc.wMilliseconds, 500);
}

TEST(Calls, NoBoundMachineFailsCleanly) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  EXPECT_FALSE(GetVersionExA(&info));
  char buffer[16];
  EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 0u);
  EXPECT_FALSE(GetVersionExA(static_cast<OSVERSIONINFOA*>(nullptr)));
}

}  // namespace
