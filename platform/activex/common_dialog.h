#pragma once
// Stand-in for MSComDlg.CommonDialog: ShowOpen and ShowSave are answered by
// the answer provider (choices "OK" and "Cancel", Cancel the default). The
// answer's text is one full path, or several full paths separated by "|"
// for a multi-select; a multi-select with the explorer style then gives
// FileName = the folder, NUL, name 1, NUL, name 2 ...
#include <string>

#include "platform/forms/control.h"

namespace platform::activex {

constexpr std::int32_t cdlOFNAllowMultiselect = 0x200;
constexpr std::int32_t cdlOFNExplorer = 0x80000;

class CommonDialog : public forms::Control {
 public:
  CommonDialog(forms::Form& form, std::string name, forms::Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), forms::ControlKind::CommonDialog, container, index) {}

  std::string Filter, FileName, InitDir, DialogTitle;
  int FilterIndex = 0;
  std::int32_t Flags = 0;
  bool CancelError = false;

  // Cancel: FileName unchanged, or runtime error 32755 when CancelError.
  void ShowOpen() { Show("ShowOpen"); }
  void ShowSave() { Show("ShowSave"); }

 private:
  void Show(const char* call);
};

}  // namespace platform::activex
