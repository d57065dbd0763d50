#include <gtest/gtest.h>

#include <cstring>

#include "platform/files/file_content.h"
#include "platform/files/kernel32_files.h"
#include "support/temp_machine.h"

namespace {

using tessaly::testing::TempMachine;
using tessaly::testing::DriveTableMachine;

DWORD Code(BOOL ok) { return ok ? ERROR_SUCCESS : GetLastError(); }

TEST(FileOperations, DeleteMoveCopyAndFolderErrors) {
  TempMachine m(DriveTableMachine());
  m.Put("a.txt", "a");
  m.Put("b.txt", "b");
  m.Put("Full/x.txt", "x");
  std::filesystem::create_directories(m.drive() / "Empty");
  struct Case {
    const char* what;
    DWORD got;
    DWORD expected;
  } cases[] = {
      {"delete missing", Code(DeleteFileA("C:\\none.txt")), ERROR_FILE_NOT_FOUND},
      {"delete in missing folder", Code(DeleteFileA("C:\\No\\none.txt")), ERROR_PATH_NOT_FOUND},
      {"delete folder", Code(DeleteFileA("C:\\Full")), ERROR_ACCESS_DENIED},
      {"mkdir existing", Code(CreateDirectoryA("C:\\Full", nullptr)), ERROR_ALREADY_EXISTS},
      {"mkdir missing parent", Code(CreateDirectoryA("C:\\No\\Sub", nullptr)), ERROR_PATH_NOT_FOUND},
      {"rmdir not empty", Code(RemoveDirectoryA("C:\\Full")), ERROR_DIR_NOT_EMPTY},
      {"rmdir root", Code(RemoveDirectoryA("C:\\")), ERROR_ACCESS_DENIED},
      {"rmdir missing", Code(RemoveDirectoryA("C:\\Nope")), ERROR_FILE_NOT_FOUND},
      {"move onto existing", Code(MoveFileA("C:\\a.txt", "C:\\b.txt")), ERROR_ALREADY_EXISTS},
      {"move missing", Code(MoveFileA("C:\\none.txt", "C:\\c.txt")), ERROR_FILE_NOT_FOUND},
      {"move folder into itself", Code(MoveFileA("C:\\Full", "C:\\Full\\Inner")), ERROR_ACCESS_DENIED},
      {"copy fail if exists", Code(CopyFileA("C:\\a.txt", "C:\\b.txt", TRUE)), ERROR_FILE_EXISTS},
      {"copy missing", Code(CopyFileA("C:\\none.txt", "C:\\c.txt", FALSE)), ERROR_FILE_NOT_FOUND},
      {"copy folder", Code(CopyFileA("C:\\Full", "C:\\c.txt", FALSE)), ERROR_ACCESS_DENIED},
      {"null path", Code(DeleteFileA(nullptr)), ERROR_INVALID_PARAMETER},
      {"rmdir empty", Code(RemoveDirectoryA("C:\\Empty")), ERROR_SUCCESS},
      {"mkdir", Code(CreateDirectoryA("C:\\New Folder", nullptr)), ERROR_SUCCESS},
      {"replace", Code(MoveFileExA("C:\\a.txt", "C:\\b.txt", MOVEFILE_REPLACE_EXISTING)), ERROR_SUCCESS},
      {"move folder", Code(MoveFileA("C:\\Full", "C:\\New Folder\\Moved")), ERROR_SUCCESS},
      {"move across drives", Code(MoveFileA("C:\\b.txt", "E:\\b.txt")), ERROR_WRITE_PROTECT},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
  EXPECT_EQ(m.HostContent("b.txt"), "a");
  EXPECT_EQ(m.HostContent("New Folder/Moved/x.txt"), "x");
  EXPECT_EQ(GetFileAttributesA("C:\\a.txt"), INVALID_FILE_ATTRIBUTES);

  // Copy keeps R/H/S and sets A; a read-only destination refuses.
  ASSERT_EQ(SetFileAttributesA("C:\\b.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY), TRUE);
  ASSERT_EQ(CopyFileA("C:\\b.txt", "C:\\copy.txt", TRUE), TRUE);
  EXPECT_EQ(GetFileAttributesA("C:\\copy.txt"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(Code(CopyFileA("C:\\New Folder\\Moved\\x.txt", "C:\\copy.txt", FALSE)), ERROR_ACCESS_DENIED);
  EXPECT_EQ(m.HostContent("copy.txt"), "a");
  // A change of case only is a rename.
  ASSERT_EQ(MoveFileA("C:\\copy.txt", "C:\\COPY.TXT"), TRUE);
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("C:\\copy.txt", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "COPY.TXT");
  FindClose(h);
}

TEST(FileOperations, MoveFileExIsNtOnly) {
  TempMachine m(DriveTableMachine(platform::OsKind::WinMe));
  m.Put("a.txt", "a");
  EXPECT_EQ(Code(MoveFileExA("C:\\a.txt", "C:\\b.txt", 0)), ERROR_CALL_NOT_IMPLEMENTED);
  EXPECT_EQ(Code(MoveFileExA("C:\\a.txt", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)), ERROR_CALL_NOT_IMPLEMENTED);
  EXPECT_EQ(Code(MoveFileA("C:\\a.txt", "C:\\b.txt")), ERROR_SUCCESS);
}

TEST(FileOperations, HandlesReadWriteSeekAndTruncate) {
  TempMachine m(DriveTableMachine());
  HANDLE h = CreateFileA("C:\\f.bin", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD n = 0;
  ASSERT_EQ(WriteFile(h, "hello world", 11, &n, nullptr), TRUE);
  EXPECT_EQ(n, 11u);
  EXPECT_EQ(SetFilePointer(h, -5, nullptr, FILE_END), 6u);
  char buffer[16] = {};
  ASSERT_EQ(ReadFile(h, buffer, sizeof buffer, &n, nullptr), TRUE);
  EXPECT_EQ(std::string(buffer, n), "world");
  ASSERT_EQ(ReadFile(h, buffer, sizeof buffer, &n, nullptr), TRUE);
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(SetFilePointer(h, 5, nullptr, FILE_BEGIN), 5u);
  ASSERT_EQ(SetEndOfFile(h), TRUE);
  DWORD high = 7;
  EXPECT_EQ(GetFileSize(h, &high), 5u);
  EXPECT_EQ(high, 0u);
  EXPECT_EQ(SetFilePointer(h, -10, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  ASSERT_EQ(CloseHandle(h), TRUE);
  EXPECT_EQ(CloseHandle(h), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(ReadFile(h, buffer, 1, &n, nullptr), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(m.HostContent("f.bin"), "hello");
  EXPECT_EQ(GetFileAttributesA("C:\\f.bin"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);

  struct Case {
    const char* path;
    DWORD access, disposition, error;
  } cases[] = {
      {"C:\\f.bin", GENERIC_READ, CREATE_NEW, ERROR_FILE_EXISTS},
      {"C:\\missing.bin", GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
      {"C:\\No\\missing.bin", GENERIC_WRITE, CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
      {"C:\\", GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED},
      {"C:\\f.bin", GENERIC_READ, 9, ERROR_INVALID_PARAMETER},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CreateFileA(c.path, c.access, 0, nullptr, c.disposition, 0, nullptr), INVALID_HANDLE_VALUE) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
  }
  h = CreateFileA("C:\\f.bin", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(GetFileSize(h, nullptr), 0u);
  EXPECT_EQ(ReadFile(h, buffer, 1, &n, nullptr), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  CloseHandle(h);
}

TEST(FileOperations, CurrentDirectoryAndRelativePaths) {
  TempMachine m(DriveTableMachine());
  m.Put("Program Files/Tessaly/lang.txt", "en");
  m.Put("Work/w.txt", "w");
  char buffer[MAX_PATH];
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 24u);
  EXPECT_STREQ(buffer, "C:\\Program Files\\Tessaly");
  char tiny[4] = "abc";
  EXPECT_EQ(GetCurrentDirectoryA(sizeof tiny, tiny), 25u);
  EXPECT_STREQ(tiny, "abc");
  std::string bytes;
  EXPECT_EQ(platform::files::ReadFileContent("lang.txt", bytes), ERROR_SUCCESS);
  EXPECT_EQ(bytes, "en");
  ASSERT_EQ(SetCurrentDirectoryA("\\work\\"), TRUE);
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 7u);
  EXPECT_STREQ(buffer, "C:\\Work");
  EXPECT_EQ(platform::files::ReadFileContent("C:w.txt", bytes), ERROR_SUCCESS);
  EXPECT_EQ(platform::files::ReadFileContent("..\\Program Files\\Tessaly\\lang.txt", bytes), ERROR_SUCCESS);
  EXPECT_EQ(Code(SetCurrentDirectoryA("C:\\Nope")), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Code(SetCurrentDirectoryA("C:\\Nope\\Deeper")), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(Code(SetCurrentDirectoryA("E:")), ERROR_SUCCESS);
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 3u);
  EXPECT_STREQ(buffer, "E:\\");
}

TEST(FileOperations, TempPathByFamily) {
  using Environment = std::vector<std::pair<std::string, std::string>>;
  auto withEnvironment = [](const Environment& environment, platform::OsKind os = platform::OsKind::WinXP) {
    auto builder = DriveTableMachine(os);
    builder.description().environment = environment;
    return builder;
  };
  char buffer[MAX_PATH];
  {
    TempMachine m(withEnvironment({{"TMP", ""}, {"TEMP", "C:\\Temp"}}));  // "" removes a variable
    EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 8u);
    EXPECT_STREQ(buffer, "C:\\Temp\\");
    char tiny[3] = "ab";
    EXPECT_EQ(GetTempPathA(sizeof tiny, tiny), 9u);
    EXPECT_STREQ(tiny, "ab");
  }
  {
    TempMachine m(withEnvironment({{"TMP", ""}, {"TEMP", ""}}));
    GetTempPathA(sizeof buffer, buffer);
    EXPECT_STREQ(buffer, "C:\\Documents and Settings\\User\\");
  }
  const Environment none = {{"TMP", ""}, {"TEMP", ""}, {"USERPROFILE", ""}};
  {
    TempMachine m(withEnvironment(none));
    GetTempPathA(sizeof buffer, buffer);
    EXPECT_STREQ(buffer, "C:\\WINDOWS\\");
  }
  TempMachine m(withEnvironment(none, platform::OsKind::Win98));
  GetTempPathA(sizeof buffer, buffer);
  EXPECT_STREQ(buffer, "C:\\Program Files\\Tessaly\\");
}

TEST(FileOperations, DrivesFromTheTable) {
  TempMachine m(DriveTableMachine());
  EXPECT_EQ(GetDriveTypeA("C:\\"), 3u);
  EXPECT_EQ(GetDriveTypeA("c:"), 3u);
  EXPECT_EQ(GetDriveTypeA("d:\\"), 5u);
  EXPECT_EQ(GetDriveTypeA(nullptr), 3u);
  EXPECT_EQ(GetDriveTypeA("Q:\\"), DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(GetDriveTypeA("C:\\Windows"), DRIVE_UNKNOWN);
  EXPECT_EQ(GetDriveTypeA("nonsense"), DRIVE_UNKNOWN);
  EXPECT_EQ(GetLogicalDrives(), (1u << 2) | (1u << 3) | (1u << 4));
  char buffer[32];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(GetLogicalDriveStringsA(sizeof buffer, buffer), 12u);
  EXPECT_EQ(std::string(buffer, 13), std::string("C:\\\0D:\\\0E:\\\0\0", 13));
  EXPECT_EQ(GetLogicalDriveStringsA(12, buffer), 13u);

  char label[32], fs[16];
  DWORD serial = 0, maxComponent = 0, flags = 0;
  ASSERT_EQ(GetVolumeInformationA("C:\\", label, sizeof label, &serial, &maxComponent, &flags, fs, sizeof fs), TRUE);
  EXPECT_STREQ(label, "SYSTEM");
  EXPECT_STREQ(fs, "NTFS");
  EXPECT_EQ(serial, 0x1234ABCDu);
  EXPECT_EQ(maxComponent, 255u);
  EXPECT_EQ(flags, FILE_CASE_PRESERVED_NAMES);
  EXPECT_EQ(Code(GetVolumeInformationA("D:\\", label, sizeof label, nullptr, nullptr, nullptr, fs, sizeof fs)), ERROR_NOT_READY);
  EXPECT_EQ(Code(GetVolumeInformationA("Q:\\", label, sizeof label, nullptr, nullptr, nullptr, fs, sizeof fs)), ERROR_PATH_NOT_FOUND);
}

TEST(FileOperations, NoMachineBoundFailsCleanly) {
  EXPECT_EQ(GetFileAttributesA("C:\\x"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(DeleteFileA("C:\\x"), FALSE);
  WIN32_FIND_DATAA data;
  EXPECT_EQ(FindFirstFileA("C:\\*", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLogicalDrives(), 0u);
  std::string bytes;
  EXPECT_NE(platform::files::ReadFileContent("C:\\x", bytes), ERROR_SUCCESS);
}

}  // namespace
