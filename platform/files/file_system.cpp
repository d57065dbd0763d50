#include "platform/files/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/base/cp1252.h"
#include "platform/files/delayed_moves.h"
#include "platform/files/dir_handle.h"

namespace platform::files {
namespace {

// A Windows name that survives the trip to the host and back unchanged.
bool HasHostForm(const std::string& name) {
  if (IsAscii(name)) return true;
  auto back = Utf8ToCp1252(Cp1252ToUtf8(name));
  return back && *back == name;
}

}  // namespace

std::int64_t FileTimeOf(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 10000000 + time.tv_nsec / 100 + kUnixEpochAsFileTime;
}

namespace {

// Only the plain cases count as sure: the superuser, or the owner's or
// everyone's bits; groups and access lists are left to the open.
std::uint8_t SureHostAccess(const struct stat& st) {
  static const uid_t self = ::geteuid();
  if (self == 0) return kHostRead | kHostWrite;
  mode_t bits = st.st_mode & (st.st_uid == self ? S_IRWXU : 0);
  bits |= st.st_mode & S_IRWXO;
  std::uint8_t access = 0;
  if (bits & (S_IRUSR | S_IROTH)) access |= kHostRead;
  if (bits & (S_IWUSR | S_IWOTH)) access |= kHostWrite;
  return access;
}

}  // namespace

bool EntryFromStat(const struct stat& st, Entry& entry) {
  if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) return false;
  entry.directory = S_ISDIR(st.st_mode);
  entry.size = entry.directory ? 0 : static_cast<std::uint64_t>(st.st_size);
  entry.writeTime = FileTimeOf(st.st_mtim);
  entry.hostAccess = SureHostAccess(st);
  return true;
}

FileSystem::FileSystem(Machine& machine)
    : machine_(machine),
      metadata_(machine.stateFolder() / "files.meta"),
      programImageKey_(machine.programImage().empty() ? std::string() : PathKey(machine.programImage())) {
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
  // A fresh process starts in the program folder (without a program, at the
  // system drive's root); other drives at their root.
  currentDirs_.clear();
  std::string program = machine_.programFolder();
  currentDrive_ = program.empty() ? 'C' : UpperChar(program[0]);
  if (!program.empty()) currentDirs_[currentDrive_] = program;
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

const CachedFolder* FileSystem::KeptFolder(const std::string& spelling) {
  const CachedFolder* cached = folderCache_.Find(spelling);
  if (!cached) return nullptr;
  for (const AliasUse& use : cached->aliases) {
    const FileMeta* meta = metadata_.Find(use.folderKey, use.nameKey);
    if (!meta || meta->alias != use.alias) {
      folderCache_.Forget(spelling);
      return nullptr;
    }
  }
  return cached;
}

bool FileSystem::FolderStillInPlace(const Resolved& r) {
  // A root is opened afresh by its drive folder; a folder whose place the
  // kernel cannot name was just walked to by descriptor.
  if (!r.folder || r.folder->hostPath.empty()) return true;
  return folderCache_.StillInPlace(*r.folder);
}

bool FileSystem::FolderProvenInPlace(const Resolved& r) {
  if (!r.folder || r.folder->hostPath.empty()) return true;
  return HeldAtItsPath(*r.folder);
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
  std::shared_ptr<HeldFolder> folder;
  std::vector<AliasUse> aliases;  // the aliases the walk went through
  for (std::size_t i = spellings.size() - 1; i > 0 && !folder; --i) {
    if (const CachedFolder* cached = KeptFolder(spellings[i])) {
      start = i;
      folder = cached->held;
      host = cached->host;
      key = cached->key;
      longPath = cached->longPath;
      aliases = cached->aliases;
    }
  }
  if (!folder) {
    folder = std::make_shared<HeldFolder>();
    if (DWORD error = OpenDriveRoot(root, folder->fd)) return error;
  }
  // Folders found by their exact spelling or by their alias are cached;
  // one found another way (case) ends the caching for the rest of the path.
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
      out.folder = std::move(folder);
      return ERROR_SUCCESS;
    }
    std::optional<Entry> child = FindChild(folder->fd.get(), host, key, name);
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
      out.folder = std::move(folder);
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
    std::string parentKey = key;
    key = JoinKey(key, nameKey);
    longPath += "\\" + child->name;
    host /= child->hostName;
    if (last) {
      out.entry = std::move(*child);
      break;
    }
    // Step into the folder by descriptor: a link put in its place since it
    // was looked at is not followed.
    auto next = std::make_shared<HeldFolder>();
    next->fd = OpenFolderAt(folder->fd.get(), child->hostName.c_str());
    if (!next->fd) return ERROR_PATH_NOT_FOUND;
    if (child->name != name) {
      // Named by its alias: the cached path stays valid while the alias does.
      if (!child->alias.empty() && child->alias == ToUpper(name))
        aliases.push_back(AliasUse{parentKey, nameKey, child->alias});
      else
        cacheable = false;
    }
    // Where the kernel must still see each held folder: asked once at the
    // top of the walk, then built name by name.
    if (folder->hostPath.empty())
      if (auto path = HostPathOfFd(folder->fd.get())) folder->hostPath = std::move(*path);
    if (!folder->hostPath.empty()) next->hostPath = folder->hostPath + "/" + child->hostName;
    if (cacheable && !next->hostPath.empty())
      folderCache_.Remember(spellings[i + 1], next, host, key, longPath, aliases);
    folder = std::move(next);
  }
  out.folder = std::move(folder);
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

std::optional<Entry> FileSystem::FindChild(int folder, const std::filesystem::path& hostFolder,
                                           const std::string& folderKey, const std::string& name) {
  // An alias seen before: a live alias names its entry whatever else is
  // spelled like it (aliases avoid the folder's short names when given), so
  // the hint answers first and spares a look-up of the alias as a host name.
  std::string aliasKey = ToUpper(name);
  const bool mayBeAlias = name.find('~') != std::string::npos && shortNamesOn();
  bool listedForAlias = false;
  if (mayBeAlias) {
    if (auto hinted = FindByAliasHint(folder, folderKey, aliasKey)) return hinted;
    // A live alias not hinted yet: its folder's listing finds the entry.
    if (metadata_.AliasTaken(folderKey, aliasKey)) {
      listedForAlias = true;
      if (auto found = FindAliasByListing(hostFolder, folderKey, aliasKey)) return found;
    }
  }
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
  // An 8.3 alias: meeting the folder assigns any alias still missing
  // (unless it was just listed for this alias).
  if (!mayBeAlias || listedForAlias) return std::nullopt;
  return FindAliasByListing(hostFolder, folderKey, aliasKey);
}

std::optional<Entry> FileSystem::FindAliasByListing(const std::filesystem::path& hostFolder,
                                                    const std::string& folderKey, const std::string& aliasKey) {
  std::vector<Entry> entries;
  if (ListFolder(hostFolder, folderKey, entries) != ERROR_SUCCESS) return std::nullopt;
  // The folder's other aliases are likely asked next: hinted from here
  // (not from every listing, which would cost a big folder's deletion).
  RememberAliases(folderKey, entries);
  for (auto& e : entries)
    if (e.openable && e.alias == aliasKey) return std::move(e);
  return std::nullopt;
}

DWORD FileSystem::AttributesOf(const Resolved& r) const {
  if (r.isRoot()) return FILE_ATTRIBUTE_DIRECTORY;
  return StoredOrDefaultAttributes(metadata_.Find(r.folderKey, r.nameKey), r.entry.directory);
}

DWORD StoredOrDefaultAttributes(const FileMeta* meta, bool directory) {
  // Files placed on the host without metadata count as written (A).
  DWORD stored = meta && meta->attributes ? *meta->attributes : (directory ? 0 : FILE_ATTRIBUTE_ARCHIVE);
  DWORD attributes = stored | (directory ? FILE_ATTRIBUTE_DIRECTORY : 0);
  return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

std::int64_t FileSystem::CreationTimeOf(const std::string& folderKey, const Entry& entry) const {
  const FileMeta* meta = metadata_.Find(folderKey, ToUpper(entry.name));
  return meta && meta->creationTime ? *meta->creationTime : entry.writeTime;
}

void FileSystem::SetStoredAttributes(const std::string& folderKey, const std::string& nameKey, DWORD attributes) {
  metadata_.SetAttributes(folderKey, nameKey, attributes & kStoredAttributes);
}

void FileSystem::MarkWritten(const Resolved& r) {
  DWORD current = AttributesOf(r) & kStoredAttributes;
  if (!(current & FILE_ATTRIBUTE_ARCHIVE)) SetStoredAttributes(r.folderKey, r.nameKey, current | FILE_ATTRIBUTE_ARCHIVE);
}

void FileSystem::RecordCreation(const std::string& folderKey, const std::string& nameKey, DWORD attributes) {
  metadata_.Remove(folderKey, nameKey);
  FileMeta& meta = metadata_.Edit(folderKey, nameKey);
  meta.attributes = attributes & kStoredAttributes;
  meta.creationTime = machine_.clock().NowUtc();
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
