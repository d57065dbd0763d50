// The walkers that delete act on each folder's own listing: a file is
// removed as the listing found it, a folder swapped for a link during the
// walk is never followed, and a file gone before its turn is not counted.
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "platform/forms/event_loop.h"
#include "shell_link_bytes.h"

namespace tessaly::testing {
namespace {

namespace fs = std::filesystem;

struct WalkerCase {
  const char* name;
  std::function<std::int32_t()> run;
  bool logs;         // one log line per deleted file, its full path
  int turnsPerFile;  // message loop turns a file takes (the walk's, the overwrite's)
  bool listsFolders; // the file pass's listing shows the subfolder (a turn of its own)
};

const WalkerCase kDeletingWalkers[] = {
    {"delete walker, every name", [] { return frmClean().FindFilesAPI_Del("C:\\Tree", "*.*", "-1", "-1"); }, true, 1, true},
    {"delete walker, a pattern", [] { return frmClean().FindFilesAPI_Del("C:\\Tree", "*.txt", "-1", "-1"); }, true, 1, false},
    {"custom files", [] { return frmClean().CleanCustomFile("C:\\Tree", "*.*", -1, -1); }, true, 1, true},
    {"shred walker",
     [] {
       Form1().ShredBytesDone = 0;
       Form1().ShredBytesTotal = 0;
       return frmClean().FindFilesAPI_Shred("C:\\Tree", "*.*", "-1", "-1");
     },
     false, 1 + 3, true},  // three passes of one block each
};

// The folder being walked is renamed and a link put in its place after its
// first file: the files still to come are left where they went, and
// nothing is reached through the link, whether it leads inside the machine
// or out of it.
TEST_F(EngineTest, DeletingWalkersNeverFollowAFolderSwappedForALinkMidway) {
  for (const WalkerCase& c : kDeletingWalkers) {
    for (bool toOutside : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (toOutside ? ", link to outside" : ", link inside the machine"));
      const std::vector<std::string> names = {"a.txt", "b.txt", "c.txt"};
      for (const auto& name : names) Put("C:\\Tree\\Sub\\" + name, "inside");
      Put("C:\\Elsewhere\\keep.txt", "elsewhere");
      fs::path target = toOutside ? machine_.outside() : machine_.hostPath("C:\\Elsewhere");
      for (const auto& name : names) std::ofstream(target / name) << "must stay";
      fs::path sub = machine_.hostPath("C:\\Tree\\Sub"), moved = machine_.hostPath("C:\\Moved");
      // C:\Tree has no files: its one turn is Sub's entry (when the
      // pattern's listing shows folders), then come Sub's first file's turns.
      platform::forms::AtYield(platform::forms::YieldCount() + (c.listsFolders ? 1 : 0) + c.turnsPerFile + 1, [&] {
        fs::rename(sub, moved);
        fs::create_directory_symlink(target, sub);
      });
      Form1().txtResult.Text("");
      EXPECT_EQ(c.run(), 6);  // a.txt alone
      EXPECT_FALSE(fs::exists(moved / "a.txt"));
      for (const char* left : {"b.txt", "c.txt"}) EXPECT_EQ(ReadHostFile(moved / left), "inside") << left;
      for (const auto& name : names) EXPECT_EQ(ReadHostFile(target / name), "must stay") << name;
      if (c.logs) {
        EXPECT_EQ(Log(), "C:\\Tree\\Sub\\a.txt\r\n");
      }
      fs::remove(sub);
      fs::remove_all(moved);
      fs::remove_all(machine_.hostPath("C:\\Tree"));
      fs::remove_all(machine_.hostPath("C:\\Elsewhere"));
      for (const auto& name : names) fs::remove(machine_.outside() / name);
    }
  }
}

// Listed, then removed or made read-only by someone else before its turn:
// neither is counted or logged, and the rest of the folder still goes.
TEST_F(EngineTest, DeleteWalkerCountsOnlyWhatItsOwnRemovalTookAway) {
  Put("C:\\Tree\\a.txt", "1");
  Put("C:\\Tree\\b.txt", "22");
  Put("C:\\Tree\\c.txt", "333");
  Put("C:\\Tree\\d.txt", "4444");
  platform::forms::AtYield(platform::forms::YieldCount() + 1, [&] {
    fs::remove(machine_.hostPath("C:\\Tree\\b.txt"));
    SetFileAttributesA("C:\\Tree\\c.txt", FILE_ATTRIBUTE_READONLY);
  });
  EXPECT_EQ(frmClean().FindFilesAPI_Del("C:\\Tree", "*.*", "-1", "-1"), 1 + 4);
  EXPECT_EQ(Log(), "C:\\Tree\\a.txt\r\nC:\\Tree\\d.txt\r\n");
  EXPECT_EQ(Content("C:\\Tree\\c.txt"), "333");
  EXPECT_FALSE(Exists("C:\\Tree\\d.txt"));
}

// Several folders deep, with files whose names take 8.3 aliases, matched by
// the pattern through either name: each is deleted once and logged by its
// long name, and every folder stays.
TEST_F(EngineTest, DeleteWalkerTakesListedFilesByTheirLongNamesAtEveryLevel) {
  Put("C:\\Tree\\Long File Name One.log", "12");
  Put("C:\\Tree\\Deeper Folder\\Long File Name Two.log", "1234");
  Put("C:\\Tree\\Deeper Folder\\Third Level\\short.log", "1");
  Put("C:\\Tree\\Deeper Folder\\Third Level\\other.txt", "kept");
  EXPECT_EQ(frmClean().FindFilesAPI_Del("C:\\Tree", "*.LOG", "-1", "-1"), 7);
  EXPECT_EQ(Log(),
            "C:\\Tree\\Long File Name One.log\r\n"
            "C:\\Tree\\Deeper Folder\\Long File Name Two.log\r\n"
            "C:\\Tree\\Deeper Folder\\Third Level\\short.log\r\n");
  EXPECT_EQ(Content("C:\\Tree\\Deeper Folder\\Third Level\\other.txt"), "kept");
  EXPECT_TRUE(Exists("C:\\Tree\\Deeper Folder\\Third Level"));
}

// Dead shortcuts go through the same listing; a live one and a read-only
// dead one stay, and only what went is counted.
TEST_F(EngineTest, ShortcutWalkerRemovesListedDeadShortcuts) {
  Put("C:\\Target\\file.exe");
  Put("C:\\Desk\\live.lnk", ShellLink("C:\\Target\\file.exe"));
  Put("C:\\Desk\\dead.lnk", ShellLink("C:\\Target\\gone.exe"));
  Put("C:\\Desk\\Sub\\deader.lnk", ShellLink("C:\\Target\\gone.exe"));
  Put("C:\\Desk\\ro.lnk", ShellLink("C:\\Target\\gone.exe"));
  SetFileAttributesA("C:\\Desk\\ro.lnk", FILE_ATTRIBUTE_READONLY);
  std::size_t dead = ShellLink("C:\\Target\\gone.exe").size();
  EXPECT_EQ(frmClean().FindFilesAP2_Shortcuts("C:\\Desk", "*.lnk"), static_cast<std::int32_t>(2 * dead));
  EXPECT_TRUE(Exists("C:\\Desk\\live.lnk"));
  EXPECT_TRUE(Exists("C:\\Desk\\ro.lnk"));
  EXPECT_FALSE(Exists("C:\\Desk\\dead.lnk"));
  EXPECT_FALSE(Exists("C:\\Desk\\Sub\\deader.lnk"));
}

}  // namespace
}  // namespace tessaly::testing
