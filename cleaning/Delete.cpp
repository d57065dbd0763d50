#include "cleaning/Delete.h"

#include <algorithm>
#include <limits>
#include <map>

#include "cleaning/delete_at_restart.h"
#include "cleaning/file_actions.h"
#include "cleaning/file_walk.h"
#include "cleaning/frmClean.h"
#include "cleaning/overwrite.h"
#include "cleaning/protected_folders.h"
#include "mainwindow/Form1.h"
#include "platform/base/cp1252.h"
#include "platform/files/kernel32_files.h"
#include "platform/runtime/conversions.h"
#include "support/message_loop.h"
#include "support/skins.h"

using namespace cleaning;
using platform::forms::Trim;

namespace {

constexpr std::size_t kShortBlock = 32, kLongBlock = 4096;
constexpr const char* kAllFiles = "*.*";

std::string LastComponent(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// The whole number at the start of the pass box's text; 0 when there is none.
int PassCount() {
  double value = platform::vb::Val(Form1().cmbShredder.Text());
  if (!(value > -32768.5 && value < 32767.5)) return 0;
  return platform::vb::CInt(value);
}

// The patterns of a run of passes, each its own block size.
std::vector<std::string_view> Passes(std::initializer_list<const std::string*> patterns) {
  std::vector<std::string_view> passes;
  for (const std::string* pattern : patterns) passes.emplace_back(*pattern);
  return passes;
}

}  // namespace

DeleteForm& Delete() { return platform::forms::DefaultInstance<DeleteForm>(); }

std::int32_t ClampedBytes(std::uint64_t bytes) {
  return static_cast<std::int32_t>(std::min<std::uint64_t>(bytes, std::numeric_limits<std::int32_t>::max()));
}

void DeleteForm::PrepareShredStr() {
  shortPair_.clear();
  shortFill_.clear();
  longPair_.clear();
  longFill_.clear();
  const std::string pair("\x00\xFF", 2), fill("\xAA\xAA", 2);
  for (std::size_t i = 0; i < kShortBlock / 2; ++i) {
    shortPair_ += pair;
    shortFill_ += fill;
  }
  for (std::size_t i = 0; i < kLongBlock / 2; ++i) {
    longPair_ += pair;
    longFill_ += fill;
  }
}

std::int32_t DeleteForm::DeleteFile(const std::string& path) {
  if (Trim(path).empty()) return 0;
  FileToDelete file(path);
  return DeleteResolvedFile(file);
}

std::int32_t DeleteForm::DeleteResolvedFile(FileToDelete& file) {
  // One look-up serves every step: the short name, the attributes, their
  // reset, the length and the removal.
  std::string shortPath = file.ShortPath();
  if (shortPath.empty()) return 0;
  DWORD saved = file.Attributes();
  // A folder is not a file: nothing is changed or scheduled.
  if (saved == INVALID_FILE_ATTRIBUTES || (saved & FILE_ATTRIBUTE_DIRECTORY)) return 0;

  std::uint64_t length = 0;
  int error = file.SetAttrNormal();
  if (!error) error = file.FileLength(length);
  if (!error) {
    if (Form1().chkBleach.Value() == 0) {
      frmClean().AddItem("\tDeleting file " + LastComponent(shortPath));
    } else {
      // Only the overwrite can change the length: asked of the file again.
      TSYShredder(shortPath, PassCount());
      error = FileLength(shortPath, length);
    }
    if (!error) error = file.Kill();
  }
  if (!error) return ClampedBytes(length);
  if (FileExists(shortPath)) SetFileAttributesA(shortPath.c_str(), saved & ~FILE_ATTRIBUTE_NORMAL);
  if (error != 53) ReportFailure(shortPath, error);
  return 0;
}

void DeleteForm::ReportFailure(const std::string& shortPath, int error) {
  const std::string description = ErrorText(error);
  const std::string file = "The file " + shortPath;
  bool locked = error == 70 || error == 75;
  if (locked && ScheduleDeleteAtRestart(shortPath)) {
    ShowMessage(file + " you are trying to delete is locked.\r\nYou need to restart your computer to delete this file", 0,
                "Delete locked file", true);
    frmClean().AddItem("\tDelete locked file: " + file +
                       " you are trying to delete is locked.You need to restart your computer to delete this file\r\n");
    ShowMessage(file + "\r\n is locked or is on a read only drive/network", 0, description, true);
    frmClean().AddItem("\t" + description + " " + file + " is locked or is on a read only drive/network\r\n");
    return;
  }
  ShowMessage(file + "\r\n cannot be deleted", 0, description, true);
  frmClean().AddItem("\t" + description + " " + file + " cannot be deleted\r\n");
}

std::int32_t DeleteForm::DeleteFilesInFolder(const std::string& folder, const std::string& pattern) {
  if (Trim(folder).empty()) return 0;
  DWORD attributes = AttributesOf(folder);
  int error = 0;
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    error = platform::RuntimeErrorForWin32(GetLastError());
    if (error == 53) error = 76;
  } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    error = 76;
  }
  if (error) {
    frmClean().AddItem(ErrorText(error));
    return 0;
  }
  if (MatchesEveryName(pattern) && !MayEmptyFolder(folder)) return 0;
  // The file list: long names, no folders, sorted, each once.
  std::map<std::string, platform::files::Entry, platform::LessNoCase> files;
  FolderToEmpty here(WithTrailingBackslash(folder));
  for (const auto& part : platform::forms::Split(pattern.empty() ? kAllFiles : pattern, ";")) {
    here.ForEachEntry(part.empty() ? kAllFiles : part, [&](const FoundEntry& entry) {
      if (!entry.isDirectory()) files.emplace(entry.name, *entry.listed);
      return true;
    });
  }
  std::uint64_t total = 0;
  for (const auto& [name, entry] : files) {
    YieldToMessageLoop();
    FileToDelete& file = here.File(entry);
    total += static_cast<std::uint64_t>(DeleteResolvedFile(file));
  }
  return ClampedBytes(total);
}

void DeleteForm::DeleteTreeFiles(const std::string& folder, const std::string& pattern, std::uint64_t& total) {
  // With a pattern that matches every name the file listing would repeat
  // the folder listing: its files are taken from the first one.
  const bool everyName = SearchFindsEveryName(pattern);
  FolderToEmpty here(folder);
  std::vector<std::string> subfolders;
  here.ForEachEntry("*", [&](const FoundEntry& entry) {
    if (entry.isDirectory()) {
      subfolders.push_back(entry.name);
      DelDirList.push_back(folder + entry.name);
    }
    return true;
  });
  auto deleteFile = [&](const platform::files::Entry& entry) {
    YieldToMessageLoop();
    YieldToMessageLoop();
    FileToDelete& file = here.File(entry);
    total += static_cast<std::uint64_t>(DeleteResolvedFile(file));
  };
  if (everyName) {
    // The first listing stays until the next one.
    for (const auto& entry : here.listing())
      if (!entry.directory) deleteFile(entry);
  } else {
    here.ForEachEntry(pattern, [&](const FoundEntry& entry) {
      if (entry.isDirectory()) {
        YieldToMessageLoop();
        return true;
      }
      deleteFile(*entry.listed);
      return true;
    });
  }
  for (const auto& name : subfolders) DeleteTreeFiles(folder + name + "\\", pattern, total);
}

std::int32_t DeleteForm::DeleteFolder(std::string& path, const std::string& pattern) {
  if (Trim(path).empty()) return 0;
  const bool allFiles = pattern == kAllFiles;
  if (allFiles && !MayEmptyFolder(path)) return 0;
  std::string shortPath = ShortPathOf(path);
  if (shortPath.empty()) return 0;
  path = shortPath;
  if (!FolderExists(path)) return 0;

  DelDirList.clear();
  MousePointer(11);
  std::uint64_t total = 0;
  DeleteTreeFiles(WithTrailingBackslash(path), pattern, total);
  MousePointer(1);
  if (!allFiles) return ClampedBytes(total);
  for (auto folder = DelDirList.rbegin(); folder != DelDirList.rend(); ++folder) {
    YieldToMessageLoop();
    frmClean().AddItem("\tDeleting Folder " + LastComponent(*folder));
    if (FolderExists(*folder) && FsoDeleteFolder(*folder, true) != 0) break;
  }
  return ClampedBytes(total);
}

void DeleteForm::MakeDir(const std::string& path) {
  if (!FolderExists(Trim(path))) FsoCreateFolder(path);
}

void DeleteForm::TSYShredder(const std::string& path, int passes) {
  if (passes <= 0) return;
  const std::string zeros(kShortBlock, '\0');
  std::vector<std::string_view> patterns(static_cast<std::size_t>(passes), zeros);
  std::uint64_t length = 0;
  // The caller removes the name as any deletion would.
  if (OverwriteFile(path, patterns, length) == kSharedData) LogNotShredded(path);
}

void DeleteForm::LogNotShredded(const std::string& path) {
  frmClean().AddItem("\tRemoved without shredding " + path +
                     ": its data is shared with another name (hard link)\r\n");
}

bool DeleteForm::ShredFile(const std::string& path, std::uint64_t& length, bool longBlocks, FileToDelete* listed) {
  length = 0;
  if (Trim(path).empty()) return false;
  const std::string& pair = longBlocks ? longPair_ : shortPair_;
  const std::string& fill = longBlocks ? longFill_ : shortFill_;
  int overwritten = OverwriteFile(path, Passes({&pair, &pair, &fill}), length);
  if (overwritten == kSharedData) LogNotShredded(path);
  else if (overwritten != 0) return false;
  return listed ? listed->Kill() == 0 : FsoDeleteFile(path, false) == 0;
}

std::int32_t DeleteForm::xShredFile(const std::string& path) {
  std::uint64_t length = 0;
  return ShredFile(path, length, false) ? ClampedBytes(length) : 0;
}

std::int32_t DeleteForm::xShredDrive(const std::string& path) {
  std::uint64_t length = 0;
  return ShredFile(path, length, true) ? ClampedBytes(length) : 0;
}

std::int32_t DeleteForm::xShredFolder(const std::string& path) {
  std::string folder = Trim(path);
  if (folder.empty()) return 0;
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  if (!MayEmptyFolder(folder)) return 0;
  std::int32_t total = frmClean().FindFilesAPI_Shred(folder, kAllFiles, "-1", "-1");
  FsoDeleteFolder(folder, false);
  return total;
}
