#include "cleaning/protected_folders.h"

#include <vector>

#include "cleaning/file_actions.h"
#include "platform/base/cp1252.h"
#include "platform/forms/app_object.h"
#include "platform/forms/strings.h"
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

// Each protected folder in its given and in its short spelling.
std::vector<std::string> ProtectedSpellings(const std::vector<std::string>& folders) {
  std::vector<std::string> spellings;
  for (const auto& folder : folders) {
    if (platform::forms::Trim(folder).empty()) continue;
    spellings.push_back(Normalised(folder));
    std::string shortForm = ShortPathOf(folder);
    if (!shortForm.empty()) spellings.push_back(Normalised(shortForm));
  }
  return spellings;
}

}  // namespace

bool IsProtectedFolder(const std::string& folder) {
  std::string trimmed = platform::forms::Trim(folder);
  if (trimmed.empty() || !IsAbsolute(trimmed)) return true;
  std::string candidate = Normalised(trimmed);
  if (candidate.size() <= 2) return true;  // "C:" after the root's "\" is gone
  // "." and ".." could name a guarded folder in disguise.
  for (const auto& part : platform::forms::Split(candidate, "\\"))
    if (part == "." || part == "..") return true;
  std::vector<std::string> candidates = {candidate};
  std::string shortForm = ShortPathOf(trimmed);
  if (!shortForm.empty()) candidates.push_back(Normalised(shortForm));

  auto guarded = ProtectedSpellings({g_WindowsDir, g_SystemDir, g_UserProfileDir, g_AllUsersDir});
  auto exact = ProtectedSpellings({platform::forms::App.Path()});
  for (const auto& c : candidates) {
    for (const auto& g : guarded)
      if (Covers(c, g)) return true;
    for (const auto& e : exact)
      if (c == e) return true;
  }
  return false;
}

}  // namespace cleaning
