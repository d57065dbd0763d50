// The hard-disk page's custom-file fields: the folder picker, the file-type
// check and the size fields' key filter and repairs. The run makes its own
// final check of the sizes when it starts.
#include "mainwindow/Form1.h"
#include "platform/runtime/conversions.h"
#include "support/folder_browse.h"

using namespace platform::forms;

namespace {

constexpr const char* kBadPattern = "You must enter a valid format in the file type field. Ex: *.*";
constexpr const char* kMinTooLarge = "Invalid value, please enter a smaller value";
constexpr const char* kMaxTooSmall = "Max size value must be greater than Min size value";
constexpr const char* kDefaultPattern = "*.tmp";

// Digits, the minus sign, Enter and Backspace reach a size field.
void FilterSizeKey(int& keyAscii) {
  bool digit = keyAscii >= '0' && keyAscii <= '9';
  if (!digit && keyAscii != '-' && keyAscii != 13 && keyAscii != 8) keyAscii = 0;
}

// Gives the field the focus back after a repair; a field that cannot take
// it (on a hidden page) simply keeps its repaired text.
void FocusAgain(Control& field) {
  OnErrorResumeNext guard;
  guard([&] { field.SetFocus(); });
}

}  // namespace

void Form1Form::WireSizeFilter() {
  TSY_ON(cmdBrowse, Click, cmdBrowse_Click);
  TSY_ON(txtPattern, LostFocus, txtPattern_LostFocus);
  TSY_ON(txtMinSize, KeyPress, txtMinSize_KeyPress);
  TSY_ON(txtMaxSize, KeyPress, txtMaxSize_KeyPress);
  TSY_ON(txtMinSize, Change, txtMinSize_Change);
  TSY_ON(txtMaxSize, Change, txtMaxSize_Change);
  TSY_ON(txtMaxSize, LostFocus, txtMaxSize_LostFocus);
  // The hints and fields start as the clear boxes say; a restore that
  // changes no box raises no Click to set them.
  chkHardDisk_Click(0);
}

// Cancelling the picker keeps the folder the field had: an empty folder
// would mean the current drive's root.
void Form1Form::cmdBrowse_Click() {
  std::string folder = BrowseForFolderPath(hWnd());
  if (!folder.empty()) txtPath.Text(folder);
}

void Form1Form::txtPattern_LostFocus() {
  if (platform::forms::Left(txtPattern.Text(), 2) == "*.") return;
  MsgBox(kBadPattern, vbOKOnly);
  txtPattern.Text(kDefaultPattern);
  FocusAgain(txtPattern);
}

void Form1Form::txtMinSize_KeyPress(int& KeyAscii) { FilterSizeKey(KeyAscii); }
void Form1Form::txtMaxSize_KeyPress(int& KeyAscii) { FilterSizeKey(KeyAscii); }

void Form1Form::txtMaxSize_Change() {
  if (txtMaxSize.Text().empty()) txtMaxSize.Text("0");
}

// Its own reset to "0" raises Change again; that nested Change neither
// checks nor warns a second time.
void Form1Form::txtMinSize_Change() {
  if (minSizeRepairing_) return;
  struct Repairing {
    bool& flag;
    explicit Repairing(bool& f) : flag(f) { flag = true; }
    ~Repairing() { flag = false; }
  } repairing(minSizeRepairing_);
  if (txtMinSize.Text().empty()) txtMinSize.Text("0");
  if (platform::vb::Val(txtMaxSize.Text()) <= platform::vb::Val(txtMinSize.Text())) {
    MsgBox(kMinTooLarge, vbOKOnly);
    txtMinSize.Text("0");
  }
}

void Form1Form::txtMaxSize_LostFocus() {
  double minimum = platform::vb::Val(txtMinSize.Text());
  if (platform::vb::Val(txtMaxSize.Text()) > minimum) return;
  MsgBox(kMaxTooSmall, vbOKOnly);
  txtMaxSize.Text(platform::vb::CStr(minimum + 1));
  FocusAgain(txtMaxSize);
}
