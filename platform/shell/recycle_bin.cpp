// Emptying the recycle bins of the machine's drives.
#include <cctype>
#include <string>
#include <vector>

#include "platform/base/journal.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/window_messages.h"
#include "platform/machine/machine.h"
#include "platform/shell/folder_tree.h"
#include "platform/shell/shell32.h"

namespace {

constexpr UINT kDriveFixed = 3;

// The recycle-bin folder of a drive on the machine's family.
std::string BinFolder(const platform::Machine& machine, char drive) {
  std::string root = std::string(1, drive) + ":\\";
  if (!machine.isNt()) return root + "RECYCLED";
  return root + "RECYCLER\\" + machine.description().userSid;
}

std::vector<char> FixedDrives() {
  std::vector<char> drives;
  DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    char root[] = {static_cast<char>('A' + i), ':', '\\', '\0'};
    if (GetDriveTypeA(root) == kDriveFixed) drives.push_back(root[0]);
  }
  return drives;
}

}  // namespace

HRESULT SHEmptyRecycleBinA(HWND owner, LPCSTR rootPath, DWORD flags) {
  platform::TheJournal().Record("SHEmptyRecycleBin", {platform::forms::HexText(owner), rootPath ? rootPath : "(null)",
                                                      std::to_string(flags)});
  platform::Machine* machine = platform::CurrentMachine();
  if (!machine) return E_FAIL;
  std::vector<char> drives;
  if (!rootPath) {
    drives = FixedDrives();
  } else {
    if (!std::isalpha(static_cast<unsigned char>(rootPath[0])) || rootPath[1] != ':') return E_INVALIDARG;
    char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(rootPath[0])));
    char root[] = {drive, ':', '\\', '\0'};
    if (GetDriveTypeA(root) <= 1) return E_FAIL;
    drives.push_back(drive);
  }
  bool complete = true;
  for (char drive : drives)
    if (!platform::shell::RemoveFolderContents(BinFolder(*machine, drive), {"desktop.ini", "INFO2"}))
      complete = false;
  return complete ? S_OK : E_FAIL;
}

HRESULT SHUpdateRecycleBinIcon() {
  platform::TheJournal().Record("SHUpdateRecycleBinIcon");
  return S_OK;
}
