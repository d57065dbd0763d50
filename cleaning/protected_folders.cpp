#include "cleaning/protected_folders.h"

#include <vector>

#include "cleaning/file_actions.h"
#include "cleaning/frmClean.h"
#include "platform/base/cp1252.h"
#include "platform/registry/advapi32.h"
#include "platform/forms/app_object.h"
#include "platform/files/resolved_file.h"
#include "platform/forms/strings.h"
#include "platform/machine/environment.h"
#include "support/CRegister.h"
#include "support/system_folders.h"

namespace cleaning {

namespace {

// Upper case, "/" as "\", repeated separators collapsed, no trailing "\".
std::string Normalised(const std::string& path) {
  std::string out;
  for (char c : platform::forms::Trim(path)) {
    char ch = c == '/' ? '\\' : c;
    if (ch == '\\' && !out.empty() && out.back() == '\\') continue;
    out += ch;
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return platform::ToUpper(out);
}

bool IsAbsolute(const std::string& path) {
  return path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

// `folder` is `guarded` or one of its ancestors.
bool Covers(const std::string& folder, const std::string& guarded) {
  if (guarded.empty()) return false;
  return guarded == folder || (guarded.size() > folder.size() && guarded.compare(0, folder.size(), folder) == 0 &&
                               guarded[folder.size()] == '\\');
}

// The folder as the file layer resolves it ("C:\PROGRAM FILES" for
// "c:/progra~1/." or "C:\Program Files. "); the normalised spelling when
// some folder on the way does not exist.
std::string ResolvedKey(const std::string& folder) {
  platform::files::ResolvedFile file(folder);
  if (!file.error()) return file.resolved().key;
  return Normalised(folder);
}

struct Guarded {
  std::string folder;
  const char* what;
};

std::vector<Guarded> GuardedFolders() {
  std::string programFiles =
      CRegister().REGGetSetting(static_cast<std::int32_t>(HKEY_LOCAL_MACHINE),
                                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", "");
  return {{g_WindowsDir, "the Windows folder"},          {g_SystemDir, "the system folder"},
          {programFiles, "the Program Files folder"},     {"C:\\Program Files", "the Program Files folder"},
          {platform::forms::App.Path(), "the program's folder"}, {g_AllUsersDir, "the All Users profile"},
          {g_UserProfileDir, "the user profile"}};
}

}  // namespace

std::string FolderRefusal(const std::string& folder) {
  std::string trimmed = platform::forms::Trim(platform::ExpandEnvironment(folder));
  if (trimmed.empty() || !IsAbsolute(trimmed)) return "it is not a full folder path";
  std::string candidate = ResolvedKey(trimmed);
  if (candidate.size() <= 2) return "it is a drive root";
  for (const auto& part : platform::forms::Split(candidate, "\\"))
    if (part == "." || part == "..") return "it is not a plain folder path";
  for (const auto& guarded : GuardedFolders()) {
    if (platform::forms::Trim(guarded.folder).empty()) continue;
    std::string key = ResolvedKey(guarded.folder);
    if (candidate == key) return std::string("it is ") + guarded.what;
    if (Covers(candidate, key)) return std::string("it contains ") + guarded.what;
  }
  return "";
}

bool MayEmptyFolder(const std::string& folder) {
  std::string shown = platform::forms::Trim(folder);
  if (shown.empty()) return false;
  std::string reason = FolderRefusal(folder);
  if (reason.empty()) return true;
  while (shown.size() > 3 && shown.back() == '\\') shown.pop_back();
  frmClean().AddItem("\tFolder not cleaned " + shown + ": " + reason);
  return false;
}

bool MatchesEveryName(const std::string& pattern) {
  if (pattern.empty()) return true;  // the deletions take "" as "*.*"
  for (const auto& part : platform::forms::Split(pattern, ";")) {
    std::string trimmed = platform::forms::Trim(part);
    if (part.empty() || trimmed == "*" || trimmed == "*.*") return true;
  }
  return false;
}

}  // namespace cleaning
