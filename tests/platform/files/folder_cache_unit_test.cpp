// The folder cache on its own, watching and not: a kept folder is handed
// out only while it still sits at its host path, and a miss inside a
// deleted one is confirmed as stale.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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

// The watches of each inotify instance this process holds, by instance.
std::vector<int> WatchesPerInstance() {
  std::vector<int> watches;
  for (const auto& fd : fs::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (fs::read_symlink(fd.path(), error).string() != "anon_inode:inotify") continue;
    std::ifstream info("/proc/self/fdinfo/" + fd.path().filename().string());
    int count = 0;
    for (std::string line; std::getline(info, line);) count += line.rfind("inotify wd:", 0) == 0;
    watches.push_back(count);
  }
  return watches;
}

// A walk keeps far more folders than the cache holds: the cache drops
// entries to make room but keeps its one watch instance, and the watches
// still report a folder moved after its entry went and it was kept again.
TEST(FolderCacheUnit, KeepingManyMoreFoldersThanItHoldsKeepsOneWatchAndStillSeesMoves) {
  TempMachine m;
  FolderCache cache;
  const auto before = WatchesPerInstance();
  const int kFolders = 300;
  for (int i = 0; i < kFolders; ++i) {
    fs::path folder = m.folder() / "walk" / ("f" + std::to_string(i));
    fs::create_directories(folder);
    auto fd = OpenFolderAt(AT_FDCWD, folder.c_str());
    auto where = HostPathOfFd(fd.get());
    ASSERT_TRUE(where);
    auto held = std::make_shared<platform::files::HeldFolder>();
    held->fd = std::move(fd);
    held->hostPath = *where;
    cache.Remember("K" + std::to_string(i), held, folder, "K", "K", {});
    ASSERT_NE(cache.Find("K" + std::to_string(i)), nullptr) << i;
    ASSERT_NE(held->watchedIn, 0u) << "the kernel would not watch folder " << i;
  }
  // One instance more, watching every folder kept: none was closed and
  // made again as entries went (each close costs the kernel a grace period).
  auto after = WatchesPerInstance();
  ASSERT_EQ(after.size(), before.size() + 1);
  EXPECT_GE(*std::max_element(after.begin(), after.end()), kFolders);
  EXPECT_EQ(cache.Find("K0"), nullptr) << "made room by dropping entries";

  // The last kept folder, then one whose entry went long ago, moved.
  const std::string last = "K" + std::to_string(kFolders - 1);
  fs::rename(m.folder() / "walk" / ("f" + std::to_string(kFolders - 1)), m.folder() / "walk" / "moved");
  EXPECT_EQ(cache.Find(last), nullptr);
  ASSERT_TRUE(KeepAndFind(cache, m.folder() / "walk" / "f0", true));
  fs::rename(m.folder() / "walk", m.folder() / "walk-gone");
  EXPECT_EQ(cache.Find("K"), nullptr);
}

}  // namespace
