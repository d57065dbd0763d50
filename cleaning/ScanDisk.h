#pragma once
// The never-shown form that finds ScanDisk's leftovers ("scandisk.log" and
// the "*.chk" files) in the root of each fixed drive. Its drive list is
// filled when the form is first used and never refreshed.
#include "platform/forms/forms.h"

class ScanDiskForm : public platform::forms::Form {
 public:
  ScanDiskForm() : Form("ScanDisk") { FileBox.Pattern("*.chk"); }

  TSY_CONTROL(ListBox, lstDelFiles);
  TSY_CONTROL(FileListBox, FileBox);
  TSY_CONTROL(DriveListBox, drvFind);
  TSY_CONTROL(Label, lblScandisk);

  // Fills lstDelFiles with the full paths found, drive by drive ("c:\..."
  // with the drive list's lower-case letter). A drive that cannot be read
  // raises (its file list's Path error) with the rows found so far kept.
  void GetFiles();
};

ScanDiskForm& ScanDisk();
