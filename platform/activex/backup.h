#pragma once
// Stand-in for the backup archive control XceedBackupLibCtl.XceedBackup and
// its companions BackupJob, RestoreJob and FileSelection, all placed on a
// form. An archive is "<folder>\<name>.zip", a standard ZIP file whose
// entries are deflated and, with a password, enciphered with WinZip
// AES-256; an entry is named by its file's full path, drive letter first
// and upper-cased ("C/WINDOWS/SYSTEM/X.DLL"), and the archive comment keeps
// the original paths' case, one per line in entry order. Every file goes
// through the file layer, so nothing is read or written outside the machine.
// The jobs and the selection are passed to the runs as the objects they
// are (typed calls); the scalar members are late-bound as well. Result
// codes: 0 success, 1500 no archive in the folder, 1541 corrupted,
// 1542 wrong password, 1543 a file could not be read, 1544 a file could not
// be written (a restore still writes all the others), 1545 a path lies outside the machine, 1546 nothing selected.
#include <string>
#include <vector>

#include "platform/activex/dispatch.h"
#include "platform/forms/control.h"

namespace platform::activex {

enum BackupCode : std::int32_t {
  kBackupSuccess = 0,
  kBackupNoArchive = 1500,
  kBackupCorrupted = 1541,
  kBackupWrongPassword = 1542,
  kBackupUnreadable = 1543,
  kBackupUnwritable = 1544,
  kBackupOutsideMachine = 1545,
  kBackupNothingSelected = 1546,
};

// Dispatch identities of the four objects.
constexpr DISPID kDispidSelectionAdd = 3001, kDispidSelectionRestrict = 3002, kDispidSelectionClear = 3003;
constexpr DISPID kDispidJobFolder = 100, kDispidBackupName = 101, kDispidBackupOption = 102,
                 kDispidBackupCompression = 103, kDispidBackupPassword = 104, kDispidBackupSelection = 106,
                 kDispidBackupFullPaths = 107;
constexpr DISPID kDispidRestorePassword = 101, kDispidRestoreOverwrite = 200, kDispidRestoreDestination = 201,
                 kDispidRestorePaths = 202, kDispidRestoreCreateFolders = 203, kDispidRestoreSelection = 204;
constexpr DISPID kDispidMainFolder = 100, kDispidRunBackup = 3000, kDispidCheckArchive = 3001,
                 kDispidRunRestore = 3003, kDispidErrorText = 5000;

class FileSelection : public forms::Control {
 public:
  FileSelection(forms::Form& form, std::string name, forms::Control* container = nullptr)
      : Control(form, std::move(name), forms::ControlKind::Backup, container, std::nullopt) {}
  // 3001: a path or pattern; kept until Clear.
  void Add(const std::string& pattern, bool recursive);
  // 3002: a restore takes only the entries whose path matches ("*" = all).
  void Restrict(const std::string& pattern);
  // 3003.
  void Clear();
  const std::vector<std::string>& items() const { return items_; }
  const std::string& restriction() const { return restriction_; }
  const forms::ControlMembers& Members() const override;

 private:
  std::vector<std::string> items_;
  std::string restriction_ = "*";
};

// The selection (106) is passed as the object it is, through the typed
// accessor; every other member is also late-bound.
class BackupJob : public forms::Control {
 public:
  BackupJob(forms::Form& form, std::string name, forms::Control* container = nullptr)
      : Control(form, std::move(name), forms::ControlKind::Backup, container, std::nullopt) {}
  std::string Folder() const { return folder_; }  // 100
  void Folder(std::string value) { folder_ = std::move(value); }
  std::string ArchiveName() const { return archiveName_; }  // 101
  void ArchiveName(std::string value) { archiveName_ = std::move(value); }
  std::int32_t Option() const { return option_; }  // 102
  void Option(std::int32_t value) { option_ = value; }
  std::int32_t Compression() const { return compression_; }  // 103
  void Compression(std::int32_t value) { compression_ = value; }
  std::string Password() const { return password_; }  // 104
  void Password(std::string value) { password_ = std::move(value); }
  FileSelection* Selection() const { return selection_; }  // 106
  void Selection(FileSelection* selection) { selection_ = selection; }
  bool FullPaths() const { return fullPaths_; }  // 107: our format always keeps them
  void FullPaths(bool value) { fullPaths_ = value; }
  const forms::ControlMembers& Members() const override;

 private:
  std::string folder_, archiveName_, password_;
  std::int32_t option_ = 0, compression_ = 6;
  FileSelection* selection_ = nullptr;
  bool fullPaths_ = true;
};

class RestoreJob : public forms::Control {
 public:
  RestoreJob(forms::Form& form, std::string name, forms::Control* container = nullptr)
      : Control(form, std::move(name), forms::ControlKind::Backup, container, std::nullopt) {}
  std::string Folder() const { return folder_; }  // 100
  void Folder(std::string value) { folder_ = std::move(value); }
  std::string Password() const { return password_; }  // 101
  void Password(std::string value) { password_ = std::move(value); }
  bool Overwrite() const { return overwrite_; }  // 200
  void Overwrite(bool value) { overwrite_ = value; }
  std::string Destination() const { return destination_; }  // 201: "" = the original locations
  void Destination(std::string value) { destination_ = std::move(value); }
  bool RestorePaths() const { return restorePaths_; }  // 202
  void RestorePaths(bool value) { restorePaths_ = value; }
  bool CreateFolders() const { return createFolders_; }  // 203
  void CreateFolders(bool value) { createFolders_ = value; }
  FileSelection* Selection() const { return selection_; }  // 204
  void Selection(FileSelection* selection) { selection_ = selection; }
  const forms::ControlMembers& Members() const override;

 private:
  std::string folder_, password_, destination_;
  bool overwrite_ = false, restorePaths_ = false, createFolders_ = false;
  FileSelection* selection_ = nullptr;
};

class XceedBackup : public forms::Control {
 public:
  XceedBackup(forms::Form& form, std::string name, forms::Control* container = nullptr)
      : Control(form, std::move(name), forms::ControlKind::Backup, container, std::nullopt) {}
  std::string Folder() const { return folder_; }  // 100
  void Folder(std::string value) { folder_ = std::move(value); }
  // 3000: reads every selected file first, then writes the archive whole.
  std::int32_t Backup(const BackupJob& job);
  // 3001: whether the folder's archive is whole.
  std::int32_t Check(const std::string& folder, const FileSelection& selection);
  // 3003: password first, then every path, then the writes. Every entry
  // that can be written is; 1544 when any could not.
  std::int32_t Restore(const RestoreJob& job);
  // The paths the last restore could not write, in archive order.
  const std::vector<std::string>& NotRestored() const { return notRestored_; }
  // 5000 (code, 0): the code's text.
  std::string ErrorText(std::int32_t code, std::int32_t reserved = 0);
  const forms::ControlMembers& Members() const override;

 private:
  std::string folder_;
  std::vector<std::string> notRestored_;
};

}  // namespace platform::activex
