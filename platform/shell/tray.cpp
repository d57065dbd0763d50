#include "platform/shell/tray.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>
#include <sstream>
#include <string_view>

#include "platform/base/host_file.h"
#include "platform/base/journal.h"
#include "platform/base/last_error.h"
#include "platform/forms/user32.h"
#include "platform/forms/window_messages.h"
#include "platform/shell/shell32.h"

namespace platform::shell {
namespace {

// One icon per line: window, id, flags, callback message, icon, tip (the
// tip last, as it may hold anything but a line end; a line end in a tip is
// stored as a blank so the file always reads back).
std::string FormatIcon(const TrayIcon& icon) {
  std::ostringstream line;
  std::string tip = icon.tip;
  std::replace_if(tip.begin(), tip.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  line << icon.window << ' ' << icon.id << ' ' << icon.flags << ' ' << icon.callbackMessage << ' ' << icon.icon
       << ' ' << tip;
  return line.str();
}

// The numbers of one line, each a plain decimal that fits 32 bits, then the
// tip after one blank (the tip may be empty or missing).
bool ParseIcon(std::string_view line, TrayIcon& icon) {
  std::uint32_t* fields[] = {&icon.window, &icon.id, &icon.flags, &icon.callbackMessage, &icon.icon};
  const char* at = line.data();
  const char* end = line.data() + line.size();
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    if (i > 0 && (at == end || *at++ != ' ')) return false;
    auto [next, error] = std::from_chars(at, end, *fields[i]);
    if (error != std::errc() || next == at) return false;
    at = next;
  }
  if (at != end && *at++ != ' ') return false;
  icon.tip.assign(at, end);
  return true;
}

std::string TipOf(const NOTIFYICONDATAA& data) { return std::string(data.szTip, strnlen(data.szTip, sizeof data.szTip)); }

void Take(TrayIcon& icon, const NOTIFYICONDATAA& data) {
  icon.flags |= data.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
  if (data.uFlags & NIF_MESSAGE) icon.callbackMessage = data.uCallbackMessage;
  if (data.uFlags & NIF_ICON) icon.icon = data.hIcon;
  if (data.uFlags & NIF_TIP) icon.tip = TipOf(data);
}

}  // namespace

TrayArea::TrayArea(Machine& machine) : machine_(machine) { Load(); }

std::filesystem::path TrayArea::file() const { return machine_.stateFolder() / "tray.txt"; }

// A line that does not parse stops the machine from opening, so the file
// is never written over with what could be read of it.
void TrayArea::Load() {
  std::optional<std::string> text = ReadHostFile(file());
  if (!text) return;
  std::size_t number = 0;
  for (std::size_t start = 0; start < text->size();) {
    std::size_t end = std::min(text->find('\n', start), text->size());
    std::string_view line(text->data() + start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    TrayIcon icon;
    if (!ParseIcon(line, icon))
      throw MachineError(file().string() + " line " + std::to_string(number) +
                         ": expected the window, id, flags, callback message and icon as numbers, then the tip");
    icons_.push_back(icon);
  }
}

void TrayArea::Save() const {
  std::string text;
  for (const auto& icon : icons_) text += FormatIcon(icon) + "\n";
  WriteHostFileAtomically(file(), text);
}

void TrayArea::OnRestart() {
  icons_.clear();
  Save();
}

TrayIcon* TrayArea::Find(HWND window, UINT id) {
  for (auto& icon : icons_)
    if (icon.window == window && icon.id == id) return &icon;
  return nullptr;
}

bool TrayArea::Add(const NOTIFYICONDATAA& data) {
  if (Find(data.hWnd, data.uID)) return false;
  TrayIcon icon;
  icon.window = data.hWnd;
  icon.id = data.uID;
  Take(icon, data);
  icons_.push_back(icon);
  Save();
  return true;
}

bool TrayArea::Modify(const NOTIFYICONDATAA& data) {
  TrayIcon* icon = Find(data.hWnd, data.uID);
  if (!icon) return false;
  Take(*icon, data);
  Save();
  return true;
}

bool TrayArea::Delete(HWND window, UINT id) {
  for (auto it = icons_.begin(); it != icons_.end(); ++it) {
    if (it->window != window || it->id != id) continue;
    icons_.erase(it);
    Save();
    return true;
  }
  return false;
}

std::vector<TrayIcon> TrayIcons() {
  Machine* machine = CurrentMachine();
  return machine ? machine->area<TrayArea>().icons() : std::vector<TrayIcon>{};
}

bool ClickTrayIcon(HWND window, UINT id, UINT mouseMessage) {
  Machine* machine = CurrentMachine();
  if (!machine) return false;
  TrayIcon* icon = machine->area<TrayArea>().Find(window, id);
  if (!icon) return false;
  UINT message = icon->callbackMessage;
  TheJournal().Record("TrayClick", {forms::HexText(window), std::to_string(id), forms::HexText(mouseMessage)});
  PostMessageA(window, message, id, static_cast<LPARAM>(mouseMessage));
  return true;
}

bool DoubleClickTrayIcon(HWND window, UINT id) {
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    if (!ClickTrayIcon(window, id, message)) return false;
  return true;
}

}  // namespace platform::shell

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) {
  platform::Machine* machine = platform::CurrentMachine();
  if (!data || !machine || data->cbSize < sizeof(NOTIFYICONDATAA)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto& tray = machine->area<platform::shell::TrayArea>();
  bool done = false;
  switch (message) {
    case NIM_ADD: done = tray.Add(*data); break;
    case NIM_MODIFY: done = tray.Modify(*data); break;
    case NIM_DELETE: done = tray.Delete(data->hWnd, data->uID); break;
    default: break;
  }
  platform::TheJournal().Record("Shell_NotifyIcon",
                                {std::to_string(message), platform::forms::HexText(data->hWnd), std::to_string(data->uID),
                                 std::to_string(data->uFlags), platform::shell::TipOf(*data), done ? "TRUE" : "FALSE"});
  return done ? TRUE : FALSE;
}
