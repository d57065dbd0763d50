// Folders kept open across resolutions: once a folder was used, a host
// change to it (renamed, deleted, replaced by a link out of the machine or
// by a link to another folder of the machine) is seen by the next call.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/files/file_content.h"
#include "platform/files/kernel32_files.h"
#include "support/temp_machine.h"

namespace {

namespace fs = std::filesystem;
using tessaly::testing::TempMachine;

std::string Read(const char* path) {
  std::string bytes;
  return platform::files::ReadFileContent(path, bytes) == ERROR_SUCCESS ? bytes : "<unreadable>";
}

struct HostChange {
  const char* name;
  std::function<void(TempMachine&)> apply;
};

void MakeFile(const fs::path& folder, const char* text) {
  fs::create_directories(folder);
  std::ofstream(folder / "f.txt") << text;
}

TEST(FolderCache, AFolderChangedOnTheHostAfterUseIsNeverReachedThroughItsStaleEntry) {
  const HostChange changes[] = {
      {"renamed", [](TempMachine& m) { fs::rename(m.hostPath("C:\\A"), m.hostPath("C:\\Gone")); }},
      {"deleted", [](TempMachine& m) { fs::remove_all(m.hostPath("C:\\A")); }},
      {"link out of the machine",
       [](TempMachine& m) {
         fs::path outside = m.folder() / "link-target";
         MakeFile(outside / "B", "host secret");
         fs::rename(m.hostPath("C:\\A"), m.hostPath("C:\\Gone"));
         fs::create_directory_symlink(outside, m.hostPath("C:\\A"));
       }},
      {"link to another folder of the machine",
       [](TempMachine& m) {
         MakeFile(m.hostPath("C:\\Other\\B"), "other");
         fs::rename(m.hostPath("C:\\A"), m.hostPath("C:\\Gone"));
         fs::create_directory_symlink(m.hostPath("C:\\Other"), m.hostPath("C:\\A"));
       }},
      {"inner folder a link, outer kept",
       [](TempMachine& m) {
         MakeFile(m.hostPath("C:\\Other\\B"), "other");
         fs::rename(m.hostPath("C:\\A\\B"), m.hostPath("C:\\A\\Gone"));
         fs::create_directory_symlink(m.hostPath("C:\\Other\\B"), m.hostPath("C:\\A\\B"));
       }},
  };
  for (const auto& change : changes) {
    SCOPED_TRACE(change.name);
    TempMachine m;
    MakeFile(m.hostPath("C:\\A\\B"), "inside");
    // Used twice: the second call starts from the kept folder.
    ASSERT_EQ(Read("C:\\A\\B\\f.txt"), "inside");
    ASSERT_EQ(Read("C:\\A\\B\\f.txt"), "inside");
    ASSERT_NE(GetFileAttributesA("C:\\A\\B"), INVALID_FILE_ATTRIBUTES);

    change.apply(m);
    EXPECT_EQ(Read("C:\\A\\B\\f.txt"), "<unreadable>");
    EXPECT_EQ(GetFileAttributesA("C:\\A\\B\\f.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("C:\\A\\B"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(DeleteFileA("C:\\A\\B\\f.txt"));
    // Nothing behind a link was touched.
    for (const fs::path& target : {m.folder() / "link-target" / "B", m.hostPath("C:\\Other\\B")})
      if (fs::exists(target)) {
        EXPECT_TRUE(fs::exists(target / "f.txt")) << target;
      }
  }
}

TEST(FolderCache, AFolderMadeAgainInPlaceIsFoundAgain) {
  // Moved away (the watch reports it) or deleted while still held open (no
  // watch reports that; the miss inside it does).
  const HostChange removals[] = {
      {"moved away", [](TempMachine& m) { fs::rename(m.hostPath("C:\\A"), m.hostPath("C:\\Gone")); }},
      {"deleted", [](TempMachine& m) { fs::remove_all(m.hostPath("C:\\A")); }},
      {"drive folder moved away",
       [](TempMachine& m) { fs::rename(m.hostPath("C:\\"), m.folder() / "old-drive"); }},
  };
  for (const auto& removal : removals) {
    SCOPED_TRACE(removal.name);
    TempMachine m;
    MakeFile(m.hostPath("C:\\A\\B"), "first");
    ASSERT_EQ(Read("C:\\A\\B\\f.txt"), "first");
    ASSERT_EQ(Read("C:\\A\\B\\f.txt"), "first");
    removal.apply(m);
    MakeFile(m.hostPath("C:\\A\\B"), "second");
    EXPECT_EQ(Read("C:\\A\\B\\f.txt"), "second");
    EXPECT_NE(GetFileAttributesA("C:\\A\\B"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(DeleteFileA("C:\\A\\B\\f.txt"));
    EXPECT_FALSE(fs::exists(m.hostPath("C:\\A\\B\\f.txt")));
  }
}

}  // namespace
