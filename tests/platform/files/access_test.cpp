// Folder rights, read-only files, files held by another process, in-use
// images and system-locked files.
#include <gtest/gtest.h>

#include "platform/files/file_content.h"
#include "platform/files/file_seams.h"
#include "platform/files/kernel32_files.h"
#include "support/temp_machine.h"

namespace {

using platform::files::HoldMode;
using tessaly::testing::TempMachine;
using tessaly::testing::DriveTableMachine;

// The results of the usual operations on one file, as Win32 codes.
struct Outcome {
  DWORD read, write, remove, rename, attributes;
};

Outcome Try(const std::string& path) {
  auto code = [](BOOL ok) { return ok ? ERROR_SUCCESS : GetLastError(); };
  Outcome o{};
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  o.read = code(h != INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  o.write = code(h != INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  o.attributes = code(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE));
  std::string renamed = path + ".moved";
  o.rename = code(MoveFileA(path.c_str(), renamed.c_str()));
  if (o.rename == ERROR_SUCCESS) MoveFileA(renamed.c_str(), path.c_str());
  o.remove = code(DeleteFileA(path.c_str()));
  return o;
}

void ExpectOutcome(const std::string& path, Outcome expected) {
  Outcome o = Try(path);
  EXPECT_EQ(o.read, expected.read) << path << " read";
  EXPECT_EQ(o.write, expected.write) << path << " write";
  EXPECT_EQ(o.attributes, expected.attributes) << path << " attributes";
  EXPECT_EQ(o.rename, expected.rename) << path << " rename";
  EXPECT_EQ(o.remove, expected.remove) << path << " delete";
}

TEST(Access, HeldInUseAndLockedFiles) {
  TempMachine m(DriveTableMachine());
  for (const char* name : {"free.txt", "denywrite.txt", "denyall.txt", "server.dll", "pagefile.sys",
                           "Program Files/Tessaly/tsy.exe"})
    m.Put(name, "x");
  ASSERT_EQ(platform::files::HoldFileByOtherProcess("C:\\denywrite.txt", HoldMode::DenyWrite), ERROR_SUCCESS);
  ASSERT_EQ(platform::files::HoldFileByOtherProcess("C:\\denyall.txt", HoldMode::DenyAll), ERROR_SUCCESS);
  ASSERT_EQ(platform::files::MarkFileInUse("C:\\server.dll"), ERROR_SUCCESS);
  constexpr DWORD ok = ERROR_SUCCESS, shared = ERROR_SHARING_VIOLATION, denied = ERROR_ACCESS_DENIED;
  ExpectOutcome("C:\\denywrite.txt", {ok, shared, shared, shared, ok});
  ExpectOutcome("C:\\denyall.txt", {shared, shared, shared, shared, ok});
  ExpectOutcome("C:\\server.dll", {ok, shared, denied, ok, ok});
  ExpectOutcome("C:\\Program Files\\Tessaly\\tsy.exe", {ok, shared, denied, ok, ok});
  ExpectOutcome("C:\\pagefile.sys", {shared, shared, shared, shared, shared});
  ExpectOutcome("C:\\free.txt", {ok, ok, ok, ok, ok});
  std::string bytes;
  EXPECT_EQ(platform::files::ReadFileContent("C:\\denyall.txt", bytes), ERROR_SHARING_VIOLATION);
  EXPECT_EQ(platform::files::WriteFileContent("C:\\denywrite.txt", "y"), ERROR_SHARING_VIOLATION);
  EXPECT_EQ(m.HostContent("denywrite.txt"), "x");
  ASSERT_EQ(platform::files::ReleaseHeldFile("C:\\denywrite.txt"), ERROR_SUCCESS);
  EXPECT_EQ(DeleteFileA("C:\\denywrite.txt"), TRUE);
}

TEST(Access, PagefileIsOrdinaryOn9x) {
  TempMachine m(DriveTableMachine(platform::OsKind::Win98));
  m.Put("pagefile.sys", "x");
  ExpectOutcome("C:\\pagefile.sys", {ERROR_SUCCESS, ERROR_SUCCESS, ERROR_SUCCESS, ERROR_SUCCESS, ERROR_SUCCESS});
}

TEST(Access, ReadOnlyAttributeAndReadOnlyMedia) {
  TempMachine m(DriveTableMachine());
  m.Put("ro.txt", "x");
  m.Put("RoDir/inner.txt", "x");
  m.Put("data.txt", "x", 'E');
  ASSERT_EQ(SetFileAttributesA("C:\\ro.txt", FILE_ATTRIBUTE_READONLY), TRUE);
  ASSERT_EQ(SetFileAttributesA("C:\\RoDir", FILE_ATTRIBUTE_READONLY), TRUE);
  EXPECT_EQ(DeleteFileA("C:\\ro.txt"), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(CreateFileA("C:\\ro.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(platform::files::WriteFileContent("C:\\ro.txt", "y"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(MoveFileA("C:\\ro.txt", "C:\\ro2.txt"), TRUE);  // renaming is allowed
  EXPECT_EQ(GetFileAttributesA("C:\\ro2.txt"), FILE_ATTRIBUTE_READONLY);
  // A read-only folder only blocks its removal.
  EXPECT_EQ(DeleteFileA("C:\\RoDir\\inner.txt"), TRUE);
  EXPECT_EQ(RemoveDirectoryA("C:\\RoDir"), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

  EXPECT_EQ(platform::files::WriteFileContent("E:\\new.txt", "y"), ERROR_WRITE_PROTECT);
  EXPECT_EQ(DeleteFileA("E:\\data.txt"), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_WRITE_PROTECT);
  std::string bytes;
  EXPECT_EQ(platform::files::ReadFileContent("E:\\data.txt", bytes), ERROR_SUCCESS);
  EXPECT_EQ(platform::files::ReadFileContent("D:\\autorun.inf", bytes), ERROR_NOT_READY);
}

TEST(Access, OwnHandlesFollowShareModes) {
  TempMachine m(DriveTableMachine());
  m.Put("a.txt", "x");
  HANDLE reader = CreateFileA("C:\\a.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileA("C:\\a.txt", GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  HANDLE second = CreateFileA("C:\\a.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(second, INVALID_HANDLE_VALUE);
  EXPECT_EQ(DeleteFileA("C:\\a.txt"), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  CloseHandle(second);
  CloseHandle(reader);
  EXPECT_EQ(DeleteFileA("C:\\a.txt"), TRUE);
}

TEST(Access, FolderRightsOnNtOnly) {
  for (auto os : {platform::OsKind::WinXP, platform::OsKind::Win98}) {
    auto builder = DriveTableMachine(os);
    auto& d = builder.description();
    d.userKind = platform::UserKind::Limited;
    d.accessRules = {{"C:\\Secret", platform::Grant::None}, {"C:\\Shared", platform::Grant::Read},
                     {"C:\\Shared\\Open", platform::Grant::Full}};
    TempMachine m(builder);
    bool nt = os == platform::OsKind::WinXP;
    for (const char* name : {"WINDOWS/win.ini", "Program Files/App/app.exe", "Secret/s.txt", "Shared/r.txt",
                             "Shared/Open/w.txt", "Users/mine.txt"})
      m.Put(name, "x");
    DWORD denied = nt ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
    using platform::files::WriteFileContent;
    EXPECT_EQ(WriteFileContent("C:\\WINDOWS\\win.ini", "y"), denied);
    EXPECT_EQ(WriteFileContent("C:\\Program Files\\App\\new.txt", "y"), denied);
    EXPECT_EQ(WriteFileContent("C:\\Shared\\r.txt", "y"), denied);
    EXPECT_EQ(WriteFileContent("C:\\Shared\\Open\\w.txt", "y"), ERROR_SUCCESS);
    EXPECT_EQ(WriteFileContent("C:\\Users\\mine.txt", "y"), ERROR_SUCCESS);
    EXPECT_EQ(CreateDirectoryA("C:\\Program Files\\Other", nullptr), nt ? FALSE : TRUE);
    std::string bytes;
    EXPECT_EQ(platform::files::ReadFileContent("C:\\WINDOWS\\win.ini", bytes), ERROR_SUCCESS);
    EXPECT_EQ(platform::files::ReadFileContent("C:\\Secret\\s.txt", bytes), denied);
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA("C:\\Secret\\*", &data);
    EXPECT_EQ(h == INVALID_HANDLE_VALUE, nt);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    EXPECT_EQ(DeleteFileA("C:\\Program Files\\App\\app.exe"), nt ? FALSE : TRUE);
  }
}

}  // namespace
