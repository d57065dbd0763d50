// Folders changed on the host while the machine is open: a renamed folder is
// found under its new name only, and a link put in a folder's place stays
// invisible even after the folder was used.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/files/file_content.h"
#include "platform/files/kernel32_files.h"
#include "support/temp_machine.h"

namespace {

using tessaly::testing::TempMachine;

std::string Read(const char* path) {
  std::string bytes;
  return platform::files::ReadFileContent(path, bytes) == ERROR_SUCCESS ? bytes : "<unreadable>";
}

TEST(HostChanges, RenamedDeletedAndLinkedFoldersAreNotReachedThroughTheCache) {
  TempMachine m;
  std::filesystem::create_directories(m.hostPath("C:\\Deep\\Inner"));
  std::ofstream(m.hostPath("C:\\Deep\\Inner\\f.txt")) << "inside";
  EXPECT_EQ(Read("C:\\Deep\\Inner\\f.txt"), "inside");
  EXPECT_EQ(Read("C:\\DEEP\\inner\\F.TXT"), "inside");

  // Renamed on the host: the old path is gone, the new one works.
  std::filesystem::rename(m.hostPath("C:\\Deep"), m.hostPath("C:\\Moved"));
  EXPECT_EQ(Read("C:\\Deep\\Inner\\f.txt"), "<unreadable>");
  EXPECT_EQ(Read("C:\\Moved\\Inner\\f.txt"), "inside");

  // The same name now a link to a folder outside the machine: invisible.
  std::filesystem::path outside = m.folder() / "outside";
  std::filesystem::create_directories(outside / "Inner");
  std::ofstream(outside / "Inner" / "f.txt") << "host secret";
  std::filesystem::create_directory_symlink(outside, m.hostPath("C:\\Deep"));
  EXPECT_EQ(Read("C:\\Deep\\Inner\\f.txt"), "<unreadable>");
  EXPECT_EQ(GetFileAttributesA("C:\\Deep\\Inner\\f.txt"), INVALID_FILE_ATTRIBUTES);

  // A folder deleted and made again through the layer is found afresh.
  std::filesystem::remove(m.hostPath("C:\\Deep"));
  ASSERT_TRUE(CreateDirectoryA("C:\\Deep", nullptr));
  ASSERT_TRUE(CreateDirectoryA("C:\\Deep\\Inner", nullptr));
  ASSERT_EQ(platform::files::WriteFileContent("C:\\Deep\\Inner\\f.txt", "again"), ERROR_SUCCESS);
  EXPECT_EQ(Read("C:\\Deep\\Inner\\f.txt"), "again");
  EXPECT_EQ(Read("C:\\Moved\\Inner\\f.txt"), "inside");
}

}  // namespace
