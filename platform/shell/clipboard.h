#pragma once
// The machine's clipboard: text, kept in the state folder (it outlives the
// process, a restart empties it). A test can mark it held by another
// program: OpenClipboard then fails and the runtime's Clipboard raises 521.
#include <string>

#include "platform/forms/window_types.h"
#include "platform/machine/machine.h"

namespace platform::shell {

class ClipboardArea : public MachineArea {
 public:
  explicit ClipboardArea(Machine& machine);
  void OnRestart() override { SetText(""); }

  const std::string& text() const { return text_; }
  void SetText(std::string text);
  bool held() const { return held_; }
  void Hold(bool held) { held_ = held; }
  bool open() const { return open_; }
  void SetOpen(bool open) { open_ = open; }

 private:
  std::filesystem::path file() const { return machine_.stateFolder() / "clipboard.txt"; }

  Machine& machine_;
  std::string text_;
  bool held_ = false, open_ = false;
};

// The test seam: another program holds the bound machine's clipboard.
void HoldClipboard(bool held);

}  // namespace platform::shell

BOOL OpenClipboard(HWND owner);
BOOL EmptyClipboard();
BOOL CloseClipboard();

namespace platform::forms {

// The runtime's Clipboard object (text only).
class ClipboardObject {
 public:
  void Clear();
  void SetText(const std::string& text);
  std::string GetText() const;
};

extern ClipboardObject Clipboard;

}  // namespace platform::forms
