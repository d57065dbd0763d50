#include "support/folder_browse.h"

#include <string>

#include "platform/forms/strings.h"
#include "platform/shell/shell32.h"
#include "support/path_helpers.h"

namespace {

constexpr const char* kDefaultPrompt = "Select a folder";
constexpr UINT kBrowseFlags = BIF_BROWSEINCLUDEFILES;
constexpr UINT kFolderPathFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;

}  // namespace

void CFolderBrowse::Prompt(const std::string& value) { prompt_ = platform::forms::Trim(value); }

void CFolderBrowse::Browse() {
  if (prompt_.empty()) prompt_ = kDefaultPrompt;
  BROWSEINFOA info{};
  info.lpszTitle = prompt_.c_str();
  info.ulFlags = kBrowseFlags;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  if (!chosen) {
    path_ = "";
    return;
  }
  std::string buffer(512, ' ');
  if (SHGetPathFromIDListA(chosen, buffer.data()))
    path_ = TrimNullChars(buffer);
  else
    path_ = "";
  CoTaskMemFree(chosen);
}

std::string BrowseForFolderPath(HWND owner) {
  LPITEMIDLIST desktop = nullptr;
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  if (SHGetSpecialFolderLocation(owner, CSIDL_DESKTOP, &desktop) == S_OK) info.pidlRoot = desktop;
  std::string displayName(MAX_PATH, '\0');
  info.pszDisplayName = displayName.data();
  info.lpszTitle = kDefaultPrompt;
  info.ulFlags = kFolderPathFlags;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  // The desktop root is ours to free; the program never did (one leak per call).
  CoTaskMemFree(desktop);
  if (!chosen) return "";
  std::string buffer(MAX_PATH, '\0');
  SHGetPathFromIDListA(chosen, buffer.data());
  CoTaskMemFree(chosen);
  return TrimNullChars(buffer);
}

void ShellOpen(const std::string& target) {
  ShellExecuteA(0, "Open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
