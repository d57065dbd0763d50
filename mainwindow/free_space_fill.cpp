#include "mainwindow/free_space_fill.h"

#include <algorithm>
#include <limits>

#include "platform/files/kernel32_files.h"

namespace {

constexpr DWORD kChunk = 64 * 1024;
// Names tried after "TmpShred.x" when older files hold the usual ones.
constexpr int kMaxNames = 100000;

}  // namespace

FreeSpaceFill::Outcome FreeSpaceFill::Fill(const std::string& name, std::uint64_t limit) {
  std::string path = root_ + name;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return Outcome::Exists;
    return error == ERROR_DISK_FULL ? Outcome::Full : Outcome::Failed;
  }
  created_.push_back(path);
  static const std::string zeros(kChunk, '0');
  std::uint64_t written = 0;
  DWORD chunk = kChunk;
  Outcome outcome = Outcome::Written;
  while (written < limit) {
    DWORD size = static_cast<DWORD>(std::min<std::uint64_t>(chunk, limit - written));
    DWORD done = 0;
    if (WriteFile(file, zeros.data(), size, &done, nullptr) && done == size) {
      written += size;
      continue;
    }
    if (GetLastError() != ERROR_DISK_FULL) {
      outcome = Outcome::Failed;
      break;
    }
    // The last clusters take smaller pieces; a single byte that does not
    // fit means the drive is full.
    if (size == 1) {
      outcome = Outcome::Full;
      break;
    }
    chunk = std::max<DWORD>(1, size / 2);
  }
  CloseHandle(file);
  return outcome;
}

void FreeSpaceFill::Run(const std::function<void(double)>& progress) {
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!GetDiskFreeSpaceA(root_.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) {
    DeleteFillFiles();
    return;
  }
  double free = static_cast<float>(static_cast<double>(sectorsPerCluster) * bytesPerSector * freeClusters);
  double count = free / 10000 / 1000;
  Outcome outcome = Outcome::Written;
  int number = 1;
  for (; number <= count && outcome != Outcome::Full && outcome != Outcome::Failed; ++number) {
    outcome = Fill("TmpShred." + std::to_string(number), kFileBytes);
    progress(number * 100 / count);
  }
  const std::uint64_t rest = std::numeric_limits<std::uint64_t>::max();
  if (outcome != Outcome::Full && outcome != Outcome::Failed) outcome = Fill("TmpShred.x", rest);
  // "TmpShred.x" was there before: further numbers take the rest.
  for (int tries = 0; outcome == Outcome::Exists && tries < kMaxNames; ++tries, ++number)
    outcome = Fill("TmpShred." + std::to_string(number), rest);
  full_ = outcome == Outcome::Full;
  DeleteFillFiles();
}

void FreeSpaceFill::DeleteFillFiles() {
  undeleted_ = 0;
  for (const std::string& path : created_)
    if (!DeleteFileA(path.c_str())) ++undeleted_;
  created_.clear();
}
