#include "cleaning/Recycle.h"

#include "cleaning/Delete.h"
#include "cleaning/frmClean.h"
#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"
#include "platform/files/file_system_object.h"
#include "platform/shell/shell32.h"

using platform::scripting::DriveKind;

namespace {
constexpr DWORD kNoConfirmationNoProgressNoSound = 7;
}

RecycleForm& Recycle() { return platform::forms::DefaultInstance<RecycleForm>(); }

std::int32_t RecycleForm::CleanBin() {
  std::uint64_t total = 0;
  try {
    platform::scripting::FileSystemObject fso;
    for (int i = 0; i < drvFind.ListCount(); ++i) {
      const std::string drive = drvFind.List(i).substr(0, 2);
      if (!fso.DriveExists(drive) || fso.GetDrive(drive).DriveType() != DriveKind::Fixed) continue;
      const std::string bin = drive + "\\recycled";
      if (!fso.FolderExists(bin)) continue;
      frmClean().AddItem("\tCleaned Recycle Bin on drive " + platform::ToUpper(drive.substr(0, 1)));
      total += static_cast<std::uint64_t>(Delete().DeleteFilesInFolder(bin, "*.*"));
    }
    if (SHEmptyRecycleBinA(0, nullptr, kNoConfirmationNoProgressNoSound) == S_OK) SHUpdateRecycleBinIcon();
  } catch (const platform::RuntimeError&) {
    // A drive that cannot be read ends this item; the run goes on.
  }
  return ClampedBytes(total);
}
