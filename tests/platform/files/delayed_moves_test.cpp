#include "platform/files/delayed_moves.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/files/file_content.h"
#include "platform/files/file_seams.h"
#include "platform/files/kernel32_files.h"
#include "platform/registry/advapi32.h"
#include "support/temp_machine.h"

namespace {

using tessaly::testing::TempMachine;
using tessaly::testing::DriveTableMachine;

TEST(DelayedMoves, WininitRenameSectionAppliesAtRestartOn9x) {
  TempMachine m(DriveTableMachine(platform::OsKind::Win98));
  m.Put("WINDOWS/old1.dll", "1");
  m.Put("WINDOWS/old2.dll", "2");
  m.Put("Gone/inner.txt", "x");
  std::filesystem::create_directories(m.drive() / "EmptyDir");
  m.Put("NotEmpty/keep.txt", "k");
  m.Put("new.dll", "fresh");
  m.Put("target.dll", "stale");
  m.Put("outside.txt", "stays");
  ASSERT_EQ(platform::files::MarkFileInUse("C:\\WINDOWS\\old1.dll"), ERROR_SUCCESS);
  ASSERT_EQ(DeleteFileA("C:\\WINDOWS\\old1.dll"), FALSE);
  std::string wininit =
      "[Other]\r\nNUL=C:\\outside.txt\r\n"
      "[Rename]\r\n"
      "NUL=C:\\WINDOWS\\old1.dll\r\n"
      "nul=C:\\WINDOWS\\old2.dll\r\n"
      "NUL=C:\\missing.txt\r\n"
      "DIRNUL=C:\\EmptyDir\r\n"
      "DirNul=C:\\NotEmpty\r\n"
      "C:\\target.dll=C:\\new.dll\r\n";
  ASSERT_EQ(platform::files::WriteFileContent("C:\\WINDOWS\\WININIT.INI", wininit), ERROR_SUCCESS);
  m.machine().Restart();
  EXPECT_EQ(GetFileAttributesA("C:\\WINDOWS\\old1.dll"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA("C:\\WINDOWS\\old2.dll"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA("C:\\EmptyDir"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA("C:\\NotEmpty"), FILE_ATTRIBUTE_DIRECTORY);  // failed item skipped
  EXPECT_EQ(GetFileAttributesA("C:\\new.dll"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(m.HostContent("target.dll"), "fresh");
  EXPECT_EQ(m.HostContent("outside.txt"), "stays");
  EXPECT_EQ(GetFileAttributesA("C:\\WINDOWS\\WININIT.INI"), INVALID_FILE_ATTRIBUTES);
  std::string bak;
  ASSERT_EQ(platform::files::ReadFileContent("C:\\WINDOWS\\WININIT.BAK", bak), ERROR_SUCCESS);
  EXPECT_EQ(bak, wininit);
  // The process starts again in the program folder.
  char buffer[MAX_PATH];
  GetCurrentDirectoryA(sizeof buffer, buffer);
  EXPECT_STREQ(buffer, "C:\\Program Files\\Tessaly");
}

// The list kept in PendingFileRenameOperations, one string per entry.
std::vector<std::string> PendingList() {
  HKEY key = 0;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ, &key))
    return {};
  std::string data(4096, '\0');
  DWORD size = static_cast<DWORD>(data.size()), type = 0;
  LONG rc = RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                             &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return {};
  EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
  data.resize(size);
  std::vector<std::string> list;
  for (std::size_t start = 0; start + 1 < data.size();) {
    std::size_t end = data.find('\0', start);
    list.push_back(data.substr(start, end - start));
    start = end + 1;
  }
  return list;
}

TEST(DelayedMoves, NtPendingOperationsLiveInTheRegistryAndApplyInOrder) {
  TempMachine m(DriveTableMachine());
  m.Put("Program Files/Tessaly/old.dll", "old");
  m.Put("Program Files/Tessaly/new.dll", "new");
  ASSERT_EQ(MoveFileExA("C:\\Program Files\\Tessaly\\old.dll", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT), TRUE);
  ASSERT_EQ(MoveFileExA("new.dll", "C:\\Program Files\\Tessaly\\old.dll",
                        MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING), TRUE);
  ASSERT_EQ(MoveFileExA("C:\\later.txt", "C:\\b.txt", MOVEFILE_DELAY_UNTIL_REBOOT), TRUE);  // need not exist
  std::vector<std::string> expected = {"\\??\\C:\\Program Files\\Tessaly\\old.dll", "",
                                       "\\??\\C:\\Program Files\\Tessaly\\new.dll",
                                       "!\\??\\C:\\Program Files\\Tessaly\\old.dll", "\\??\\C:\\later.txt",
                                       "\\??\\C:\\b.txt"};
  EXPECT_EQ(PendingList(), expected);
  EXPECT_EQ(GetFileAttributesA("C:\\Program Files\\Tessaly\\old.dll"), FILE_ATTRIBUTE_ARCHIVE);  // nothing yet
  m.machine().Restart();
  EXPECT_EQ(m.HostContent("Program Files/Tessaly/old.dll"), "new");
  EXPECT_EQ(GetFileAttributesA("C:\\Program Files\\Tessaly\\new.dll"), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(PendingList().empty()) << "the value goes once applied";
}

TEST(DelayedMoves, NtLimitedUserCannotScheduleButTheRestartStillApplies) {
  TempMachine m(DriveTableMachine());
  m.Put("stale.dll", "x");
  m.Put("mine.dll", "y");
  ASSERT_EQ(MoveFileExA("C:\\stale.dll", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT), TRUE);

  // The same computer, now used by a limited user.
  m.Reconfigure([](platform::MachineDescription& d) { d.userKind = platform::UserKind::Limited; });
  ASSERT_TRUE(m.machine().isLimitedUser());
  EXPECT_EQ(MoveFileExA("C:\\mine.dll", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT), FALSE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(PendingList().size(), 2u) << "nothing added for the limited user";

  // The restart applies the list as the system would.
  m.machine().Restart();
  EXPECT_EQ(GetFileAttributesA("C:\\stale.dll"), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA("C:\\mine.dll"), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(PendingList().empty());
}

}  // namespace
