// Shredding never reaches data another name shares, and the deletion's
// faster path (one resolution, removal relative to the held folder) keeps
// every file outside the machine, and every renamed folder, out of reach.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "platform/files/resolved_file.h"
#include "platform/forms/event_loop.h"

namespace tessaly::testing {
namespace {

namespace fs = std::filesystem;

struct ShredCase {
  const char* name;
  const char* file;  // the name that is shredded
  std::function<void(const std::string& file)> shred;
};

// The engine's machine with a second fixed drive, E:, for the whole-drive
// shred of the shredder page (refused on the drive that holds Windows).
class HardLinkShredTest : public EngineTest {
 public:
  HardLinkShredTest()
      : EngineTest(TestMachine().drive(
            {'E', platform::DriveType::Fixed, "NTFS", "DATA", 16ull << 20, 4096, true, false, 0x2222, ""})) {}
};

TEST_F(HardLinkShredTest, AFileWithASecondHardLinkIsRemovedWithoutOverwritingTheSharedData) {
  const std::string data(5000, 'k');
  const ShredCase cases[] = {
      {"a cleaner's file", "C:\\Work\\trace.txt",
       [](const std::string& file) {
         Form1().chkBleach.Value(1);
         Form1().cmbShredder.Text("3");
         Delete().DeleteFile(file);
         Form1().chkBleach.Value(0);
       }},
      {"the shredder page's file", "C:\\Work\\trace.txt", [](const std::string& file) { Delete().xShredFile(file); }},
      {"the shredder page's folder", "C:\\Work\\Sub\\trace.txt",
       [](const std::string&) { Delete().xShredFolder("C:\\Work\\Sub"); }},
      {"the long-pattern shredder", "C:\\Work\\trace.txt", [](const std::string& file) { Delete().xShredDrive(file); }},
      // What the page's whole-drive shred runs on the drive's root.
      {"the shredder page's drive", "E:\\Work\\trace.txt",
       [](const std::string&) { frmClean().FindFilesAPI_Shred("E:\\", "*.*", "-1", "-1"); }},
  };
  for (const auto& c : cases) {
    for (bool outside : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (outside ? ", other name outside" : ", other name inside"));
      Form1().txtResult.Text("");
      Put(c.file, data);
      fs::path shredded = machine_.hostPath(c.file);
      fs::path other = outside ? machine_.folder() / "snapshot.txt" : machine_.hostPath("C:\\Backup.txt");
      fs::remove(other);
      fs::create_hard_link(shredded, other);
      c.shred(c.file);
      EXPECT_EQ(ReadHostFile(other), data);
      EXPECT_FALSE(fs::exists(shredded));
      EXPECT_NE(Log().find(c.file), std::string::npos) << Log();
      EXPECT_NE(Log().find("hard link"), std::string::npos) << Log();
      fs::remove(other);
    }
  }
}

TEST_F(EngineTest, AFileWithOneLinkIsStillShredded) {
  Put("C:\\Work\\alone.txt", std::string(100, 'a'));
  EXPECT_EQ(Delete().xShredFile("C:\\Work\\alone.txt"), 100);
  EXPECT_FALSE(Exists("C:\\Work\\alone.txt"));
  EXPECT_EQ(Log().find("hard link"), std::string::npos);
}

// A folder on the way (named by its alias, so the cached path is used) is
// replaced by a link after the file was resolved: the removal never
// follows it, whether it leads outside the machine or elsewhere inside.
TEST_F(EngineTest, AFolderReplacedByALinkAfterResolutionIsNeverFollowed) {
  for (bool toOutside : {true, false}) {
    SCOPED_TRACE(toOutside ? "link to outside" : "link inside the machine");
    Put("C:\\Long Folder Name\\Sub\\f.txt", "inside");
    Put("C:\\Elsewhere\\f.txt", "elsewhere");
    fs::path target = toOutside ? machine_.outside() : machine_.hostPath("C:\\Elsewhere");
    std::ofstream(target / "f.txt") << "must stay";
    // Resolved twice, so the second one starts from the cached folder.
    { platform::files::ResolvedFile warm("C:\\LONGFO~1\\Sub\\f.txt"); }
    platform::files::ResolvedFile file("C:\\LONGFO~1\\Sub\\f.txt");
    ASSERT_TRUE(file.exists());
    fs::path sub = machine_.hostPath("C:\\Long Folder Name\\Sub");
    fs::rename(sub, machine_.hostPath("C:\\Long Folder Name") / "moved");
    fs::create_directory_symlink(target, sub);
    EXPECT_NE(file.Remove(), 0u);
    EXPECT_EQ(ReadHostFile(target / "f.txt"), "must stay");
    fs::remove(sub);
    fs::remove_all(machine_.hostPath("C:\\Long Folder Name"));
  }
}

// The same swap in the middle of a tree deletion, between the listing that
// found the subfolder and the deletion of its files.
TEST_F(EngineTest, ASubfolderReplacedByALinkDuringATreeDeletionIsNeverFollowed) {
  for (bool toOutside : {true, false}) {
    SCOPED_TRACE(toOutside ? "link to outside" : "link inside the machine");
    Put("C:\\Long Folder Name\\Tree\\a.txt", "first");
    Put("C:\\Long Folder Name\\Tree\\Sub\\b.txt", "inside");
    Put("C:\\Elsewhere\\b.txt", "elsewhere");
    fs::path target = toOutside ? machine_.outside() : machine_.hostPath("C:\\Elsewhere");
    std::ofstream(target / "b.txt") << "must stay";
    fs::path sub = machine_.hostPath("C:\\Long Folder Name\\Tree\\Sub");
    // The first file's turn of the message loop comes after the listing.
    platform::forms::AtYield(platform::forms::YieldCount() + 1, [&] {
      fs::rename(sub, sub.parent_path().parent_path() / "moved");
      fs::create_directory_symlink(target, sub);
    });
    std::string tree = "C:\\LONGFO~1\\Tree";
    Delete().DeleteFolder(tree, "*.*");
    EXPECT_EQ(ReadHostFile(target / "b.txt"), "must stay");
    EXPECT_TRUE(fs::exists(target));
    EXPECT_EQ(ReadHostFile(machine_.hostPath("C:\\Long Folder Name\\moved\\b.txt")), "inside");
    EXPECT_FALSE(fs::exists(machine_.hostPath("C:\\Long Folder Name\\Tree\\a.txt")));
    fs::remove(sub);
    fs::remove_all(machine_.hostPath("C:\\Long Folder Name"));
  }
}

TEST_F(EngineTest, ARenamedOrDeletedCachedFolderIsNeverReached) {
  Put("C:\\Long Folder Name\\Sub\\f.txt", "old");
  { platform::files::ResolvedFile warm("C:\\LONGFO~1\\Sub\\f.txt"); }
  // Renamed on the host, a new folder of the same name in its place.
  fs::path sub = machine_.hostPath("C:\\Long Folder Name\\Sub");
  fs::rename(sub, sub.parent_path() / "Renamed");
  Put("C:\\Long Folder Name\\Sub\\f.txt", "new");
  EXPECT_EQ(Content("C:\\LONGFO~1\\Sub\\f.txt"), "new");
  EXPECT_EQ(Delete().DeleteFile("C:\\LONGFO~1\\Sub\\f.txt"), 3);
  EXPECT_EQ(ReadHostFile(sub.parent_path() / "Renamed" / "f.txt"), "old");
  // Deleted: nothing is found through the stale entry.
  { platform::files::ResolvedFile warm("C:\\LONGFO~1\\Sub\\g.txt"); }
  fs::remove_all(sub);
  EXPECT_FALSE(platform::files::ResolvedFile("C:\\LONGFO~1\\Sub\\f.txt").exists());
}

TEST_F(EngineTest, AnAliasThatChangedIsNotUsed) {
  Put("C:\\Long Folder Name\\f.txt", "first");
  ASSERT_EQ(Content("C:\\LONGFO~1\\f.txt"), "first");
  // The folder gives its alias up (renamed to a name of its own short
  // form); a new folder takes the alias.
  ASSERT_TRUE(MoveFileA("C:\\Long Folder Name", "C:\\SHORT"));
  Put("C:\\Long Folder Other\\f.txt", "second");
  std::string shortForm(256, '\0');
  GetShortPathNameA("C:\\Long Folder Other", shortForm.data(), 256);
  shortForm.resize(shortForm.find('\0'));
  platform::files::ResolvedFile file("C:\\LONGFO~1\\f.txt");
  if (shortForm == "C:\\LONGFO~1") {
    ASSERT_TRUE(file.exists());
    EXPECT_EQ(file.resolved().longPath, "C:\\Long Folder Other\\f.txt");
  } else {
    EXPECT_FALSE(file.exists());
  }
  EXPECT_EQ(Content("C:\\SHORT\\f.txt"), "first");
}

// The folder being emptied is listed once and its files removed relative to
// it: swapped for a link after its first file, or well into a bigger
// folder (where the move is told by the kernel's flag, not by a call), for
// either deletion, the rest is never reached through the link, and nothing
// is reported as failed (the files are gone from where they were listed).
TEST_F(EngineTest, TheFolderBeingEmptiedReplacedByALinkMidwayIsNeverFollowed) {
  struct Case {
    const char* name;
    int turnsPerFile;  // message loop turns before each file
    std::function<void()> run;
  };
  const Case cases[] = {
      {"tree", 2,
       [] {
         std::string tree = "C:\\LONGFO~1\\Tree";
         Delete().DeleteFolder(tree, "*.*");
       }},
      {"one folder", 1, [] { Delete().DeleteFilesInFolder("C:\\LONGFO~1\\Tree", "*.*"); }},
  };
  for (const Case& c : cases) {
    for (int deletedFirst : {1, 40}) {
      for (bool toOutside : {true, false}) {
        SCOPED_TRACE(std::string(c.name) + ", swapped after " + std::to_string(deletedFirst) +
                     (toOutside ? ", link to outside" : ", link inside the machine"));
        std::vector<std::string> names;
        for (int i = 0; i < deletedFirst + 2; ++i) names.push_back("f" + std::to_string(100 + i) + ".txt");
        for (const auto& name : names) Put("C:\\Long Folder Name\\Tree\\" + name, "inside");
        Put("C:\\Elsewhere\\keep.txt", "elsewhere");
        fs::path target = toOutside ? machine_.outside() : machine_.hostPath("C:\\Elsewhere");
        for (const auto& name : names) std::ofstream(target / name) << "must stay";
        fs::path tree = machine_.hostPath("C:\\Long Folder Name\\Tree");
        fs::path moved = tree.parent_path() / "moved";
        platform::forms::AtYield(platform::forms::YieldCount() + deletedFirst * c.turnsPerFile + 1, [&] {
          fs::rename(tree, moved);
          fs::create_directory_symlink(target, tree);
        });
        Form1().txtResult.Text("");
        c.run();
        for (std::size_t i = 0; i < names.size(); ++i) {
          const bool before = static_cast<int>(i) < deletedFirst;
          EXPECT_EQ(fs::exists(moved / names[i]), !before) << names[i];
          EXPECT_EQ(ReadHostFile(target / names[i]), "must stay") << names[i];
        }
        EXPECT_EQ(Log().find("cannot be deleted"), std::string::npos) << Log();
        fs::remove(tree);
        fs::remove_all(machine_.hostPath("C:\\Long Folder Name"));
        fs::remove_all(machine_.hostPath("C:\\Elsewhere"));
        for (const auto& name : names) fs::remove(machine_.outside() / name);
      }
    }
  }
}

// Listed, then taken away or changed on the host before its turn: a file
// removed by someone else is skipped without a report; the others go.
TEST_F(EngineTest, AListedFileRemovedBeforeItsTurnIsSkippedQuietly) {
  Put("C:\\Work\\a.txt", "12");
  Put("C:\\Work\\b.txt", "1234");
  Put("C:\\Work\\c.txt", "123456");
  platform::forms::AtYield(platform::forms::YieldCount() + 1,
                           [&] { fs::remove(machine_.hostPath("C:\\Work\\b.txt")); });
  EXPECT_EQ(Delete().DeleteFilesInFolder("C:\\Work", "*.*"), 8);
  EXPECT_FALSE(Exists("C:\\Work\\a.txt"));
  EXPECT_FALSE(Exists("C:\\Work\\c.txt"));
  // Neither a failure nor a locked file (scheduled for the restart).
  for (const char* report : {"cannot be deleted", "locked"})
    EXPECT_EQ(Log().find(report), std::string::npos) << Log();
}

// A folder kept open by an earlier look-up, deleted on the host and made
// again in its place: the deletion empties the new folder, not the old one
// still held open.
TEST_F(EngineTest, AKeptFolderMadeAgainInPlaceIsTheOneEmptied) {
  Put("C:\\Long Folder Name\\Sub\\f.txt", "old");
  { platform::files::ResolvedFile warm("C:\\LONGFO~1\\Sub\\f.txt"); }
  fs::path sub = machine_.hostPath("C:\\Long Folder Name\\Sub");
  fs::remove_all(sub);
  fs::create_directory(sub);
  std::ofstream(sub / "g.txt") << "fresh";
  EXPECT_EQ(Delete().DeleteFilesInFolder("C:\\LONGFO~1\\Sub", "*.*"), 5);
  EXPECT_FALSE(fs::exists(sub / "g.txt"));
}

}  // namespace
}  // namespace tessaly::testing
