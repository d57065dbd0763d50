#pragma once
// The walk the file walkers share: for one folder, list its subfolders,
// act on the files matching the pattern (in the search's order, one message
// loop turn per entry), then walk each subfolder the same way. A folder's
// matching files are handled before its subfolders, depth first.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace cleaning {

class FileToDelete;

// Whether a search with `pattern` (one pattern, no ";") finds every name,
// so that a folder's listing of "*" already holds its results.
inline bool SearchFindsEveryName(const std::string& pattern) { return pattern == "*" || pattern == "*.*"; }

struct WalkActions {
  // Tested before each file and each subfolder; true ends the whole walk.
  std::function<bool()> stopped;
  // Whether to walk into a subfolder (path without trailing "\").
  std::function<bool(const std::string& subfolder)> enter;
  // One matching file (never a folder); adds what it took to `total`.
  std::function<void(const std::string& path, std::uint64_t size, std::uint64_t& total)> onFile;
  // In place of onFile, for walkers that delete: the file as its folder's
  // listing found it, to be acted on without another look-up of its path.
  // Each folder is then listed once (its one listing serves the file pass
  // too when the pattern matches every name).
  std::function<void(const std::string& path, std::uint64_t size, FileToDelete& file, std::uint64_t& total)>
      onListedFile;
  // After a subfolder (path without trailing "\") has been walked.
  std::function<void(const std::string& subfolder)> afterSubfolder;
};

// Walks `folder` (a "\" is added when missing); the byte total of the tree.
std::uint64_t WalkFiles(const std::string& folder, const std::string& pattern, const WalkActions& actions);

// The size test of the delete and shred walkers: each bound is a decimal
// text times `unit` bytes, and "-1" disables that bound alone.
class SizeBounds {
 public:
  SizeBounds(const std::string& lower, const std::string& upper, std::uint64_t unit);
  // False when a bound is not a number: the walk is refused.
  bool valid() const { return valid_; }
  bool Takes(std::uint64_t size) const;

 private:
  bool valid_ = true;
  std::optional<double> lower_, upper_;
};

}  // namespace cleaning
