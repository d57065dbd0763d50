// A path asked about again is answered from the last walk after a check of
// its folder and entry: every change since, on the host or through the
// calls, shows in the next answer exactly as a new walk would give it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/files/kernel32_files.h"
#include "support/temp_machine.h"

namespace {

namespace fs = std::filesystem;
using tessaly::testing::TempMachine;

constexpr const char* kLong = "C:\\A\\B\\longfilename.txt";
constexpr const char* kAlias = "C:\\A\\B\\LONGFI~1.TXT";

// What the calls report of a path: attributes and size ("-" when missing).
std::string Facts(const char* path) {
  WIN32_FIND_DATAA data{};
  HANDLE search = FindFirstFileA(path, &data);
  if (search == INVALID_HANDLE_VALUE) return "-";
  FindClose(search);
  return std::to_string(GetFileAttributesA(path)) + " " + std::to_string(data.nFileSizeLow) + " " +
         data.cFileName;
}

struct Change {
  const char* name;
  std::function<void(TempMachine&)> apply;
  const char* longFacts;   // of kLong afterwards
  const char* aliasFacts;  // of kAlias afterwards
};

TEST(RecentAnswers, EveryChangeShowsInTheNextAnswer) {
  const Change changes[] = {
      {"nothing", [](TempMachine&) {}, "32 5 longfilename.txt", "32 5 longfilename.txt"},
      {"grown on the host", [](TempMachine& m) { std::ofstream(m.hostPath(kLong), std::ios::app) << "-more"; },
       "32 10 longfilename.txt", "32 10 longfilename.txt"},
      {"deleted on the host", [](TempMachine& m) { fs::remove(m.hostPath(kLong)); }, "-", "-"},
      {"made a folder on the host",
       [](TempMachine& m) {
         fs::remove(m.hostPath(kLong));
         fs::create_directory(m.hostPath(kLong));
       },
       "16 0 longfilename.txt", "16 0 longfilename.txt"},
      {"respelled on the host",
       [](TempMachine& m) { fs::rename(m.hostPath(kLong), m.hostPath("C:\\A\\B") / "LONGFILENAME.TXT"); },
       "32 5 LONGFILENAME.TXT", "32 5 LONGFILENAME.TXT"},
      {"renamed by a call", [](TempMachine&) { ASSERT_TRUE(MoveFileA(kLong, "C:\\A\\B\\other.txt")); }, "-", "-"},
      {"attributes set by a call",
       [](TempMachine&) { ASSERT_TRUE(SetFileAttributesA(kAlias, FILE_ATTRIBUTE_HIDDEN)); }, "2 5 longfilename.txt",
       "2 5 longfilename.txt"},
      {"its folder moved on the host",
       [](TempMachine& m) { fs::rename(m.hostPath("C:\\A\\B"), m.hostPath("C:\\A\\Moved")); }, "-", "-"},
  };
  for (const auto& change : changes) {
    SCOPED_TRACE(change.name);
    TempMachine m;
    m.Put("A/B/longfilename.txt", "hello");
    // The short form made from the long path is kept as naming its entry.
    char shortForm[MAX_PATH] = {};
    ASSERT_EQ(GetShortPathNameA(kLong, shortForm, MAX_PATH), std::string(kAlias).size());
    ASSERT_STREQ(shortForm, kAlias);
    // Each spelling asked twice: the second answer is a kept one.
    for (int i = 0; i < 2; ++i) {
      ASSERT_EQ(Facts(kLong), "32 5 longfilename.txt");
      ASSERT_EQ(Facts(kAlias), "32 5 longfilename.txt");
    }
    change.apply(m);
    EXPECT_EQ(Facts(kLong), change.longFacts);
    EXPECT_EQ(Facts(kAlias), change.aliasFacts);
  }
}

}  // namespace
