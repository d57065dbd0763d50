// What a drive holds and may still take, and who may do what to an
// entry: folder rights, locks, holds and the process's own handles.
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/base/cp1252.h"
#include "platform/files/dir_handle.h"
#include "platform/files/file_system.h"

namespace platform::files {
namespace {

bool IsUnder(const std::string& key, const std::string& folder) {
  return key == folder || (key.size() > folder.size() && key.compare(0, folder.size(), folder) == 0 &&
                           key[folder.size()] == '\\');
}

std::string KeyOfPath(const WindowsPath& path) {
  std::string key{path.drive, ':'};
  for (const auto& c : path.components) key += '\\' + ToUpper(c);
  return key;
}

}  // namespace

std::uint64_t FileSystem::ClusterRounded(char drive, std::uint64_t size) const {
  const DriveDescription* d = machine_.description().drive(drive);
  std::uint64_t cluster = d && d->clusterSize ? d->clusterSize : 512;
  return (size + cluster - 1) / cluster * cluster;
}

std::uint64_t FileSystem::UsedBytes(char drive) {
  drive = UpperChar(drive);
  auto it = used_.find(drive);
  if (it != used_.end()) return it->second;
  // Walked once per drive; writes through the layer keep it current.
  std::uint64_t total = 0;
  std::vector<std::filesystem::path> pending{machine_.driveFolder(drive)};
  while (!pending.empty()) {
    std::filesystem::path folder = std::move(pending.back());
    pending.pop_back();
    DirPtr dir(::opendir(folder.c_str()));
    if (!dir) continue;
    while (dirent* d = ::readdir(dir.get())) {
      std::string_view raw = d->d_name;
      if (raw == "." || raw == "..") continue;
      struct stat st {};
      if (::fstatat(::dirfd(dir.get()), d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
      if (S_ISDIR(st.st_mode)) pending.push_back(folder / d->d_name);
      else if (S_ISREG(st.st_mode)) total += ClusterRounded(drive, static_cast<std::uint64_t>(st.st_size));
    }
  }
  used_[drive] = total;
  return total;
}

DWORD FileSystem::CheckGrowth(char drive, std::uint64_t oldSize, std::uint64_t newSize, std::uint64_t bytesWritten) {
  if (writeBudget_ && budgetUsed_ + bytesWritten > *writeBudget_) return ERROR_DISK_FULL;
  const DriveDescription* d = machine_.description().drive(drive);
  if (!d) return ERROR_PATH_NOT_FOUND;
  std::uint64_t before = ClusterRounded(drive, oldSize), after = ClusterRounded(drive, newSize);
  if (after <= before) return ERROR_SUCCESS;
  std::uint64_t used = UsedBytes(drive);
  std::uint64_t rest = used >= before ? used - before : 0;
  if (rest + after > d->capacity) return ERROR_DISK_FULL;
  return ERROR_SUCCESS;
}

void FileSystem::CommitGrowth(char drive, std::uint64_t oldSize, std::uint64_t newSize, std::uint64_t bytesWritten) {
  budgetUsed_ += bytesWritten;
  std::uint64_t before = ClusterRounded(drive, oldSize), after = ClusterRounded(drive, newSize);
  // A drive not walked yet: its walk, when asked, sees what shrank on the
  // host already, and a shrink raises no peak (deleting never walks it).
  if (after <= before && !used_.count(UpperChar(drive))) return;
  std::uint64_t used = UsedBytes(drive);
  used = used >= before ? used - before : 0;
  used_[UpperChar(drive)] = used + after;
  std::uint64_t& peak = peakUsed_[UpperChar(drive)];
  peak = std::max(peak, used + after);
}

std::uint64_t FileSystem::PeakUsedBytes(char drive) {
  std::uint64_t used = UsedBytes(drive);
  auto it = peakUsed_.find(UpperChar(drive));
  return it == peakUsed_.end() ? used : std::max(it->second, used);
}

void FileSystem::ResetPeakUsedBytes(char drive) { peakUsed_[UpperChar(drive)] = UsedBytes(drive); }

FolderGrant FileSystem::GrantFor(const std::string& key) const {
  if (!machine_.isNt()) return FolderGrant::Full;
  const auto& description = machine_.description();
  std::size_t bestLength = 0;
  std::optional<FolderGrant> best;
  for (const auto& rule : description.accessRules) {
    if (rule.path.size() < 2 || rule.path[1] != ':') continue;
    WindowsPath parsed;
    if (ParseWindowsPath(rule.path, PathContext{}, parsed) != ERROR_SUCCESS) continue;
    std::string ruleKey = KeyOfPath(parsed);
    if (IsUnder(key, ruleKey) && ruleKey.size() >= bestLength) {
      bestLength = ruleKey.size();
      best = rule.grant == Grant::Full ? FolderGrant::Full
                                       : rule.grant == Grant::Read ? FolderGrant::Read : FolderGrant::None;
    }
  }
  if (best) return *best;
  if (machine_.isLimitedUser()) {
    // A limited user only reads the system's and the programs' folders.
    for (const std::string& folder : {machine_.folders().windows, std::string("C:\\Program Files")})
      if (IsUnder(key, PathKey(folder))) return FolderGrant::Read;
  }
  return FolderGrant::Full;
}

DWORD FileSystem::CheckCanModify(const Resolved& r) const {
  const DriveDescription* d = machine_.description().drive(r.drive());
  if (d && d->readOnly) return ERROR_WRITE_PROTECT;
  if (GrantFor(r.key) != FolderGrant::Full) return ERROR_ACCESS_DENIED;
  return ERROR_SUCCESS;
}

DWORD FileSystem::CheckCanRead(const Resolved& r) const {
  return GrantFor(r.key) == FolderGrant::None ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

bool FileSystem::IsSystemLocked(const Resolved& r) const {
  return machine_.isNt() && r.path.components.size() == 1 && r.nameKey == "PAGEFILE.SYS";
}

std::optional<HoldMode> FileSystem::HeldMode(const std::string& key) const {
  auto it = holds_.find(key);
  if (it == holds_.end()) return std::nullopt;
  return it->second;
}

bool FileSystem::IsInUse(const std::string& key) const {
  if (restarting_) return false;
  // The running program's own image cannot be replaced while it runs.
  if (!programImageKey_.empty() && key == programImageKey_) return true;
  return inUse_.count(key) != 0;
}

DWORD FileSystem::CheckOwnHandles(const std::string& key, DWORD access, DWORD share, bool forDelete) const {
  constexpr DWORD kRead = 0x80000000, kWrite = 0x40000000;
  constexpr DWORD kShareRead = 1, kShareWrite = 2, kShareDelete = 4;
  auto range = openTable_->byKey.equal_range(key);
  for (auto it = range.first; it != range.second; ++it) {
    const OpenRecord& other = *it->second;
    if (forDelete) {
      if (!(other.share & kShareDelete)) return ERROR_SHARING_VIOLATION;
      continue;
    }
    if ((access & kRead) && !(other.share & kShareRead)) return ERROR_SHARING_VIOLATION;
    if ((access & kWrite) && !(other.share & kShareWrite)) return ERROR_SHARING_VIOLATION;
    if ((other.access & kRead) && !(share & kShareRead)) return ERROR_SHARING_VIOLATION;
    if ((other.access & kWrite) && !(share & kShareWrite)) return ERROR_SHARING_VIOLATION;
  }
  return ERROR_SUCCESS;
}

}  // namespace platform::files
