// The folder cache on its own, watching and not: a kept folder is handed
// out only while it still sits at its host path, and a miss inside a
// deleted one is confirmed as stale.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/folder_cache.h"
#include "support/temp_machine.h"

namespace {

namespace fs = std::filesystem;
using platform::files::FolderCache;
using platform::files::HostPathOfFd;
using platform::files::OpenFolderAt;
using tessaly::testing::TempMachine;

// Keeps `folder` under the spelling "K" and tells whether it is handed out,
// watched exactly when the cache watches: a watch quietly refused would
// leave the watched case testing the other one.
bool KeepAndFind(FolderCache& cache, const fs::path& folder, bool watch) {
  auto fd = OpenFolderAt(AT_FDCWD, folder.c_str());
  auto where = HostPathOfFd(fd.get());
  if (!where) return false;
  auto held = std::make_shared<platform::files::HeldFolder>();
  held->fd = std::move(fd);
  held->hostPath = *where;
  cache.Remember("K", held, folder, "K", "K", {});
  const auto* kept = cache.Find("K");
  return kept && (kept->held->watchedIn != 0) == watch;
}

TEST(FolderCacheUnit, AMovedOrDeletedFolderIsNotHandedOutWatchedOrNot) {
  for (bool watch : {true, false}) {
    SCOPED_TRACE(watch ? "watched" : "asked at each use");
    TempMachine m;
    fs::path a = m.folder() / "a", inner = a / "inner";

    // Moved: the folder and a folder above it.
    for (const fs::path& moved : {inner, a}) {
      fs::create_directories(inner);
      FolderCache cache(watch);
      ASSERT_TRUE(KeepAndFind(cache, inner, watch));
      fs::rename(moved, moved.string() + "-gone");
      // A miss first: the move must still count at the next hit.
      EXPECT_EQ(cache.Find("other"), nullptr);
      EXPECT_EQ(cache.Find("K"), nullptr) << moved;
      fs::remove_all(moved.string() + "-gone");
    }

    // Deleted while held: a miss inside it is confirmed stale.
    fs::create_directories(inner);
    FolderCache cache(watch);
    ASSERT_TRUE(KeepAndFind(cache, inner, watch));
    EXPECT_TRUE(cache.Confirm("K"));
    fs::remove(inner);
    EXPECT_FALSE(cache.Confirm("K"));
    EXPECT_EQ(cache.Find("K"), nullptr);
  }
}

}  // namespace
