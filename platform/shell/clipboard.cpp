#include "platform/shell/clipboard.h"

#include "platform/base/host_file.h"
#include "platform/base/last_error.h"
#include "platform/base/runtime_error.h"

namespace platform::shell {
namespace {

constexpr DWORD kClipboardNotOpen = 1418;

ClipboardArea* Current() {
  Machine* machine = CurrentMachine();
  return machine ? &machine->area<ClipboardArea>() : nullptr;
}

// The runtime members need the clipboard free (else 521).
ClipboardArea& Usable() {
  ClipboardArea* clipboard = Current();
  if (!clipboard || clipboard->held()) RaiseRuntimeError(521);
  return *clipboard;
}

}  // namespace

ClipboardArea::ClipboardArea(Machine& machine) : machine_(machine) {
  text_ = ReadHostFile(file()).value_or(std::string());
}

void ClipboardArea::SetText(std::string text) {
  text_ = std::move(text);
  WriteHostFileAtomically(file(), text_);
}

void HoldClipboard(bool held) {
  if (ClipboardArea* clipboard = Current()) clipboard->Hold(held);
}

}  // namespace platform::shell

BOOL OpenClipboard(HWND owner) {
  auto* clipboard = platform::shell::Current();
  if (!clipboard || clipboard->held()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  clipboard->SetOpen(true);
  return TRUE;
}

BOOL EmptyClipboard() {
  auto* clipboard = platform::shell::Current();
  if (!clipboard || !clipboard->open()) {
    SetLastError(platform::shell::kClipboardNotOpen);
    return FALSE;
  }
  clipboard->SetText("");
  return TRUE;
}

BOOL CloseClipboard() {
  auto* clipboard = platform::shell::Current();
  if (!clipboard || !clipboard->open()) {
    SetLastError(platform::shell::kClipboardNotOpen);
    return FALSE;
  }
  clipboard->SetOpen(false);
  return TRUE;
}

namespace platform::forms {

ClipboardObject Clipboard;

void ClipboardObject::Clear() { shell::Usable().SetText(""); }
void ClipboardObject::SetText(const std::string& text) { shell::Usable().SetText(text); }
std::string ClipboardObject::GetText() const { return shell::Usable().text(); }

}  // namespace platform::forms
