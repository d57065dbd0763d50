#pragma once
// The never-shown form that empties the recycle bins. Its drive list is
// filled when the form is first used and never refreshed, so a drive mapped
// later is not seen.
#include <cstdint>

#include "platform/forms/forms.h"

class RecycleForm : public platform::forms::Form {
 public:
  RecycleForm() : Form("Recycle") {}

  TSY_CONTROL(DriveListBox, drvFind);
  TSY_CONTROL(Label, lblRecycleBin);

  // Deletes the files of each fixed drive's "\recycled" folder (logging the
  // drive first), then has the shell empty every bin. Only "\recycled" is
  // counted: the NT family's "\RECYCLER" bins are emptied by the shell
  // uncounted. A failure ends the drive walk and returns the bytes so far.
  std::int32_t CleanBin();
};

RecycleForm& Recycle();
