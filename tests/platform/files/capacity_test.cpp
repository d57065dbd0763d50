#include <gtest/gtest.h>

#include "platform/files/file_content.h"
#include "platform/files/file_seams.h"
#include "platform/files/kernel32_files.h"
#include "support/temp_machine.h"

namespace {

using tessaly::testing::TempMachine;
using tessaly::testing::DriveTableMachine;
using tessaly::testing::SmallDriveMachine;

TEST(Capacity, WritingPastTheCapacityFailsAndKeepsOtherFiles) {
  TempMachine m(SmallDriveMachine());
  m.Put("keep.txt", std::string(5000, 'k'), 'F');  // 2 clusters
  using platform::files::WriteFileContent;
  ASSERT_EQ(WriteFileContent("F:\\a.bin", std::string(40000, 'a')), ERROR_SUCCESS);  // 10 clusters
  EXPECT_EQ(WriteFileContent("F:\\b.bin", std::string(20000, 'b')), ERROR_DISK_FULL);  // would need 5
  EXPECT_EQ(GetFileAttributesA("F:\\b.bin"), INVALID_FILE_ATTRIBUTES);
  // Replacing a file past the capacity leaves its old content.
  EXPECT_EQ(WriteFileContent("F:\\a.bin", std::string(60000, 'A')), ERROR_DISK_FULL);
  EXPECT_EQ(m.HostContent("a.bin", 'F'), std::string(40000, 'a'));
  EXPECT_EQ(m.HostContent("keep.txt", 'F'), std::string(5000, 'k'));

  // Handle writes: the failing write writes nothing.
  HANDLE h = CreateFileA("F:\\c.bin", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
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
  EXPECT_EQ(CopyFileA("F:\\a.bin", "F:\\a2.bin", TRUE), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);

  // Deleting frees the space again.
  ASSERT_EQ(DeleteFileA("F:\\a.bin"), TRUE);
  EXPECT_EQ(WriteFileContent("F:\\b.bin", std::string(20000, 'b')), ERROR_SUCCESS);
  DWORD spc, bps, freeClusters, total;
  ASSERT_EQ(GetDiskFreeSpaceA("F:\\", &spc, &bps, &freeClusters, &total), TRUE);
  EXPECT_EQ(spc * bps, 4096u);
  EXPECT_EQ(total, 16u);
  EXPECT_EQ(freeClusters, 16u - 2 - 4 - 5);
}

TEST(Capacity, FreeSpaceComesFromTheDriveTable) {
  auto big = [](platform::OsKind os) {
    auto builder = DriveTableMachine(os);
    for (auto& drive : builder.description().drives)
      if (drive.letter == 'C') {
        drive.capacity = 8ull << 30;
        drive.clusterSize = 32768;
      }
    return builder;
  };
  {
    TempMachine m(big(platform::OsKind::Win98));
    ULARGE_INTEGER caller, all, free, freeBefore;
    ASSERT_EQ(GetDiskFreeSpaceExA("C:\\", nullptr, nullptr, &freeBefore), TRUE);
    m.Put("x.bin", std::string(100, 'x'));
    m.Reopen();  // the next start sees the file placed from outside
    DWORD spc, bps, freeClusters, total;
    ASSERT_EQ(GetDiskFreeSpaceA(nullptr, &spc, &bps, &freeClusters, &total), TRUE);
    EXPECT_EQ(static_cast<std::uint64_t>(total) * 32768, (2ull << 30) - 32768);  // 9x cap
    EXPECT_EQ(freeClusters, total);
    ASSERT_EQ(GetDiskFreeSpaceExA("C:\\Windows\\..", &caller, &all, &free), TRUE);
    EXPECT_EQ(all.QuadPart, 8ull << 30);
    EXPECT_EQ(free.QuadPart, freeBefore.QuadPart - 32768);  // the new file's one cluster
    EXPECT_EQ(caller.QuadPart, free.QuadPart);
    EXPECT_EQ(GetDiskFreeSpaceA("D:\\", &spc, &bps, &freeClusters, &total), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_NOT_READY);
  }
  TempMachine nt(big(platform::OsKind::WinXP));
  DWORD spc, bps, freeClusters, total;
  ASSERT_EQ(GetDiskFreeSpaceA("c:", &spc, &bps, &freeClusters, &total), TRUE);
  EXPECT_EQ(total, (8ull << 30) / 32768);
}

TEST(Capacity, WriteBudgetIsABackstop) {
  TempMachine m(DriveTableMachine());
  platform::files::SetWriteBudget(1000);
  EXPECT_EQ(platform::files::WriteFileContent("C:\\a.txt", std::string(600, 'a')), ERROR_SUCCESS);
  EXPECT_EQ(platform::files::WriteFileContent("C:\\b.txt", std::string(600, 'b')), ERROR_DISK_FULL);
  EXPECT_EQ(GetFileAttributesA("C:\\b.txt"), INVALID_FILE_ATTRIBUTES);
  platform::files::SetWriteBudget(std::nullopt);
  EXPECT_EQ(platform::files::WriteFileContent("C:\\b.txt", std::string(600, 'b')), ERROR_SUCCESS);
}

}  // namespace
