// The backup control's three runs: make an archive, check one, restore one.
#include <algorithm>
#include <set>

#include "platform/activex/backup.h"
#include "platform/activex/backup_entries.h"
#include "platform/activex/zip_archive.h"
#include "platform/base/cp1252.h"
#include "platform/base/journal.h"
#include "platform/files/file_content.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/wildcard.h"

namespace platform::activex {
namespace {

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string WithoutTrailingSlash(std::string folder) {
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}

// The folder's archive: its first "*.zip" file in listing order; "" for none.
std::string ArchiveIn(const std::string& folder) {
  std::string base = WithoutTrailingSlash(folder);
  if (base.empty()) return "";
  if (base.back() != '\\') base += '\\';
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((base + "*.zip").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return "";
  std::string archive;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) archive = base + found.cFileName;
  } while (archive.empty() && FindNextFileA(search, &found));
  FindClose(search);
  return archive;
}

// Creates every missing folder above `path`.
bool MakeParents(const std::string& path) {
  for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
    std::string folder = path.substr(0, at);
    if (!IsFolder(folder) && !CreateDirectoryA(folder.c_str(), nullptr)) return false;
  }
  return true;
}

std::int32_t Finish(const char* run, const std::string& subject, std::int32_t code) {
  TheJournal().Record("Backup", {run, subject, std::to_string(code)});
  return code;
}

struct Planned {
  std::string path, bytes;
};

// Where an entry goes when the job names a destination of its own.
std::string Redirected(const RestoreJob& job, const std::string& path) {
  std::string base = WithoutTrailingSlash(job.Destination());
  if (base.back() != '\\') base += '\\';
  if (!job.RestorePaths()) return base + path.substr(path.find_last_of('\\') + 1);
  return base + path.substr(0, 1) + path.substr(2);
}

}  // namespace

std::int32_t XceedBackup::Backup(const BackupJob& job) {
  std::string archive = WithoutTrailingSlash(job.Folder()) + "\\" + job.ArchiveName() + ".zip";
  if (!job.Selection() || job.Selection()->items().empty()) return Finish("Backup", archive, kBackupNothingSelected);
  std::vector<zip::Entry> entries;
  std::vector<std::string> originals;
  std::set<std::string> taken;
  for (const std::string& path : job.Selection()->items()) {
    auto name = EntryNameOf(path);
    zip::Entry entry;
    if (!name || !IsFile(path) || files::ReadFileContent(path, entry.bytes) != ERROR_SUCCESS)
      return Finish("Backup", path, kBackupUnreadable);
    if (!taken.insert(*name).second) continue;  // the same file selected twice
    entry.name = *name;
    entries.push_back(std::move(entry));
    originals.push_back(path);
  }
  if (!IsFolder(job.Folder()) || job.ArchiveName().empty()) return Finish("Backup", archive, kBackupUnwritable);
  int level = std::clamp(job.Compression(), 1, 9);
  auto bytes = zip::Write(entries, RecordPaths(originals), job.Password(), level);
  if (!bytes || files::WriteFileContent(archive, *bytes) != ERROR_SUCCESS)
    return Finish("Backup", archive, kBackupUnwritable);
  return Finish("Backup", archive, kBackupSuccess);
}

std::int32_t XceedBackup::Check(const std::string& folder, const FileSelection&) {
  std::string archive = ArchiveIn(folder);
  if (archive.empty()) return Finish("Check", folder, kBackupNoArchive);
  std::string bytes;
  if (files::ReadFileContent(archive, bytes) != ERROR_SUCCESS) return Finish("Check", archive, kBackupCorrupted);
  bool whole = zip::Check(bytes) == zip::ReadResult::Ok;
  return Finish("Check", archive, whole ? kBackupSuccess : kBackupCorrupted);
}

std::int32_t XceedBackup::Restore(const RestoreJob& job) {
  notRestored_.clear();
  std::string archive = ArchiveIn(job.Folder());
  if (archive.empty()) return Finish("Restore", job.Folder(), kBackupNoArchive);
  std::string bytes;
  if (files::ReadFileContent(archive, bytes) != ERROR_SUCCESS) return Finish("Restore", archive, kBackupCorrupted);
  zip::Contents contents;
  switch (zip::Read(bytes, job.Password(), contents)) {
    case zip::ReadResult::WrongPassword: return Finish("Restore", archive, kBackupWrongPassword);
    case zip::ReadResult::Damaged: return Finish("Restore", archive, kBackupCorrupted);
    case zip::ReadResult::Ok: break;
  }
  // Every path is checked before the first write.
  std::vector<std::string> recorded = RecordedPaths(contents.comment);
  std::string restriction = job.Selection() ? job.Selection()->restriction() : "*";
  std::vector<Planned> plan;
  for (std::size_t i = 0; i < contents.entries.size(); ++i) {
    auto path = RestorePathOf(contents.entries[i].name, i < recorded.size() ? recorded[i] : "");
    if (!path) return Finish("Restore", contents.entries[i].name, kBackupOutsideMachine);
    if (!files::MatchesPattern(restriction, *path)) continue;
    plan.push_back({job.Destination().empty() ? *path : Redirected(job, *path), std::move(contents.entries[i].bytes)});
  }
  // A file that cannot be written (read-only, held) does not keep the
  // others from their places; the run names every one that failed.
  for (const Planned& file : plan) {
    if (IsFile(file.path) && !job.Overwrite()) continue;
    bool written = (!job.CreateFolders() || MakeParents(file.path)) &&
                   files::WriteFileContent(file.path, file.bytes) == ERROR_SUCCESS;
    if (!written) {
      notRestored_.push_back(file.path);
      Finish("Restore", file.path, kBackupUnwritable);
    }
  }
  return Finish("Restore", archive, notRestored_.empty() ? kBackupSuccess : kBackupUnwritable);
}

}  // namespace platform::activex
