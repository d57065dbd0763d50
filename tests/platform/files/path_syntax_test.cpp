#include "platform/files/path_syntax.h"

#include <gtest/gtest.h>

namespace platform::files {
namespace {

PathContext Context() {
  PathContext context;
  context.currentDrive = 'C';
  context.currentDirectory = [](char drive) {
    return drive == 'C' ? std::string("C:\\Program Files\\Tessaly") : std::string(1, drive) + ":\\Work";
  };
  return context;
}

TEST(PathSyntax, ResolvesEveryFormLexically) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"C:\\a\\b.txt", "C:\\a\\b.txt"},
      {"c:/a//b.txt", "C:\\a\\b.txt"},
      {"C:\\\\America Online 5.0", "C:\\America Online 5.0"},
      {"C:\\..\\..\\x", "C:\\x"},
      {"C:\\a\\.\\b\\..\\c", "C:\\a\\c"},
      {"\\Windows", "C:\\Windows"},
      {"readme.txt", "C:\\Program Files\\Tessaly\\readme.txt"},
      {"..\\x", "C:\\Program Files\\x"},
      {"D:", "D:\\Work"},
      {"D:sub", "D:\\Work\\sub"},
      {"C:\\Cookies\\a.txt . .", "C:\\Cookies\\a.txt"},
      {"C:\\Cookies\\ ", "C:\\Cookies"},
      {"C:\\", "C:\\"},
  };
  for (const auto& c : cases) {
    WindowsPath path;
    ASSERT_EQ(ParseWindowsPath(c.text, Context(), path), ERROR_SUCCESS) << c.text;
    EXPECT_EQ(path.text(), c.expected) << c.text;
  }
}

TEST(PathSyntax, RejectsWhatWindowsRejects) {
  std::string longName = "C:\\" + std::string(257, 'a');
  std::string longPath = "C:";
  while (longPath.size() < 300) longPath += "\\abcdefghij";
  struct Case {
    std::string text;
    DWORD error;
  } cases[] = {
      {"", ERROR_PATH_NOT_FOUND},
      {"\\\\server\\share\\x", ERROR_BAD_NETPATH},
      {"//server/share", ERROR_BAD_NETPATH},
      {"\\\\.\\C:", ERROR_INVALID_NAME},
      {"\\\\?\\C:\\x", ERROR_INVALID_NAME},
      {"CON", ERROR_INVALID_NAME},
      {"C:\\dir\\nul.txt", ERROR_INVALID_NAME},
      {"c:\\Com1.log", ERROR_INVALID_NAME},
      {"lpt9", ERROR_INVALID_NAME},
      {"C:\\a<b", ERROR_INVALID_NAME},
      {"C:\\a>b", ERROR_INVALID_NAME},
      {"C:\\a|b", ERROR_INVALID_NAME},
      {"C:\\a\"b", ERROR_INVALID_NAME},
      {"C:\\a:stream", ERROR_INVALID_NAME},
      {"C:\\a\x01" "b", ERROR_INVALID_NAME},
      {"C:\\a*b", ERROR_INVALID_NAME},
      {"C:\\*\\b", ERROR_INVALID_NAME},
      {"1:\\x", ERROR_INVALID_NAME},
      {longName, ERROR_FILENAME_EXCED_RANGE},
      {longPath, ERROR_FILENAME_EXCED_RANGE},
  };
  for (const auto& c : cases) {
    WindowsPath path;
    EXPECT_EQ(ParseWindowsPath(c.text, Context(), path), c.error) << c.text;
  }
  // COM10 and CONSOLE are ordinary names; patterns are allowed last only.
  WindowsPath path;
  EXPECT_EQ(ParseWindowsPath("C:\\COM10", Context(), path), ERROR_SUCCESS);
  EXPECT_EQ(ParseWindowsPath("C:\\console.txt", Context(), path), ERROR_SUCCESS);
  EXPECT_EQ(ParseWindowsPath("C:\\Mail\\*.", Context(), path, true), ERROR_SUCCESS);
  EXPECT_EQ(path.components.back(), "*.");
  EXPECT_EQ(ParseWindowsPath("C:\\Mail\\Trash.", Context(), path, true), ERROR_SUCCESS);
  EXPECT_EQ(path.components.back(), "Trash");
}

}  // namespace
}  // namespace platform::files
