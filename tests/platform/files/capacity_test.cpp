#include <gtest/gtest.h>

#include "platform/files/file_content.h"
#include "platform/files/file_seams.h"
#include "platform/files/kernel32_files.h"
#include "support/files_fixture.h"

namespace {

using tessaly::testing::FilesMachine;
using tessaly::testing::FilesTestDescription;

platform::MachineDescription SmallDrive(platform::OsKind os = platform::OsKind::WinXP) {
  auto d = FilesTestDescription(os);
  d.drives[0].capacity = 64 * 1024;  // 16 clusters of 4 KB
  return d;
}

TEST(Capacity, WritingPastTheCapacityFailsAndKeepsOtherFiles) {
  FilesMachine m(SmallDrive());
  m.Put("keep.txt", std::string(5000, 'k'));  // 2 clusters
  using platform::files::WriteFileContent;
  ASSERT_EQ(WriteFileContent("C:\\a.bin", std::string(40000, 'a')), ERROR_SUCCESS);  // 10 clusters
  EXPECT_EQ(WriteFileContent("C:\\b.bin", std::string(20000, 'b')), ERROR_DISK_FULL);  // would need 5
  EXPECT_EQ(GetFileAttributesA("C:\\b.bin"), INVALID_FILE_ATTRIBUTES);
  // Replacing a file past the capacity leaves its old content.
  EXPECT_EQ(WriteFileContent("C:\\a.bin", std::string(60000, 'A')), ERROR_DISK_FULL);
  EXPECT_EQ(m.HostContent("a.bin"), std::string(40000, 'a'));
  EXPECT_EQ(m.HostContent("keep.txt"), std::string(5000, 'k'));

  // Handle writes: the failing write writes nothing.
  HANDLE h = CreateFileA("C:\\c.bin", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 99;
  ASSERT_EQ(WriteFile(h, std::string(16384, 'c').data(), 16384, &written, nullptr), TRUE);  // 4 clusters: full
  EXPECT_EQ(WriteFile(h, "x", 1, &written, nullptr), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(GetFileSize(h, nullptr), 16384u);
  // Growing with SetEndOfFile counts too.
  EXPECT_EQ(SetFilePointer(h, 100000, nullptr, FILE_BEGIN), 100000u);
  EXPECT_EQ(SetEndOfFile(h), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
  CloseHandle(h);
  EXPECT_EQ(CopyFileA("C:\\a.bin", "C:\\a2.bin", TRUE), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);

  // Deleting frees the space again.
  ASSERT_EQ(DeleteFileA("C:\\a.bin"), TRUE);
  EXPECT_EQ(WriteFileContent("C:\\b.bin", std::string(20000, 'b')), ERROR_SUCCESS);
  DWORD spc, bps, freeClusters, total;
  ASSERT_EQ(GetDiskFreeSpaceA("C:\\", &spc, &bps, &freeClusters, &total), TRUE);
  EXPECT_EQ(spc * bps, 4096u);
  EXPECT_EQ(total, 16u);
  EXPECT_EQ(freeClusters, 16u - 2 - 4 - 5);
}

TEST(Capacity, FreeSpaceComesFromTheDriveTable) {
  auto d = FilesTestDescription(platform::OsKind::Win98);
  d.drives[0].capacity = 8ull << 30;
  d.drives[0].clusterSize = 32768;
  {
    FilesMachine m(d);
    m.Put("x.bin", std::string(100, 'x'));
    DWORD spc, bps, freeClusters, total;
    ASSERT_EQ(GetDiskFreeSpaceA(nullptr, &spc, &bps, &freeClusters, &total), TRUE);
    EXPECT_EQ(static_cast<std::uint64_t>(total) * 32768, (2ull << 30) - 32768);  // 9x cap
    EXPECT_EQ(freeClusters, total);
    ULARGE_INTEGER caller, all, free;
    ASSERT_EQ(GetDiskFreeSpaceExA("C:\\Windows\\..", &caller, &all, &free), TRUE);
    EXPECT_EQ(all.QuadPart, 8ull << 30);
    EXPECT_EQ(free.QuadPart, (8ull << 30) - 32768);
    EXPECT_EQ(caller.QuadPart, free.QuadPart);
    EXPECT_EQ(GetDiskFreeSpaceA("D:\\", &spc, &bps, &freeClusters, &total), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_NOT_READY);
  }
  d.os = platform::OsKind::WinXP;
  FilesMachine nt(d);
  DWORD spc, bps, freeClusters, total;
  ASSERT_EQ(GetDiskFreeSpaceA("c:", &spc, &bps, &freeClusters, &total), TRUE);
  EXPECT_EQ(total, (8ull << 30) / 32768);
}

TEST(Capacity, WriteBudgetIsABackstop) {
  FilesMachine m;
  platform::files::SetWriteBudget(1000);
  EXPECT_EQ(platform::files::WriteFileContent("C:\\a.txt", std::string(600, 'a')), ERROR_SUCCESS);
  EXPECT_EQ(platform::files::WriteFileContent("C:\\b.txt", std::string(600, 'b')), ERROR_DISK_FULL);
  EXPECT_EQ(GetFileAttributesA("C:\\b.txt"), INVALID_FILE_ATTRIBUTES);
  platform::files::SetWriteBudget(std::nullopt);
  EXPECT_EQ(platform::files::WriteFileContent("C:\\b.txt", std::string(600, 'b')), ERROR_SUCCESS);
}

}  // namespace
