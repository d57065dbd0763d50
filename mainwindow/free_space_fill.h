#pragma once
// Overwrites a drive's free space: fill files "TmpShred.1", "TmpShred.2" ...
// of ten million "0" characters, then "TmpShred.x" with the rest, are kept
// until the drive is full (the first write that fails), so every free byte
// is written once; then every fill file made here is deleted, on every path
// out. A file of such a name that existed before is never opened.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class FreeSpaceFill {
 public:
  static constexpr std::uint64_t kFileBytes = 10'000'000;

  explicit FreeSpaceFill(std::string root) : root_(std::move(root)) {}
  ~FreeSpaceFill() { DeleteFillFiles(); }
  FreeSpaceFill(const FreeSpaceFill&) = delete;
  FreeSpaceFill& operator=(const FreeSpaceFill&) = delete;

  // Fills the drive, reporting the percentage after every numbered file,
  // then deletes the fill files.
  void Run(const std::function<void(double percent)>& progress);
  // The drive was filled and every fill file is gone again.
  bool Succeeded() const { return full_ && undeleted_ == 0; }
  int UndeletedFiles() const { return undeleted_; }

 private:
  enum class Outcome { Written, Full, Exists, Failed };
  Outcome Fill(const std::string& name, std::uint64_t limit);
  void DeleteFillFiles();

  std::string root_;
  std::vector<std::string> created_;
  bool full_ = false;
  int undeleted_ = 0;
};
