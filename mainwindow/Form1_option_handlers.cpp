// Handlers of the option boxes that keep the pages consistent; the options
// store raises them while it restores the boxes.
#include "mainwindow/Form1.h"

using namespace platform::forms;

// The movie offers its start button only while clean-all is clear.
void Form1Form::chkCleanAll_Click() {
  FL.SetVariable("_root.StartCleaningButton", std::to_string(1 - chkCleanAll.Value()));
}

void Form1Form::chkHardDisk_Click(int) {
  lblHint.Visible(chkHardDisk(1).Value() != vbUnchecked);
  lblHint2.Visible(chkHardDisk(0).Value() != vbUnchecked);
  bool custom = chkHardDisk(2).Value() != vbUnchecked;
  txtPattern.Enabled(custom);
  txtPath.Enabled(custom);
  chkCertainSize.Enabled(custom);
  cmdBrowse.Enabled(custom);
  chkCertainSize_Click();
}

void Form1Form::chkCertainSize_Click() {
  bool sized = chkCertainSize.Value() != vbUnchecked;
  txtMinSize.Enabled(sized);
  txtMaxSize.Enabled(sized);
  lblMinMax.Active(sized);
}
