#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/resolved_file.h"
#include "support/temp_machine.h"

namespace {

using platform::files::Entry;
using platform::files::ResolvedFile;
using platform::files::ResolvedFolder;
using tessaly::testing::DriveTableMachine;
using tessaly::testing::TempMachine;

const Entry& Named(const std::vector<Entry>& entries, const std::string& name) {
  auto it = std::ranges::find_if(entries, [&](const Entry& e) { return e.name == name; });
  EXPECT_NE(it, entries.end()) << name;
  return *it;
}

// A record that held one folder's file and then another's carries nothing of
// the first: the same name is removed in the folder it was listed in.
TEST(ResolvedFiles, ARecordMovedToAnotherFoldersFileActsThere) {
  TempMachine m(DriveTableMachine());
  m.Put("A/same.txt", "a");
  m.Put("A/other.txt", "aa");
  m.Put("B/same.txt", "bbb");
  ResolvedFolder a("C:\\A"), b("C:\\B\\");
  std::vector<Entry> inA, inB;
  ASSERT_EQ(a.List("*", inA), ERROR_SUCCESS);
  ASSERT_EQ(b.List("*", inB), ERROR_SUCCESS);

  ResolvedFile file;
  std::string shortPath;
  std::uint64_t length = 0;
  struct Step {
    ResolvedFolder* folder;
    const std::vector<Entry>* listing;
    const char* name;
    const char* path;
    std::uint64_t length;
  } steps[] = {
      {&a, &inA, "other.txt", "C:\\A\\other.txt", 2},
      {&b, &inB, "same.txt", "C:\\B\\same.txt", 3},
      {&a, &inA, "same.txt", "C:\\A\\same.txt", 1},
  };
  for (const Step& step : steps) {
    step.folder->File(Named(*step.listing, step.name), file);
    ASSERT_EQ(file.ShortPath(shortPath), ERROR_SUCCESS);
    EXPECT_EQ(shortPath, step.path);
    ASSERT_EQ(file.Length(length), ERROR_SUCCESS);
    EXPECT_EQ(length, step.length) << step.path;
    EXPECT_EQ(file.Remove(), ERROR_SUCCESS) << step.path;
    EXPECT_FALSE(std::filesystem::exists(m.hostPath(step.path))) << step.path;
  }
  EXPECT_TRUE(std::filesystem::is_empty(m.hostPath("C:\\A")));
  EXPECT_TRUE(std::filesystem::is_empty(m.hostPath("C:\\B")));
}

}  // namespace
