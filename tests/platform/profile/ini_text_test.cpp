#include "platform/profile/ini_text.h"

#include <optional>

#include <gtest/gtest.h>

namespace platform::profile {
namespace {

std::optional<std::string> Lookup(std::string_view bytes, std::string_view section, std::string_view key) {
  IniDocument document(bytes);
  const IniSection* found = document.FindSection(section);
  if (found == nullptr) return std::nullopt;
  const IniLine* line = document.FindKey(*found, key);
  if (line == nullptr) return std::nullopt;
  return line->value;
}

TEST(IniText, ReadsValuesByTheParsingRules) {
  struct Case {
    std::string bytes;
    const char* section;
    const char* key;
    std::optional<std::string> value;
  } cases[] = {
      {"[s]\r\nk=v\r\n", "s", "k", "v"},
      {"[s]\nk=v", "s", "k", "v"},
      {"[s]\rk=v\rj=w\r", "s", "j", "w"},
      {"[s]\n  ; k=1\n", "s", "; k", std::nullopt},
      {"[s]\n\t;k=1\n", "s", ";k", std::nullopt},
      {"[ s ] ignored\nk=v\n", "s", "k", "v"},
      {"[s]x]\nk=v\n", "s", "k", "v"},
      {"[s]\n  k \t=  \t v w \t \n", "s", "k", "v w"},
      {"[s]\nk=\"quoted\"\n", "s", "k", "quoted"},
      {"[s]\nk=' in '\n", "s", "k", " in "},
      {"[s]\nk= \"x' \n", "s", "k", "\"x'"},
      {"[s]\nk=\"\n", "s", "k", "\""},
      {"[s]\nk=\"\"\n", "s", "k", ""},
      {"[s]\nk=''a''\n", "s", "k", "'a'"},
      {"[s]\nk=a=b\n", "s", "k", "a=b"},
      {"[s]\nlone\n", "s", "lone", ""},
      {"[s]\n=v\n", "s", "", "v"},
      {"k=v\n[s]\n", "s", "k", std::nullopt},
      {"k=v\n", "", "k", std::nullopt},
      {"[s]\nk=1\nK=2\n", "s", "k", "1"},
      {"[s]\na=1\n[S]\nk=2\n", "s", "k", std::nullopt},
      {"[Sec]\nKey=1\n", "sEC", "kEY", "1"},
      {"[\xC4rger]\n\xE9t\xE9=1\n", "\xE4RGER", "\xC9T\xC9", "1"},
      {"[s]\nk=v\n", " s ", " k\t", "v"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lookup(c.bytes, c.section, c.key), c.value) << c.bytes;
  }
}

TEST(IniText, ListsNamesInFileOrderOnce) {
  IniDocument document("x=1\n[B]\nk=1\nj\nK=2\n;c=3\n\n[a]\n[b]\nz=1\n");
  EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"B", "a"}));
  ASSERT_NE(document.FindSection("b"), nullptr);
  EXPECT_EQ(document.KeyNames(*document.FindSection("b")), (std::vector<std::string>{"k", "j"}));
  EXPECT_EQ(document.KeyLines(*document.FindSection("b")), (std::vector<std::string>{"k=1", "j", "K=2"}));
  EXPECT_TRUE(document.KeyNames(*document.FindSection("A")).empty());
}

TEST(IniText, EditsKeepUntouchedLinesByteForByte) {
  using Edit = std::string (*)(std::string_view);
  struct Case {
    const char* name;
    std::string before;
    Edit edit;
    std::string after;
  } cases[] = {
      {"new file", "", [](std::string_view b) { return SetIniValue(b, "sec", "key", "value"); },
       "[sec]\r\nkey=value\r\n"},
      {"replace keeps LF endings", "; c\n x=1\n[s]\n k = old \nk=2\nother=1\n",
       [](std::string_view b) { return SetIniValue(b, "S", "K", "v"); }, "; c\n x=1\n[s]\nK=v\nk=2\nother=1\n"},
      {"append after last key, before blank line", "[s]\r\na=1\r\n;c\r\n\r\n[t]\r\nb=2\r\n",
       [](std::string_view b) { return SetIniValue(b, "s", "c", "3"); },
       "[s]\r\na=1\r\nc=3\r\n;c\r\n\r\n[t]\r\nb=2\r\n"},
      {"append to a section without keys", "[s]\n[t]\n",
       [](std::string_view b) { return SetIniValue(b, "s", "k", "v"); }, "[s]\nk=v\r\n[t]\n"},
      {"append after unterminated last line", "[s]\r\na=1",
       [](std::string_view b) { return SetIniValue(b, "s", "b", "2"); }, "[s]\r\na=1\r\nb=2\r\n"},
      {"new section after unterminated last line", "[s]\na=1",
       [](std::string_view b) { return SetIniValue(b, "t", "k", "v"); }, "[s]\na=1\r\n[t]\r\nk=v\r\n"},
      {"replace unterminated last line", "[s]\na=1", [](std::string_view b) { return SetIniValue(b, "s", "a", "2"); },
       "[s]\na=2"},
      {"CR-only file", "[s]\ra=1\r", [](std::string_view b) { return SetIniValue(b, "s", "b", "2"); },
       "[s]\ra=1\rb=2\r\n"},
      {"empty key and value", "", [](std::string_view b) { return SetIniValue(b, "s", "", ""); }, "[s]\r\n=\r\n"},
      {"value written raw", "[s]\r\n", [](std::string_view b) { return SetIniValue(b, "s", "k", "a\r\nb=c"); },
       "[s]\r\nk=a\r\nb=c\r\n"},
      {"remove first line of key", "[s]\na=1\nA=2\nb=3\n", [](std::string_view b) { return RemoveIniKey(b, "s", "a"); },
       "[s]\nA=2\nb=3\n"},
      {"remove missing key", "[s]\na=1\n", [](std::string_view b) { return RemoveIniKey(b, "s", "x"); },
       "[s]\na=1\n"},
      {"remove section up to the next", "x=0\n[s]\na=1\n; c\n\n[t]\nb=2\n",
       [](std::string_view b) { return RemoveIniSection(b, "S"); }, "x=0\n[t]\nb=2\n"},
      {"remove last section", "[t]\nb=2\n[s]\na=1", [](std::string_view b) { return RemoveIniSection(b, "s"); },
       "[t]\nb=2\n"},
      {"replace section body", "[s]\na=1\n;c\nb=2\n\n[t]\n",
       [](std::string_view b) { return ReplaceIniSection(b, "s", {"x=1", "y=2"}); }, "[s]\nx=1\r\ny=2\r\n\n[t]\n"},
      {"replace section with nothing", "[s]\na=1\n[t]\n",
       [](std::string_view b) { return ReplaceIniSection(b, "s", {}); }, "[s]\n[t]\n"},
      {"replace unterminated empty section", "[s]", [](std::string_view b) { return ReplaceIniSection(b, "s", {"k=v"}); },
       "[s]\r\nk=v\r\n"},
      {"replace creates missing section", "[t]\nb=2\n",
       [](std::string_view b) { return ReplaceIniSection(b, "s", {"k=v"}); }, "[t]\nb=2\n[s]\r\nk=v\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.edit(c.before), c.after) << c.name;
  }
}

}  // namespace
}  // namespace platform::profile
