#include "tools/dll_paths.h"

#include "platform/base/cp1252.h"
#include "platform/files/kernel32_files.h"
#include "support/cRegistry.h"

namespace tools {
namespace {

std::string ReplaceNoCase(std::string text, const std::string& what, const std::string& with) {
  std::string upper = platform::ToUpper(text), upperWhat = platform::ToUpper(what);
  for (std::size_t at = upper.find(upperWhat); at != std::string::npos;
       at = upper.find(upperWhat, at + with.size())) {
    text.replace(at, what.size(), with);
    upper.replace(at, what.size(), platform::ToUpper(with));
  }
  return text;
}

std::string ShortForm(const std::string& path) {
  char buffer[MAX_PATH] = {};
  DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

}  // namespace

std::string RegisteredPath(const std::string& registered, const std::string& windowsDir) {
  std::string path = cRegistry::ExpandEnvStr(ReplaceNoCase(registered, "%SystemRoot%", windowsDir));
  while (!path.empty() && path.back() == ' ') path.pop_back();
  std::size_t slash = path.find_last_of('\\');
  bool indexed = slash != std::string::npos && slash + 1 < path.size() &&
                 path.find_first_not_of("0123456789", slash + 1) == std::string::npos;
  return indexed ? path.substr(0, slash) : path;
}

bool IsFullPath(const std::string& path) { return path.size() >= 3 && path[1] == ':' && path[2] == '\\'; }

bool SameFile(const std::string& a, const std::string& b) {
  if (platform::EqualsNoCase(a, b)) return true;
  std::string shortA = ShortForm(a), shortB = ShortForm(b);
  return !shortA.empty() && platform::EqualsNoCase(shortA, shortB);
}

bool MayBeRegisteredAs(const std::string& registered, const std::string& found) {
  if (registered.empty()) return false;
  if (!IsFullPath(registered)) return platform::EqualsNoCase(NameOf(registered), NameOf(found));
  return SameFile(registered, found);
}

}  // namespace tools
