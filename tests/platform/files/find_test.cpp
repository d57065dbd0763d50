#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/files/kernel32_files.h"
#include "support/temp_machine.h"

namespace {

using tessaly::testing::DriveTableMachine;
using tessaly::testing::TempMachine;

std::vector<std::string> Find(const char* pattern, DWORD* error = nullptr) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA(pattern, &data);
  if (h == INVALID_HANDLE_VALUE) {
    if (error) *error = GetLastError();
    return names;
  }
  do names.push_back(data.cFileName);
  while (FindNextFileA(h, &data));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  EXPECT_EQ(FindClose(h), TRUE);
  return names;
}

using Names = std::vector<std::string>;

// `names` in their order, less those of the machine's image.
Names Without(Names names, const Names& image) {
  std::erase_if(names, [&](const std::string& name) { return std::ranges::find(image, name) != image.end(); });
  return names;
}

TEST(Find, SortedCaseInsensitivelyWithDotsOutsideRoots) {
  TempMachine m(DriveTableMachine());
  Names image = Find("C:\\*");
  for (const char* name : {"b.txt", "A.txt", "_x", "Zeta", "c.TXT", "sub/inner.txt"}) m.Put(name, "1");
  EXPECT_EQ(Without(Find("C:\\*"), image), (Names{"A.txt", "b.txt", "c.TXT", "sub", "Zeta", "_x"}));
  EXPECT_EQ(Find("C:\\sub\\*"), (Names{".", "..", "inner.txt"}));
  EXPECT_EQ(Find("C:\\sub\\*.txt"), (Names{"inner.txt"}));
  EXPECT_EQ(Find("c:/SUB/INNER.TXT"), (Names{"inner.txt"}));
}

// Names alike in their first bytes, or one the start of another, still sort
// by the whole upper-case name.
TEST(Find, NamesAlikeInTheirFirstBytesSortByTheWholeName) {
  TempMachine m(DriveTableMachine());
  for (const char* name : {"abcdefgh2.txt", "abcdefghi", "ABCDEFGH10.txt", "abcdefgh", "abc", "abcdefgh1.txt",
                           "abcdefg", "abcdefgh~", "b.txt", "az.txt"})
    m.Put(std::string("Alike/") + name, "1");
  EXPECT_EQ(Find("C:\\Alike\\*"), (Names{".", "..", "abc", "abcdefg", "abcdefgh", "abcdefgh1.txt", "ABCDEFGH10.txt",
                                          "abcdefgh2.txt", "abcdefghi", "abcdefgh~", "az.txt", "b.txt"}));
}

TEST(Find, WildcardTableOverOneFolder) {
  TempMachine m(DriveTableMachine());
  for (const char* name : {"Trash", "Trash.msf", "a", "ab", "x.dmpx", "index.dat", "Long File.txt"})
    m.Put(std::string("Mail/") + name, "1");
  struct Case {
    const char* pattern;
    Names expected;
  } cases[] = {
      {"*.", {".", "..", "a", "ab", "Trash"}},
      {"Trash.", {"Trash"}},
      {"?", {".", "a"}},
      {"??", {".", "..", "a", "ab"}},
      {"*.dmp", {"x.dmpx"}},
      {"*.*", {".", "..", "a", "ab", "index.dat", "Long File.txt", "Trash", "Trash.msf", "x.dmpx"}},
      {"LONGFI~1.TXT", {"Long File.txt"}},
      {"INDEX.DAT", {"index.dat"}},
      {"t*.m?f", {"Trash.msf"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Find((std::string("C:\\Mail\\") + c.pattern).c_str()), c.expected) << c.pattern;
}

TEST(Find, ReportsDataAndErrors) {
  TempMachine m(DriveTableMachine());
  m.Put("Docs/Long File.txt", std::string(5000, 'x'));
  ASSERT_EQ(SetFileAttributesA("C:\\Docs\\Long File.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY), TRUE);
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("C:\\Docs\\L*", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "Long File.txt");
  EXPECT_STREQ(data.cAlternateFileName, "LONGFI~1.TXT");
  EXPECT_EQ(data.nFileSizeLow, 5000u);
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(FindNextFileA(h, &data), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  EXPECT_EQ(FindClose(h), TRUE);
  EXPECT_EQ(FindClose(h), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

  h = FindFirstFileA("C:\\Docs", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_STREQ(data.cAlternateFileName, "");
  FindClose(h);

  DWORD error = 0;
  EXPECT_TRUE(Find("C:\\Docs\\*.none", &error).empty());
  EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(Find("C:\\Missing\\*", &error).empty());
  EXPECT_EQ(error, ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(FindFirstFileA(nullptr, &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(Find, ListingIsTakenAtTheFirstCall) {
  TempMachine m(DriveTableMachine());
  m.Put("Box/a.txt");
  m.Put("Box/b.txt");
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("C:\\Box\\*.txt", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_EQ(DeleteFileA("C:\\Box\\b.txt"), TRUE);
  m.Put("Box/c.txt");
  ASSERT_EQ(FindNextFileA(h, &data), TRUE);
  EXPECT_STREQ(data.cFileName, "b.txt");
  EXPECT_EQ(FindNextFileA(h, &data), FALSE);
  FindClose(h);
}

TEST(Find, HostNamesWithoutAWindowsFormShowAsQuestionMarks) {
  TempMachine m(DriveTableMachine());
  m.Put("Intl/caf\xC3\xA9.txt", "1");       // é: has a Windows-1252 form
  m.Put("Intl/\xE6\x97\xA5\xE8\xAA\x9E.txt", "1");  // 日語: has none
  EXPECT_EQ(Find("C:\\Intl\\*.txt"), (Names{"??.txt", "caf\xE9.txt"}));
  EXPECT_EQ(GetFileAttributesA("C:\\Intl\\CAF\xC9.TXT"), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(GetFileAttributesA("C:\\Intl\\??.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
}

}  // namespace
