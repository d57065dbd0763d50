#pragma once
// The named, password-protected DLL backup archives: one folder per archive
// under the program's "\BackUps" folder, written and restored through the
// backup control placed on the main window.
#include <string>
#include <vector>

#include "platform/activex/backup.h"
#include "platform/forms/controls/file_system_lists.h"
#include "platform/forms/controls/list_box.h"
#include "platform/runtime/dates.h"

namespace tools {

// The one password of every archive. It is part of the archive format and
// protects nothing from anyone who has the program.
inline constexpr const char* kBackupPassword = "qolbtewxhkmrazcvnyui48027kgwplhtcxoe";

// The archive name for what the user typed: "" takes the date and time
// ("12-31-2005_10-15-00-PM"); every character a file name may not hold
// ("\" and "/" included), blanks and trailing dots become "-"; a name of
// dots alone takes the default too. The result never leaves its folder.
std::string ArchiveName(const std::string& typed, platform::forms::Date now);

// The archive's folder below `backUps` for `name`, "-" appended until no
// such folder exists; `name` becomes the name used.
std::string FreeArchiveFolder(const std::string& backUps, std::string& name);

// Creates the archive's folder (a free name, see FreeArchiveFolder) and
// stores `paths` in it through a selection cleared first; false (and no
// folder left behind) when the folder cannot be made or the control fails.
bool SaveBackUp(platform::activex::XceedBackup& main, platform::activex::BackupJob& job,
                platform::activex::FileSelection& selection, const std::string& backUps, std::string name,
                const std::vector<std::string>& paths);

// Checks, then restores the archive `name` to the paths it recorded: 0, or
// the control's code (1541 for a damaged archive). The selection is cleared
// first.
std::int32_t RestoreBackUp(platform::activex::XceedBackup& main, platform::activex::RestoreJob& job,
                           platform::activex::FileSelection& selection, const std::string& backUps,
                           const std::string& name);

// Lists the archive folders' names.
void LoadBackUps(platform::forms::DirListBox& folders, platform::forms::ListBox& names, const std::string& backUps);

// Removes an archive's folder; failures are passed over.
void DeleteBackUp(const std::string& backUps, const std::string& name);

}  // namespace tools
