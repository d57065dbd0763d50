#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/files/file_content.h"
#include "platform/files/kernel32_files.h"
#include "support/temp_machine.h"

namespace {

using tessaly::testing::TempMachine;
using tessaly::testing::DriveTableMachine;

std::string ShortPath(const char* path) {
  char buffer[MAX_PATH];
  DWORD n = GetShortPathNameA(path, buffer, sizeof buffer);
  return n ? std::string(buffer, n) : "error " + std::to_string(GetLastError());
}

TEST(ShortPaths, AliasesAssignedInSortedOrderOnFirstMeeting) {
  TempMachine m(DriveTableMachine());
  m.Put("Program Files/Tessaly/tsy.exe");
  m.Put("Program Files/Long File 2.txt");
  m.Put("Program Files/Long File 1.txt");
  m.Put("Program Files/Long File 3.txt");
  m.Put("Program Files/readme.txt");
  struct Case {
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:\\Program Files\\Long File 1.txt", "C:\\PROGRA~1\\LONGFI~1.TXT"},
      {"C:\\Program Files\\Long File 2.txt", "C:\\PROGRA~1\\LONGFI~2.TXT"},
      {"c:\\program files\\long file 3.TXT", "C:\\PROGRA~1\\LONGFI~3.TXT"},
      {"C:\\Program Files\\readme.txt", "C:\\PROGRA~1\\readme.txt"},
      {"C:\\Program Files\\Tessaly\\", "C:\\PROGRA~1\\Tessaly\\"},
      {"C:\\PROGRA~1\\LONGFI~2.TXT", "C:\\PROGRA~1\\LONGFI~2.TXT"},
      {"C:\\", "C:\\"},
      {"C:\\Program Files\\none.txt", "error 2"},
      {"C:\\Nowhere\\none.txt", "error 3"},
  };
  for (const auto& c : cases) EXPECT_EQ(ShortPath(c.path), c.expected) << c.path;

  // Any component may be named by its alias, in any case.
  std::string bytes;
  EXPECT_EQ(platform::files::ReadFileContent("C:\\progra~1\\longfi~3.txt", bytes), ERROR_SUCCESS);

  // The buffer rule: too small gives the size needed, buffer untouched.
  char small[8] = "xxxxxxx";
  EXPECT_EQ(GetShortPathNameA("C:\\Program Files\\Long File 1.txt", small, sizeof small), 25u);
  EXPECT_STREQ(small, "xxxxxxx");
}

TEST(ShortPaths, AliasesPersistUntilRenamed) {
  TempMachine m(DriveTableMachine());
  m.Put("Data/Long File B.txt");
  EXPECT_EQ(ShortPath("C:\\Data\\Long File B.txt"), "C:\\Data\\LONGFI~1.TXT");
  // A file created later, sorting first, does not take the alias away.
  ASSERT_EQ(platform::files::WriteFileContent("C:\\Data\\Long File A.txt", "a"), ERROR_SUCCESS);
  EXPECT_EQ(ShortPath("C:\\Data\\Long File A.txt"), "C:\\Data\\LONGFI~2.TXT");
  m.Reopen();
  EXPECT_EQ(ShortPath("C:\\Data\\Long File B.txt"), "C:\\Data\\LONGFI~1.TXT");
  ASSERT_EQ(MoveFileA("C:\\Data\\Long File B.txt", "C:\\Data\\Long File C.txt"), TRUE);
  EXPECT_EQ(ShortPath("C:\\Data\\Long File C.txt"), "C:\\Data\\LONGFI~1.TXT");
  ASSERT_EQ(DeleteFileA("C:\\Data\\LONGFI~2.TXT"), TRUE);
  EXPECT_EQ(GetFileAttributesA("C:\\Data\\Long File A.txt"), INVALID_FILE_ATTRIBUTES);
}

// A live alias names its file even where the host holds a file spelled
// like it, and whether or not the folder was listed since the start.
TEST(ShortPaths, ALiveAliasWinsOverAHostFileSpelledLikeIt) {
  TempMachine m(DriveTableMachine());
  m.Put("Data/Long File.txt", "long");
  ASSERT_EQ(ShortPath("C:\\Data\\Long File.txt"), "C:\\Data\\LONGFI~1.TXT");
  m.Put("Data/LONGFI~1.TXT", "literal");
  EXPECT_EQ(m.ReadContent("C:\\Data\\LONGFI~1.TXT"), "long");
  m.Reopen();
  EXPECT_EQ(m.ReadContent("C:\\Data\\LONGFI~1.TXT"), "long");
}

// Host names that differ only in case are one name to Windows: they share
// the alias kept for it, and every alias a listing shows names a file. A
// name that is its own short name, in any case, keeps its number from the
// aliases.
TEST(ShortPaths, NamesThatDifferOnlyInCaseShareOneAlias) {
  TempMachine m(DriveTableMachine());
  m.Put("Data/LONG FILE.txt", "upper");
  m.Put("Data/Long File.txt", "mixed");
  m.Put("Data/Long Filez.txt", "z");
  m.Put("Data/longfi~2.txt", "own");
  std::map<std::string, std::string> aliasOf;
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA("C:\\Data\\*.*", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    if (data.cFileName[0] != '.') aliasOf[data.cFileName] = data.cAlternateFileName;
  } while (FindNextFileA(search, &data));
  FindClose(search);
  ASSERT_EQ(aliasOf.size(), 4u);
  EXPECT_EQ(aliasOf["LONG FILE.txt"], "LONGFI~1.TXT");
  EXPECT_EQ(aliasOf["Long File.txt"], "LONGFI~1.TXT");
  EXPECT_EQ(aliasOf["Long Filez.txt"], "LONGFI~3.TXT");
  EXPECT_EQ(aliasOf["longfi~2.txt"], "");
  EXPECT_EQ(m.ReadContent("C:\\Data\\LONGFI~3.TXT"), "z");
  EXPECT_EQ(m.ReadContent("C:\\Data\\LONGFI~2.TXT"), "own");
  for (const auto& [name, alias] : aliasOf) {
    if (alias.empty()) continue;
    EXPECT_NE(GetFileAttributesA(("C:\\Data\\" + alias).c_str()), INVALID_FILE_ATTRIBUTES) << name;
  }
}

TEST(ShortPaths, OffMeansLongNamesOnly) {
  auto builder = DriveTableMachine();
  builder.description().shortNames = false;
  TempMachine m(builder);
  m.Put("Program Files/Long File.txt");
  EXPECT_EQ(ShortPath("C:\\Program Files\\Long File.txt"), "C:\\Program Files\\Long File.txt");
  EXPECT_EQ(GetFileAttributesA("C:\\PROGRA~1\\LONGFI~1.TXT"), INVALID_FILE_ATTRIBUTES);
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("C:\\Program Files\\*.txt", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cAlternateFileName, "");
  FindClose(h);
}

}  // namespace
