#include "platform/base/cp1252.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Cp1252, UpperCaseFollowsWindows1252) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"abc", "ABC"},
      {"\xE0\xFE", "\xC0\xDE"},  // à þ
      {"\xF7", "\xF7"},          // ÷ has no upper case
      {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"},
      {"\xDF\xB5", "\xDF\xB5"},  // ß and µ stay
  };
  for (const auto& c : cases) EXPECT_EQ(ToUpper(c.in), c.out) << c.in;
}

TEST(Cp1252, CompareIgnoresCaseAndOrdersByUpperBytes) {
  EXPECT_TRUE(EqualsNoCase("Program Files", "PROGRAM FILES"));
  EXPECT_FALSE(EqualsNoCase("abc", "abd"));
  EXPECT_LT(CompareNoCase("a", "B"), 0);
  // '_' (0x5F) sorts after upper-case letters but before lower-case ones.
  EXPECT_GT(CompareNoCase("_x", "Zx"), 0);
  EXPECT_LT(CompareNoCase("ab", "abc"), 0);
}

TEST(Cp1252, Utf8RoundTripAndUnmappableCharacters) {
  std::string text = "caf\xE9 \x80";  // café €
  std::string utf8 = Cp1252ToUtf8(text);
  EXPECT_EQ(utf8, "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(Utf8ToCp1252(utf8), text);
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), std::nullopt);  // a CJK character
  EXPECT_EQ(Utf8ToCp1252Lossy("a\xE4\xB8\xAD" "b"), "a?b");
  EXPECT_EQ(Utf8ToCp1252("\xC3"), std::nullopt);  // cut sequence
}

}  // namespace
}  // namespace platform
