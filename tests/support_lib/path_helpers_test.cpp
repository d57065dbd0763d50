#include "support/path_helpers.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(NulHelpers, CutAtTheFirstNulWithTheirOwnEdges) {
  struct Case {
    std::string in;
    std::string trimmed;                       // TrimNullChars
    std::optional<std::string> variant;        // TrimNullToVariant
    std::string stripped;                      // StripNulls
  } cases[] = {
      {"abc", "", std::nullopt, "abc"},
      {"abc\0def"s, "abc", "abc", "abc"},
      {"\0abc"s, "", "", ""},
      {"", "", std::nullopt, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TrimNullChars(c.in), c.trimmed);
    EXPECT_EQ(TrimNullToVariant(c.in), c.variant);
    std::string variable = c.in;
    EXPECT_EQ(StripNulls(variable), c.stripped);
    EXPECT_EQ(variable, c.stripped) << "StripNulls writes back to the caller";
  }
}

TEST(NulHelpers, VariantFindsNulsBeyond32767) {
  std::string big(40000, 'x');
  big += '\0';
  EXPECT_EQ(TrimNullToVariant(big)->size(), 40000u);
}

TEST(JoinPath, OneBackslashBetweenFolderAndName) {
  struct Case {
    const char* folder;
    const char* name;
    const char* joined;
  } cases[] = {
      {"C:\\Temp", "x.txt", "C:\\Temp\\x.txt"},
      {"C:\\Temp\\", "x.txt", "C:\\Temp\\x.txt"},
      {"", "x.txt", "\\x.txt"},
      {"C:\\Temp\\ ", "x.txt", "C:\\Temp\\ x.txt"},  // tested trimmed, built as passed
      {"C:\\", "boot.ini", "C:\\boot.ini"},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinPath(c.folder, c.name), c.joined) << c.folder;
}
