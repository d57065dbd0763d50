// The shell's special folders, the folder picker and item-id paths.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "platform/base/journal.h"
#include "platform/base/last_error.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/answers.h"
#include "platform/forms/window_messages.h"
#include "platform/registry/advapi32.h"
#include "platform/shell/item_ids.h"
#include "platform/shell/shell32.h"

namespace {

using platform::shell::NewItemIdList;

struct SpecialFolder {
  int csidl;
  const char* shellFolderValue;
};

constexpr SpecialFolder kSpecialFolders[] = {
    {CSIDL_DESKTOPDIRECTORY, "Desktop"}, {CSIDL_PERSONAL, "Personal"}, {CSIDL_APPDATA, "AppData"},
    {CSIDL_FAVORITES, "Favorites"},      {CSIDL_COOKIES, "Cookies"},   {CSIDL_HISTORY, "History"},
    {CSIDL_INTERNET_CACHE, "Cache"},
};

constexpr const char* kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kDesktopName = "Desktop";

bool ReadShellFolder(const char* value, std::string& path) {
  HKEY key = 0;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  char buffer[MAX_PATH] = {};
  DWORD size = sizeof buffer, type = 0;
  LONG result = RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_SZ) return false;
  path.assign(buffer, strnlen(buffer, sizeof buffer));
  return !path.empty();
}

bool IsDrivePath(const std::string& text) {
  return text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]));
}

// "C:\a\" -> "C:\a"; a root keeps its "\".
std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  if (path.size() == 2) path += '\\';
  return path;
}

std::string LastName(const std::string& path) {
  if (path.size() <= 3) return path;
  return path.substr(path.find_last_of('\\') + 1);
}

std::string RootText(LPCITEMIDLIST root) {
  if (!root) return "(namespace)";
  std::string path;
  if (!platform::shell::ItemIdListPath(root, path)) return "(invalid)";
  return path.empty() ? platform::shell::ItemIdListName(root) : path;
}

// Checks a scripted path against the picker's flags (a wrong answer is a
// fault of the script, not of the program).
void CheckPickable(const std::string& path, UINT flags) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    throw platform::forms::AnswerScriptError("the folder picker was answered with a missing path \"" + path + "\"");
  bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (!folder && !(flags & BIF_BROWSEINCLUDEFILES))
    throw platform::forms::AnswerScriptError("the folder picker offers no files, but was answered \"" + path + "\"");
  if (!folder && (flags & BIF_RETURNONLYFSDIRS))
    throw platform::forms::AnswerScriptError("the folder picker takes only folders, but was answered \"" + path + "\"");
}

}  // namespace

HRESULT SHGetSpecialFolderLocation(HWND owner, int folder, LPITEMIDLIST* pidl) {
  if (!pidl) return E_INVALIDARG;
  *pidl = nullptr;
  if (folder == CSIDL_DESKTOP) {
    *pidl = NewItemIdList("", kDesktopName);
    return S_OK;
  }
  for (const auto& special : kSpecialFolders) {
    if (special.csidl != folder) continue;
    std::string path;
    if (!ReadShellFolder(special.shellFolderValue, path)) return E_FAIL;
    *pidl = NewItemIdList(path, LastName(path));
    return S_OK;
  }
  return E_INVALIDARG;
}

LPITEMIDLIST SHBrowseForFolderA(BROWSEINFOA* info) {
  if (!info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::string title = info->lpszTitle ? info->lpszTitle : "";
  platform::TheJournal().Record("SHBrowseForFolder", {platform::forms::HexText(info->hwndOwner),
                                                      RootText(info->pidlRoot), title,
                                                      platform::forms::HexText(info->ulFlags)});
  platform::forms::AskRequest request;
  request.kind = platform::forms::AskKind::FolderPicker;
  request.prompt = title;
  request.style = static_cast<long>(info->ulFlags);
  request.choices = {"OK", "Cancel"};
  request.defaultChoice = 1;
  platform::forms::AskAnswer answer = platform::forms::Answers().Ask(request);
  if (answer.choice != "OK") return nullptr;

  std::string path, name;
  if (IsDrivePath(answer.text)) {
    path = WithoutTrailingSlash(answer.text);
    CheckPickable(path, info->ulFlags);
    name = LastName(path);
  } else {
    if (info->ulFlags & BIF_RETURNONLYFSDIRS)
      throw platform::forms::AnswerScriptError("the folder picker takes only folders, but was answered \"" +
                                               answer.text + "\"");
    name = answer.text.empty() ? kDesktopName : answer.text;
  }
  if (info->pszDisplayName) {
    std::size_t length = std::min<std::size_t>(name.size(), MAX_PATH - 1);
    std::memcpy(info->pszDisplayName, name.data(), length);
    info->pszDisplayName[length] = '\0';
  }
  return NewItemIdList(path, name);
}

BOOL SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR buffer) {
  if (!buffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string path;
  bool known = platform::shell::ItemIdListPath(pidl, path);
  std::size_t length = std::min<std::size_t>(path.size(), MAX_PATH - 1);
  std::memcpy(buffer, path.data(), length);
  buffer[length] = '\0';
  if (!known || path.empty()) {
    buffer[0] = '\0';
    return FALSE;
  }
  return TRUE;
}
