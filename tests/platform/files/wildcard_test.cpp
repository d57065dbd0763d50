#include "platform/files/wildcard.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/files/short_names.h"

namespace platform::files {
namespace {

TEST(Wildcard, MatchesLikeWindows) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"*", "Trash", true},           {"*.*", "Trash", true},         {"*.*", "a.b.c", true},
      {"*.", "Trash", true},          {"*.", "Trash.msf", false},     {"Trash.", "Trash", true},
      {"Trash.", "Trash.msf", false}, {"*.txt", "A.TXT", true},       {"*.txt", "a.txt.bak", false},
      {"?", "a", true},               {"?", "ab", false},             {"a?", "a", true},
      {"a?.txt", "a.txt", true},      {"a?.txt", "ab.txt", true},     {"a?.txt", "abc.txt", false},
      {"??.*", "x.dat", true},        {"*~1*", "PROGRA~1", true},     {"index.dat", "INDEX.DAT", true},
      {"a*b*c", "aXbYc", true},       {"a*b*c", "aXbY", false},       {"*.dmp", "x.dmpx", false},
      {"***.*x", "abc.x", true},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesPattern(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
}

TEST(Wildcard, AliasAlsoMatches) {
  EXPECT_TRUE(MatchesEntry("*.dmp", "x.dmpx", "X~1.DMP"));
  EXPECT_FALSE(MatchesEntry("*.dmp", "x.dmpx", ""));
}

TEST(Wildcard, HostilePatternStaysFast) {
  std::string pattern(200, '*');
  pattern += "b";
  EXPECT_FALSE(MatchesPattern(pattern, std::string(250, 'a')));
}

TEST(ShortNames, ValidNamesAndAliases) {
  struct Case {
    const char* name;
    bool valid;
  } valid[] = {{"README.TXT", true}, {"readme.txt", true}, {"A", true},         {"PROGRA~1", true},
               {"a b.txt", false},   {"toolong12.txt", false}, {"a.html", false}, {"a.b.c", false},
               {".htaccess", false}, {"x+y.txt", false}};
  for (const auto& c : valid) EXPECT_EQ(IsValidShortName(c.name), c.valid) << c.name;

  auto none = [](const std::string&) { return false; };
  struct AliasCase {
    const char* name;
    const char* alias;
  } aliases[] = {{"Long File.txt", "LONGFI~1.TXT"}, {"Program Files", "PROGRA~1"}, {"x.dmpx", "X~1.DMP"},
                 {"a.b.c.html", "ABC~1.HTM"},         {"x+y=z.txt1", "X_Y_Z~1.TXT"}, {"Mozilla Firefox", "MOZILL~1"}};
  for (const auto& c : aliases) EXPECT_EQ(MakeAlias(c.name, none), c.alias) << c.name;

  // The number grows past taken ones and the base shrinks for two digits.
  auto takenBelow10 = [](const std::string& alias) {
    auto tilde = alias.find('~');
    return std::stoi(alias.substr(tilde + 1, alias.find('.') - tilde - 1)) < 10;
  };
  EXPECT_EQ(MakeAlias("Long File.txt", takenBelow10), "LONGF~10.TXT");
}

// A pass over a big folder steps over numbers it knows are taken: its
// aliases must be the ones a search from 1 gives, name after name, also
// where other names hold numbers here and there and groups share stems.
TEST(ShortNames, APassGivesTheAliasesASearchFromOneWould) {
  std::set<std::string> inUse = {"FILE1~12.TXT", "FILE1~13.TXT", "FILE~150.TXT", "FIL~1003.TXT", "FI~10007.TXT",
                                 "LONGF~10.TXT", "LONGFI~2.TXT", "FILE2~40.TXT"};
  auto taken = [&](const std::string& alias) { return inUse.count(alias) != 0; };
  std::vector<std::string> names;
  for (int i = 0; i < 1500; ++i) {
    // Bases that share their first five, four and three letters, mixed.
    static const char* const kBases[] = {"file1", "file2", "file1x", "Long File", "fil"};
    names.push_back(std::string(kBases[i % 5]) + std::to_string(i * 7919 % 1500) + "name.txt");
    // Now and then a name whose base is just "FILE1", spaced out: its
    // numbers start at 1 under the stem the long bases take from 10.
    if (i % 90 == 0) {
      std::string spaced = "file1";
      for (int gap = 0, mask = i / 90 + 1; gap < 4; ++gap)
        if (mask >> gap & 1) spaced.insert(static_cast<std::size_t>(4 - gap), " ");
      names.push_back(spaced + ".txt");
    }
  }
  AliasNumbers numbers;
  for (const auto& name : names) {
    std::string fromOne = MakeAlias(name, taken);
    ASSERT_EQ(MakeAlias(name, taken, &numbers), fromOne) << name;
    inUse.insert(fromOne);
  }
  EXPECT_EQ(inUse.size(), names.size() + 8);
  EXPECT_EQ(inUse.count("FILE1~9.TXT"), 1u);
}

}  // namespace
}  // namespace platform::files
