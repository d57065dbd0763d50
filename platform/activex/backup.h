#pragma once
// Stand-in for the backup archive control XceedBackupLibCtl.XceedBackup and
// its companions BackupJob, RestoreJob and FileSelection, all placed on a
// form. An archive is "<folder>\<name>.zip", a standard ZIP file whose
// entries are deflated and, with a password, enciphered with WinZip
// AES-256; an entry is named by its file's full path, drive letter first
// and upper-cased ("C/WINDOWS/SYSTEM/X.DLL"), and the archive comment keeps
// the original paths' case, one per line in entry order. Every file goes
// through the file layer, so nothing is read or written outside the machine.
// Result codes: 0 success, 1500 no archive in the folder, 1541 corrupted,
// 1542 wrong password, 1543 a file could not be read, 1544 a file could not
// be written, 1545 a path lies outside the machine, 1546 nothing selected.
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
  HRESULT Invoke(DISPID dispid, DispatchKind kind, const DispatchArgs& args, forms::Property* result = nullptr);

 private:
  std::vector<std::string> items_;
  std::string restriction_ = "*";
};

class BackupJob : public forms::Control {
 public:
  BackupJob(forms::Form& form, std::string name, forms::Control* container = nullptr)
      : Control(form, std::move(name), forms::ControlKind::Backup, container, std::nullopt) {}
  std::string Folder, ArchiveName, Password;  // 100, 101, 104
  std::int32_t Option = 0, Compression = 6;  // 102, 103
  bool FullPaths = true;                      // 107: our format always keeps them
  FileSelection* Selection = nullptr;         // 106
  HRESULT Invoke(DISPID dispid, DispatchKind kind, const DispatchArgs& args, forms::Property* result = nullptr);
};

class RestoreJob : public forms::Control {
 public:
  RestoreJob(forms::Form& form, std::string name, forms::Control* container = nullptr)
      : Control(form, std::move(name), forms::ControlKind::Backup, container, std::nullopt) {}
  std::string Folder, Password, Destination;  // 100, 101, 201 ("" = the original locations)
  bool Overwrite = false, RestorePaths = false, CreateFolders = false;  // 200, 202, 203
  FileSelection* Selection = nullptr;                                   // 204
  HRESULT Invoke(DISPID dispid, DispatchKind kind, const DispatchArgs& args, forms::Property* result = nullptr);
};

class XceedBackup : public forms::Control {
 public:
  XceedBackup(forms::Form& form, std::string name, forms::Control* container = nullptr)
      : Control(form, std::move(name), forms::ControlKind::Backup, container, std::nullopt) {}
  std::string Folder;  // 100
  // 3000: reads every selected file first, then writes the archive whole.
  std::int32_t Backup(const BackupJob& job);
  // 3001: whether the folder's archive is whole.
  std::int32_t Check(const std::string& folder, const FileSelection& selection);
  // 3003: password first, then every path, then the writes.
  std::int32_t Restore(const RestoreJob& job);
  // 5000.
  static std::string ErrorText(std::int32_t code);
  // Scalar members only: the object arguments (the selection, the jobs)
  // are passed through the typed calls above.
  HRESULT Invoke(DISPID dispid, DispatchKind kind, const DispatchArgs& args, forms::Property* result = nullptr);
};

}  // namespace platform::activex
