// The selection, the two jobs and the main control's late-bound members.
#include "platform/activex/backup.h"

#include "platform/base/journal.h"

namespace platform::activex {

void FileSelection::Add(const std::string& pattern, bool recursive) {
  TheJournal().Record("Backup", {Name(), "Add", pattern, recursive ? "True" : "False"});
  items_.push_back(pattern);
}

void FileSelection::Restrict(const std::string& pattern) {
  TheJournal().Record("Backup", {Name(), "Restrict", pattern});
  restriction_ = pattern.empty() ? "*" : pattern;
}

void FileSelection::Clear() {
  TheJournal().Record("Backup", {Name(), "Clear"});
  items_.clear();
  restriction_ = "*";
}

const forms::ControlMembers& FileSelection::Members() const {
  static const forms::ControlMembers members = forms::ControlMembers::Extend<FileSelection>(Control::Members())
      .Method("Add", kDispidSelectionAdd, &FileSelection::Add)
      .Method("Restrict", kDispidSelectionRestrict, &FileSelection::Restrict)
      .Method("Clear", kDispidSelectionClear, &FileSelection::Clear);
  return members;
}

const forms::ControlMembers& BackupJob::Members() const {
  static const forms::ControlMembers members = forms::ControlMembers::Extend<BackupJob>(Control::Members())
      .Property("Folder", kDispidJobFolder, &BackupJob::Folder, &BackupJob::Folder)
      .Property("ArchiveName", kDispidBackupName, &BackupJob::ArchiveName, &BackupJob::ArchiveName)
      .Property("Option", kDispidBackupOption, &BackupJob::Option, &BackupJob::Option)
      .Property("Compression", kDispidBackupCompression, &BackupJob::Compression, &BackupJob::Compression)
      .Property("Password", kDispidBackupPassword, &BackupJob::Password, &BackupJob::Password)
      .Property("FullPaths", kDispidBackupFullPaths, &BackupJob::FullPaths, &BackupJob::FullPaths);
  return members;
}

const forms::ControlMembers& RestoreJob::Members() const {
  static const forms::ControlMembers members = forms::ControlMembers::Extend<RestoreJob>(Control::Members())
      .Property("Folder", kDispidJobFolder, &RestoreJob::Folder, &RestoreJob::Folder)
      .Property("Password", kDispidRestorePassword, &RestoreJob::Password, &RestoreJob::Password)
      .Property("Overwrite", kDispidRestoreOverwrite, &RestoreJob::Overwrite, &RestoreJob::Overwrite)
      .Property("Destination", kDispidRestoreDestination, &RestoreJob::Destination, &RestoreJob::Destination)
      .Property("RestorePaths", kDispidRestorePaths, &RestoreJob::RestorePaths, &RestoreJob::RestorePaths)
      .Property("CreateFolders", kDispidRestoreCreateFolders, &RestoreJob::CreateFolders,
                &RestoreJob::CreateFolders);
  return members;
}

const forms::ControlMembers& XceedBackup::Members() const {
  static const forms::ControlMembers members = forms::ControlMembers::Extend<XceedBackup>(Control::Members())
      .Property("Folder", kDispidMainFolder, &XceedBackup::Folder, &XceedBackup::Folder)
      .Method("ErrorText", kDispidErrorText, &XceedBackup::ErrorText);
  return members;
}

std::string XceedBackup::ErrorText(std::int32_t code, std::int32_t) {
  switch (code) {
    case kBackupSuccess: return "Success";
    case kBackupNoArchive: return "No archive found in the folder";
    case kBackupCorrupted: return "The archive is corrupted";
    case kBackupWrongPassword: return "Wrong password";
    case kBackupUnreadable: return "A file could not be read";
    case kBackupUnwritable: return "A file could not be written";
    case kBackupOutsideMachine: return "A path lies outside the machine";
    case kBackupNothingSelected: return "Nothing is selected";
    default: return "Unknown error " + std::to_string(code);
  }
}

}  // namespace platform::activex
