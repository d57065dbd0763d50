#include "platform/files/delayed_moves.h"

#include <gtest/gtest.h>

#include "platform/files/file_content.h"
#include "platform/files/file_seams.h"
#include "platform/files/kernel32_files.h"
#include "support/files_fixture.h"

namespace {

using tessaly::testing::FilesMachine;
using tessaly::testing::FilesTestDescription;

TEST(DelayedMoves, WininitRenameSectionAppliesAtRestartOn9x) {
  FilesMachine m(FilesTestDescription(platform::OsKind::Win98));
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

// Records pairs in memory, as the registry value would.
class MemoryStore : public platform::files::PendingRenameStore {
 public:
  DWORD Append(platform::Machine&, const std::string& source, const std::string& destination) override {
    pairs.emplace_back(source, destination);
    return ERROR_SUCCESS;
  }
  std::vector<std::pair<std::string, std::string>> Take(platform::Machine&) override {
    auto taken = std::move(pairs);
    pairs.clear();
    return taken;
  }
  std::vector<std::pair<std::string, std::string>> pairs;
};

TEST(DelayedMoves, NtPendingOperationsApplyInOrder) {
  FilesMachine m;
  auto owned = std::make_unique<MemoryStore>();
  MemoryStore* store = owned.get();
  platform::files::InstallPendingRenameStore(std::move(owned));
  m.Put("Program Files/Tessaly/old.dll", "old");
  m.Put("Program Files/Tessaly/new.dll", "new");
  m.Put("a.txt", "a");
  ASSERT_EQ(MoveFileExA("C:\\Program Files\\Tessaly\\old.dll", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT), TRUE);
  ASSERT_EQ(MoveFileExA("new.dll", "C:\\Program Files\\Tessaly\\old.dll",
                        MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING), TRUE);
  ASSERT_EQ(MoveFileExA("C:\\later.txt", "C:\\b.txt", MOVEFILE_DELAY_UNTIL_REBOOT), TRUE);  // need not exist
  ASSERT_EQ(store->pairs.size(), 3u);
  EXPECT_EQ(store->pairs[0], std::make_pair(std::string("\\??\\C:\\Program Files\\Tessaly\\old.dll"), std::string()));
  EXPECT_EQ(store->pairs[1].second, "!\\??\\C:\\Program Files\\Tessaly\\old.dll");
  EXPECT_EQ(store->pairs[1].first, "\\??\\C:\\Program Files\\Tessaly\\new.dll");
  EXPECT_EQ(GetFileAttributesA("C:\\Program Files\\Tessaly\\old.dll"), FILE_ATTRIBUTE_ARCHIVE);  // nothing yet
  m.machine().Restart();
  EXPECT_EQ(m.HostContent("Program Files/Tessaly/old.dll"), "new");
  EXPECT_EQ(GetFileAttributesA("C:\\Program Files\\Tessaly\\new.dll"), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(store->pairs.empty());
  platform::files::InstallPendingRenameStore(nullptr);
}

}  // namespace
