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
  bool holdsFiles;  // a file directly in it is refused too
};

std::vector<Guarded> GuardedFolders() {
  std::string programFiles =
      CRegister().REGGetSetting(static_cast<std::int32_t>(HKEY_LOCAL_MACHINE),
                                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", "");
  return {{g_WindowsDir, "the Windows folder", true},
          {g_SystemDir, "the system folder", true},
          {programFiles, "the Program Files folder", false},
          {"C:\\Program Files", "the Program Files folder", false},
          {platform::forms::App.Path(), "the program's folder", true},
          {g_AllUsersDir, "the All Users profile", false},
          {g_UserProfileDir, "the user profile", false}};
}

// The path's resolved key, or why it cannot be judged.
std::string ResolvedCandidate(const std::string& path, const char* what, std::string& reason) {
  std::string trimmed = platform::forms::Trim(platform::ExpandEnvironment(path));
  if (trimmed.empty() || !IsAbsolute(trimmed)) {
    reason = std::string("it is not a full ") + what + " path";
    return "";
  }
  std::string candidate = ResolvedKey(trimmed);
  for (const auto& part : platform::forms::Split(candidate, "\\"))
    if (part == "." || part == "..") reason = std::string("it is not a plain ") + what + " path";
  return candidate;
}

// The log line's spelling of a path: trimmed, no trailing "\" below a root.
std::string Shown(const std::string& path) {
  std::string shown = platform::forms::Trim(path);
  while (shown.size() > 3 && shown.back() == '\\') shown.pop_back();
  return shown;
}

}  // namespace

std::string FolderRefusal(const std::string& folder) {
  std::string reason;
  std::string candidate = ResolvedCandidate(folder, "folder", reason);
  if (!reason.empty()) return reason;
  if (candidate.size() <= 2) return "it is a drive root";
  for (const auto& guarded : GuardedFolders()) {
    if (platform::forms::Trim(guarded.folder).empty()) continue;
    std::string key = ResolvedKey(guarded.folder);
    if (candidate == key) return std::string("it is ") + guarded.what;
    if (Covers(candidate, key)) return std::string("it contains ") + guarded.what;
  }
  return "";
}

std::string FileRefusal(const std::string& path) {
  std::string reason;
  std::string candidate = ResolvedCandidate(path, "file", reason);
  if (!reason.empty()) return reason;
  std::size_t last = candidate.rfind('\\');
  if (last == std::string::npos || last + 1 == candidate.size()) return "it is not a full file path";
  std::string folder = candidate.substr(0, last);
  if (folder.size() <= 2) return "it is in a drive root";
  for (const auto& guarded : GuardedFolders()) {
    if (!guarded.holdsFiles || platform::forms::Trim(guarded.folder).empty()) continue;
    if (folder == ResolvedKey(guarded.folder)) return std::string("it is in ") + guarded.what;
  }
  return "";
}

bool MayEmptyFolder(const std::string& folder) {
  if (platform::forms::Trim(folder).empty()) return false;
  std::string reason = FolderRefusal(folder);
  if (reason.empty()) return true;
  frmClean().AddItem("\tFolder not cleaned " + Shown(folder) + ": " + reason);
  return false;
}

bool MayDeleteFile(const std::string& path) {
  if (platform::forms::Trim(path).empty()) return false;
  std::string reason = FileRefusal(path);
  if (reason.empty()) return true;
  frmClean().AddItem("\tFile not deleted " + Shown(path) + ": " + reason);
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
