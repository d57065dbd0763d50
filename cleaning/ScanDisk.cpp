#include "cleaning/ScanDisk.h"

#include "platform/files/file_system_object.h"

using platform::scripting::DriveKind;

ScanDiskForm& ScanDisk() { return platform::forms::DefaultInstance<ScanDiskForm>(); }

void ScanDiskForm::GetFiles() {
  lstDelFiles.Clear();
  platform::scripting::FileSystemObject fso;
  for (int i = 0; i < drvFind.ListCount(); ++i) {
    const std::string drive = drvFind.List(i).substr(0, 2);
    const std::string root = drive + "\\";
    if (!fso.DriveExists(drive) || fso.GetDrive(drive).DriveType() != DriveKind::Fixed) continue;
    if (fso.FileExists(root + "scandisk.log")) lstDelFiles.AddItem(root + "scandisk.log");
    FileBox.Path(root);
    for (int f = 0; f < FileBox.ListCount(); ++f) lstDelFiles.AddItem(root + FileBox.List(f));
  }
}
