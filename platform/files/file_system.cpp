#include "platform/files/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <unordered_set>

#include "platform/base/cp1252.h"
#include "platform/files/delayed_moves.h"
#include "platform/files/short_names.h"

namespace platform::files {
namespace {

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirPtr = std::unique_ptr<DIR, DirCloser>;

bool IsUnder(const std::string& key, const std::string& folder) {
  return key == folder || (key.size() > folder.size() && key.compare(0, folder.size(), folder) == 0 &&
                           key[folder.size()] == '\\');
}

// A Windows name that survives the trip to the host and back unchanged.
bool HasHostForm(const std::string& name) {
  if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return true;  // ASCII is the same in both encodings
  auto back = Utf8ToCp1252(Cp1252ToUtf8(name));
  return back && *back == name;
}

std::string KeyOfPath(const WindowsPath& path) {
  std::string key{path.drive, ':'};
  for (const auto& c : path.components) key += '\\' + ToUpper(c);
  return key;
}

}  // namespace

std::int64_t FileTimeOf(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 10000000 + time.tv_nsec / 100 + kUnixEpochAsFileTime;
}

bool EntryFromStat(const struct stat& st, Entry& entry) {
  if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) return false;
  entry.directory = S_ISDIR(st.st_mode);
  entry.size = entry.directory ? 0 : static_cast<std::uint64_t>(st.st_size);
  entry.writeTime = FileTimeOf(st.st_mtim);
  return true;
}

FileSystem::FileSystem(Machine& machine)
    : machine_(machine), metadata_(machine.stateFolder() / "files.meta") {
  ResetProcess();
}

void FileSystem::Flush() { metadata_.Save(); }

void FileSystem::OnRestart() {
  // Nothing runs during the boot: no file is held or in use while the
  // delayed operations apply.
  holds_.clear();
  inUse_.clear();
  restarting_ = true;
  ApplyDelayedMoves(*this);
  restarting_ = false;
  ResetProcess();
}

void FileSystem::ResetProcess() {
  // A fresh process starts in the program folder; other drives at their root.
  currentDirs_.clear();
  std::string program = machine_.programFolder();
  currentDrive_ = program[0];
  currentDirs_[currentDrive_] = program;
}

std::filesystem::path FileSystem::scratchFolder() const { return machine_.stateFolder() / "tmp"; }

std::string FileSystem::CurrentDirectory(char drive) const {
  auto it = currentDirs_.find(UpperChar(drive));
  if (it != currentDirs_.end()) return it->second;
  return std::string{UpperChar(drive), ':', '\\'};
}

void FileSystem::SetCurrentDirectory(char drive, std::string longPath) {
  currentDrive_ = UpperChar(drive);
  currentDirs_[currentDrive_] = std::move(longPath);
}

DWORD FileSystem::DriveRoot(char drive, std::filesystem::path& root) const {
  const DriveDescription* description = machine_.description().drive(drive);
  if (!description) return ERROR_PATH_NOT_FOUND;
  if (!description->mediaPresent) return ERROR_NOT_READY;
  char letter = UpperChar(drive);
  if (letter < 'A' || letter > 'Z') {
    root = machine_.driveFolder(letter);
    return ERROR_SUCCESS;
  }
  std::filesystem::path& known = driveFolders_[static_cast<std::size_t>(letter - 'A')];
  if (known.empty()) known = machine_.driveFolder(letter);
  root = known;
  return ERROR_SUCCESS;
}

DWORD FileSystem::OpenDriveRoot(const std::filesystem::path& root, UniqueFd& fd) const {
  // A drive folder that is itself a link would lead out of the machine.
  fd = OpenFolderAt(AT_FDCWD, root.c_str());
  if (!fd && errno == ENOENT) {
    std::error_code ec;
    std::filesystem::create_directories(root, ec);
    if (!ec) fd = OpenFolderAt(AT_FDCWD, root.c_str());
  }
  return fd ? ERROR_SUCCESS : ERROR_NOT_READY;
}

DWORD FileSystem::Resolve(std::string_view windowsPath, Resolved& out, bool allowPattern) {
  // A kept answer names an entry, so its last name is no pattern: with or
  // without patterns allowed, the text reads the same.
  if (Recall(windowsPath, out)) return ERROR_SUCCESS;
  out = Resolved{};
  PathContext context;
  context.currentDrive = currentDrive_;
  context.currentDirectory = [this](char drive) { return CurrentDirectory(drive); };
  if (DWORD error = ParseWindowsPath(windowsPath, context, out.path, allowPattern)) return error;

  std::filesystem::path root;
  if (DWORD error = DriveRoot(out.path.drive, root)) return error;

  std::filesystem::path host = root;
  std::string key{out.path.drive, ':'};
  std::string longPath{out.path.drive, ':'};
  const auto& components = out.path.components;
  if (components.empty()) {
    UniqueFd rootFd;
    if (DWORD error = OpenDriveRoot(root, rootFd)) return error;
    out.key = key;
    out.longPath = longPath + "\\";
    out.host = host;
    out.exists = true;
    out.entry.directory = true;
    return ERROR_SUCCESS;
  }

  // The path's folders as spelled, "C:", "C:\Dir", ...: the deepest one
  // still cached is where the walk starts.
  std::vector<std::string> spellings{std::string{out.path.drive, ':'}};
  for (std::size_t i = 0; i + 1 < components.size(); ++i) spellings.push_back(spellings.back() + '\\' + components[i]);
  std::size_t start = 0;
  int folder = -1;
  UniqueFd owned;
  std::string folderHostPath;  // the kernel's path of `folder`; "" until needed
  for (std::size_t i = spellings.size() - 1; i > 0 && folder < 0; --i) {
    if (const CachedFolder* cached = folderCache_.Find(spellings[i])) {
      start = i;
      folder = cached->fd.get();
      folderHostPath = cached->hostPath;
      host = cached->host;
      key = cached->key;
      longPath = cached->longPath;
    }
  }
  if (folder < 0) {
    if (DWORD error = OpenDriveRoot(root, owned)) return error;
    folder = owned.get();
  }
  // Folders found by their exact spelling are cached; one found another way
  // (case, alias) ends the caching for the rest of the path.
  bool cacheable = true;

  for (std::size_t i = start; i < components.size(); ++i) {
    bool last = i + 1 == components.size();
    const std::string& name = components[i];
    if (last && allowPattern && HasWildcard(name)) {
      // A pattern names no entry; the caller lists the folder.
      out.folderKey = key;
      out.nameKey = ToUpper(name);
      out.key = JoinKey(key, out.nameKey);
      out.longPath = longPath + "\\" + name;
      out.host = host;
      return ERROR_SUCCESS;
    }
    std::optional<Entry> child = FindChild(folder, host, key, name);
    if (!child && start > 0 && !folderCache_.Confirm(spellings[start])) {
      // The kept folder is gone from its place: walk again from the drive.
      folderCache_.Clear();
      return Resolve(windowsPath, out, allowPattern);
    }
    if (!child) {
      if (!last) return ERROR_PATH_NOT_FOUND;
      if (!HasHostForm(name)) return ERROR_INVALID_NAME;
      out.folderKey = key;
      out.nameKey = ToUpper(name);
      out.key = JoinKey(key, out.nameKey);
      out.longPath = longPath + "\\" + name;
      out.host = host / Cp1252ToUtf8(name);
      out.entry.name = name;
      out.entry.hostName = Cp1252ToUtf8(name);
      return ERROR_SUCCESS;
    }
    if (!last && !child->directory) return ERROR_PATH_NOT_FOUND;
    // Host names come from the folder itself; none can climb out of it.
    if (child->hostName.empty() || child->hostName == "." || child->hostName == ".." ||
        child->hostName.find('/') != std::string::npos)
      return ERROR_INVALID_NAME;
    std::string nameKey = ToUpper(child->name);
    if (last) {
      out.folderKey = key;
      out.nameKey = nameKey;
    }
    key = JoinKey(key, nameKey);
    longPath += "\\" + child->name;
    host /= child->hostName;
    if (last) {
      out.entry = std::move(*child);
      break;
    }
    // Step into the folder by descriptor: a link put in its place since it
    // was looked at is not followed.
    UniqueFd next = OpenFolderAt(folder, child->hostName.c_str());
    if (!next) return ERROR_PATH_NOT_FOUND;
    cacheable = cacheable && child->name == name;
    if (cacheable && folderHostPath.empty()) {
      auto path = HostPathOfFd(folder);
      cacheable = path.has_value();
      if (path) folderHostPath = std::move(*path);
    }
    if (cacheable) {
      folderHostPath += "/" + child->hostName;
      UniqueFd kept(::fcntl(next.get(), F_DUPFD_CLOEXEC, 0));
      if (kept) folderCache_.Remember(spellings[i + 1], std::move(kept), folderHostPath, host, key, longPath);
    }
    owned = std::move(next);
    folder = owned.get();
  }
  out.key = key;
  out.longPath = longPath;
  out.host = host;
  out.exists = true;
  // Belt and braces: the final host path lies under the drive folder.
  std::string rootText = root.string() + "/";
  if (host.string().compare(0, rootText.size(), rootText) != 0) return ERROR_ACCESS_DENIED;
  if (cacheable && components.size() > 1) Keep(windowsPath, spellings.back(), out);
  return ERROR_SUCCESS;
}

void FileSystem::Keep(std::string_view text, const std::string& folderSpelling, const Resolved& result) {
  // Only a text that names the same entry whatever the current folders are,
  // and only a last name found as spelled or as its alias: a look-up by
  // another spelling could find another entry once the host changes.
  if (text.size() < 3 || text[1] != ':' || (text[2] != '\\' && text[2] != '/')) return;
  const std::string& spelled = result.path.components.back();
  std::string spelledKey = ToUpper(spelled);
  bool byAlias = result.entry.name != spelled;
  if (byAlias ? result.entry.alias != spelledKey : spelled.find('~') != std::string::npos) return;
  // A text kept before takes its old slot, so no stale copy stays behind it.
  auto same = std::find_if(recent_.begin(), recent_.end(), [&](const auto& r) { return r.text == text; });
  RecentResolution& slot = same != recent_.end() ? *same : recent_[nextRecent_];
  if (same == recent_.end()) nextRecent_ = (nextRecent_ + 1) % recent_.size();
  slot = RecentResolution{std::string(text), folderSpelling, byAlias ? spelledKey : "", result};
}

void FileSystem::KeepShortForm(const std::string& text, const Resolved& result) {
  if (result.path.trailingSeparator || text.size() < 4) return;
  Resolved named = result;
  named.path.components.clear();
  for (std::size_t start = 3; start <= text.size();) {
    std::size_t end = std::min(text.find('\\', start), text.size());
    named.path.components.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (named.path.components.size() != result.path.components.size() || named.path.components.size() < 2) return;
  Keep(text, text.substr(0, text.find_last_of('\\')), named);
}

bool FileSystem::Recall(std::string_view text, Resolved& out) {
  for (const RecentResolution& recent : recent_) {
    if (recent.text.empty() || recent.text != text) continue;
    const Resolved& kept = recent.result;
    const DriveDescription* drive = machine_.description().drive(kept.drive());
    if (!drive || !drive->mediaPresent) return false;
    // The folder still where it was, the entry still in it and still of
    // its kind, an alias still its own: the walk would find the same.
    const CachedFolder* folder = folderCache_.Find(recent.folderSpelling);
    if (!folder) return false;
    struct stat st {};
    Entry fresh;
    if (::fstatat(folder->fd.get(), kept.entry.hostName.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !EntryFromStat(st, fresh) || fresh.directory != kept.entry.directory)
      return false;
    const FileMeta* meta = metadata_.Find(kept.folderKey, kept.nameKey);
    std::string alias = meta ? meta->alias : std::string();
    if (!recent.alias.empty() && alias != recent.alias) return false;
    out = kept;
    out.entry.size = fresh.size;
    out.entry.writeTime = fresh.writeTime;
    out.entry.alias = std::move(alias);
    return true;
  }
  return false;
}

std::optional<Entry> FileSystem::FindChild(int folder, const std::filesystem::path& hostFolder,
                                           const std::string& folderKey, const std::string& name) {
  // An alias seen before: a live alias names its entry whatever else is
  // spelled like it (aliases avoid the folder's short names when given), so
  // the hint answers first and spares a look-up of the alias as a host name.
  std::string aliasKey = ToUpper(name);
  const bool mayBeAlias = name.find('~') != std::string::npos && shortNamesOn();
  if (mayBeAlias)
    if (auto hinted = FindByAliasHint(folder, folderKey, aliasKey)) return hinted;
  // The usual case: the name is spelled as stored.
  Entry entry;
  std::string hostName = Cp1252ToUtf8(name);
  struct stat st {};
  if (HasHostForm(name) && ::fstatat(folder, hostName.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
      EntryFromStat(st, entry)) {
    entry.name = name;
    entry.hostName = hostName;
    if (const FileMeta* meta = metadata_.Find(folderKey, aliasKey)) entry.alias = meta->alias;
    return entry;
  }
  // Another spelling: compare names only, stat just the candidates.
  int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DirPtr dir(listed < 0 ? nullptr : ::fdopendir(listed));
  if (!dir) {
    if (listed >= 0) ::close(listed);
    return std::nullopt;
  }
  std::optional<Entry> best;
  while (dirent* d = ::readdir(dir.get())) {
    std::string_view raw = d->d_name;
    if (raw == "." || raw == "..") continue;
    auto converted = Utf8ToCp1252(raw);
    if (!converted || !EqualsNoCase(*converted, name)) continue;
    Entry candidate;
    if (::fstatat(::dirfd(dir.get()), d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !EntryFromStat(st, candidate))
      continue;
    candidate.name = *converted;
    candidate.hostName = std::string(raw);
    // Two host spellings of one Windows name: the first in byte order wins.
    if (!best || candidate.name < best->name) best = std::move(candidate);
  }
  if (best) {
    if (const FileMeta* meta = metadata_.Find(folderKey, ToUpper(best->name))) best->alias = meta->alias;
    return best;
  }
  // An 8.3 alias: meeting the folder assigns any alias still missing.
  if (!mayBeAlias) return std::nullopt;
  std::vector<Entry> entries;
  if (ListFolder(hostFolder, folderKey, entries) != ERROR_SUCCESS) return std::nullopt;
  for (auto& e : entries)
    if (e.openable && e.alias == aliasKey) return std::move(e);
  return std::nullopt;
}

DWORD FileSystem::ListFolder(const std::filesystem::path& hostFolder, const std::string& folderKey,
                             std::vector<Entry>& out) {
  out.clear();
  DirPtr dir(::opendir(hostFolder.c_str()));
  if (!dir) return ERROR_PATH_NOT_FOUND;
  int fd = ::dirfd(dir.get());
  while (dirent* d = ::readdir(dir.get())) {
    std::string_view raw = d->d_name;
    if (raw == "." || raw == "..") continue;
    if (d->d_type != DT_REG && d->d_type != DT_DIR && d->d_type != DT_UNKNOWN) continue;
    Entry entry;
    struct stat st {};
    if (::fstatat(fd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !EntryFromStat(st, entry)) continue;
    entry.hostName = std::string(raw);
    if (std::all_of(raw.begin(), raw.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
      entry.name = entry.hostName;  // ASCII is the same in both encodings
    } else {
      auto converted = Utf8ToCp1252(raw);
      entry.openable = converted.has_value();
      entry.name = converted ? std::move(*converted) : Utf8ToCp1252Lossy(raw);
    }
    out.push_back(std::move(entry));
  }
  std::sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) {
    int order = CompareNoCase(a.name, b.name);
    return order != 0 ? order < 0 : a.name < b.name;
  });

  // One pass for what the metadata says; only folders with metadata pay
  // for the name keys.
  const auto* stored = metadata_.EntriesOf(folderKey);
  bool aliases = shortNamesOn();
  bool needsAliases = false;
  for (auto& entry : out) {
    const FileMeta* meta = nullptr;
    if (stored) {
      auto it = stored->find(ToUpper(entry.name));
      if (it != stored->end()) meta = &it->second;
    }
    entry.attributes = StoredOrDefaultAttributes(meta, entry.directory);
    entry.creationTime = meta && meta->creationTime ? *meta->creationTime : entry.writeTime;
    if (!aliases || !entry.openable || IsValidShortName(entry.name)) continue;
    if (meta) entry.alias = meta->alias;
    if (entry.alias.empty()) needsAliases = true;
  }
  if (!needsAliases) {
    RememberAliases(folderKey, out);
    return ERROR_SUCCESS;
  }

  std::unordered_set<std::string> shortNamesHere;
  for (const auto& entry : out)
    if (entry.openable && IsValidShortName(entry.name)) shortNamesHere.insert(ToUpper(entry.name));
  auto taken = [&](const std::string& alias) {
    return shortNamesHere.count(alias) != 0 || metadata_.AliasTaken(folderKey, alias);
  };
  AliasNumbers numbers;
  for (auto& entry : out) {
    if (!entry.openable || !entry.alias.empty() || IsValidShortName(entry.name)) continue;
    entry.alias = MakeAlias(entry.name, taken, &numbers);
    metadata_.SetAlias(folderKey, ToUpper(entry.name), entry.alias);
  }
  RememberAliases(folderKey, out);
  return ERROR_SUCCESS;
}

void FileSystem::RememberAliases(const std::string& folderKey, const std::vector<Entry>& entries) {
  auto& hints = aliasHints_[folderKey];
  for (const auto& entry : entries)
    if (!entry.alias.empty()) hints[entry.alias] = entry.hostName;
}

// A look-up by alias without listing the folder again: the hint names the
// host entry last seen with that alias, and counts only while the metadata
// still gives that entry the same alias.
std::optional<Entry> FileSystem::FindByAliasHint(int folder, const std::string& folderKey,
                                                 const std::string& aliasKey) {
  auto hints = aliasHints_.find(folderKey);
  if (hints == aliasHints_.end()) return std::nullopt;
  auto hint = hints->second.find(aliasKey);
  if (hint == hints->second.end()) return std::nullopt;
  auto name = Utf8ToCp1252(hint->second);
  struct stat st {};
  Entry entry;
  if (!name || ::fstatat(folder, hint->second.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !EntryFromStat(st, entry))
    return std::nullopt;
  const FileMeta* meta = metadata_.Find(folderKey, ToUpper(*name));
  if (!meta || meta->alias != aliasKey) return std::nullopt;
  entry.name = *name;
  entry.hostName = hint->second;
  entry.alias = aliasKey;
  return entry;
}

void FileSystem::AssignAliasOnCreation(const std::filesystem::path& hostFolder, const std::string& folderKey,
                                       const std::string& name) {
  if (!shortNamesOn() || IsValidShortName(name)) return;
  std::vector<Entry> entries;
  ListFolder(hostFolder, folderKey, entries);
}

DWORD FileSystem::AttributesOf(const Resolved& r) const {
  if (r.isRoot()) return kAttrDirectory;
  return StoredOrDefaultAttributes(metadata_.Find(r.folderKey, r.nameKey), r.entry.directory);
}

DWORD StoredOrDefaultAttributes(const FileMeta* meta, bool directory) {
  // Files placed on the host without metadata count as written (A).
  DWORD stored = meta && meta->attributes ? *meta->attributes : (directory ? 0 : kAttrArchive);
  DWORD attributes = stored | (directory ? kAttrDirectory : 0);
  return attributes ? attributes : kAttrNormal;
}

std::int64_t FileSystem::CreationTimeOf(const std::string& folderKey, const Entry& entry) const {
  const FileMeta* meta = metadata_.Find(folderKey, ToUpper(entry.name));
  return meta && meta->creationTime ? *meta->creationTime : entry.writeTime;
}

void FileSystem::SetStoredAttributes(const std::string& folderKey, const std::string& nameKey, DWORD attributes) {
  const FileMeta* meta = metadata_.Find(folderKey, nameKey);
  if (meta && meta->attributes == (attributes & kStoredAttributes)) return;
  metadata_.Edit(folderKey, nameKey).attributes = attributes & kStoredAttributes;
}

void FileSystem::MarkWritten(const Resolved& r) {
  DWORD current = AttributesOf(r) & kStoredAttributes;
  if (!(current & kAttrArchive)) SetStoredAttributes(r.folderKey, r.nameKey, current | kAttrArchive);
}

void FileSystem::RecordCreation(const std::string& folderKey, const std::string& nameKey, DWORD attributes) {
  metadata_.Remove(folderKey, nameKey);
  FileMeta& meta = metadata_.Edit(folderKey, nameKey);
  meta.attributes = attributes & kStoredAttributes;
  meta.creationTime = machine_.clock().NowUtc();
}

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
  std::uint64_t used = UsedBytes(drive);
  std::uint64_t before = ClusterRounded(drive, oldSize), after = ClusterRounded(drive, newSize);
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
  static const std::string kProgramImage = "\\TSY.EXE";
  if (key == PathKey(machine_.programFolder()) + kProgramImage) return true;
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

FileSystem* CurrentFileSystem() {
  Machine* machine = CurrentMachine();
  if (!machine) return nullptr;
  try {
    return &machine->area<FileSystem>();
  } catch (const std::exception&) {
    // A broken state file: the machine should not have opened (LoadFileSystem).
    return nullptr;
  }
}

FileSystem& LoadFileSystem(Machine& machine) { return machine.area<FileSystem>(); }

}  // namespace platform::files
