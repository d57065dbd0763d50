#include "tools/registered_files.h"

#include "cleaning/file_actions.h"
#include "cleaning/stored_values.h"
#include "platform/base/cp1252.h"
#include "platform/files/kernel32_files.h"
#include "platform/registry/advapi32.h"
#include "support/key_holder.h"
#include "tools/dll_paths.h"

namespace tools {
namespace {

constexpr DWORD kKeyNameBuffer = 256;

// The subkeys of root\path; false when the key exists but could not be
// listed whole. A missing key has none.
bool Subkeys(HKEY root, const std::string& path, std::vector<std::string>& names) {
  names.clear();
  KeyHolder key;
  LONG opened = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.out());
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  for (DWORD index = 0;; ++index) {
    char name[kKeyNameBuffer] = {};
    DWORD cch = kKeyNameBuffer;
    LONG result = RegEnumKeyExA(key.get(), index, name, &cch, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) return true;
    if (result != ERROR_SUCCESS) return false;
    names.emplace_back(name, cch);
  }
}

// Adds the default value of root\path, when there is one.
void AddDefault(HKEY root, const std::string& path, RegisteredFiles& files) {
  std::vector<cleaning::StoredValue> values;
  if (!cleaning::ReadStoredValues(root, path, values)) return files.MarkIncomplete();
  for (const auto& value : values) {
    if (!value.name.empty()) continue;
    std::string text = value.data;
    while (!text.empty() && text.back() == '\0') text.pop_back();
    files.Add(text);
  }
}

void ReadTypeLibraries(RegisteredFiles& files) {
  std::vector<std::string> libraries, versions, locales, platforms;
  if (!Subkeys(HKEY_CLASSES_ROOT, "TypeLib", libraries)) return files.MarkIncomplete();
  for (const std::string& library : libraries) {
    std::string libraryKey = "TypeLib\\" + library;
    if (!Subkeys(HKEY_CLASSES_ROOT, libraryKey, versions)) files.MarkIncomplete();
    for (const std::string& version : versions) {
      std::string versionKey = libraryKey + "\\" + version;
      if (!Subkeys(HKEY_CLASSES_ROOT, versionKey, locales)) files.MarkIncomplete();
      // Besides its locales a version holds FLAGS and HELPDIR; their
      // subkeys, if any, are read as well: a path too many costs nothing.
      for (const std::string& locale : locales) {
        std::string localeKey = versionKey + "\\" + locale;
        if (!Subkeys(HKEY_CLASSES_ROOT, localeKey, platforms)) files.MarkIncomplete();
        for (const std::string& platform : platforms) AddDefault(HKEY_CLASSES_ROOT, localeKey + "\\" + platform, files);
      }
    }
  }
}

void ReadClassServers(RegisteredFiles& files) {
  std::vector<std::string> classes;
  if (!Subkeys(HKEY_CLASSES_ROOT, "CLSID", classes)) return files.MarkIncomplete();
  for (const std::string& classId : classes)
    for (const char* server : {"InprocServer32", "LocalServer32"})
      AddDefault(HKEY_CLASSES_ROOT, "CLSID\\" + classId + "\\" + server, files);
}

bool StartsPathName(char c) { return c == '\\' || c == '/' || c == '"' || c == '=' || c == ' ' || c == '\t'; }
bool EndsPathName(char c) { return c == '"' || c == ' ' || c == '\t' || c == ',' || c == ';'; }

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

std::string ShortName(const std::string& path) {
  char buffer[MAX_PATH] = {};
  DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  return length > 0 && length < sizeof buffer ? NameOf(std::string(buffer, length)) : std::string();
}

// The places before `end` where the path of a name may begin: after a
// quote, at each drive letter that follows a blank, a quote or "=", and at
// the start of the text when it is a drive path or nothing else is.
std::vector<std::size_t> PathStarts(const std::string& text, std::size_t end) {
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at + 2 < end; ++at) {
    if (text[at] == '"') starts.push_back(at + 1);
    bool drive = text[at + 1] == ':' && text[at + 2] == '\\' && at > 0 && StartsPathName(text[at - 1]);
    if (drive) starts.push_back(at);
  }
  if (IsFullPath(text) || (starts.empty() && text.front() != '"')) starts.insert(starts.begin(), 0);
  return starts;
}

// An alias "PREFIX~N.EXT" may stand for any long name that begins with
// PREFIX (blanks and extra dots dropped) and has the same extension.
bool AliasMayStandFor(const std::string& alias, const std::string& longName) {
  std::string upperAlias = platform::ToUpper(alias), upperLong = platform::ToUpper(longName);
  std::size_t tilde = upperAlias.find('~');
  if (tilde == std::string::npos) return false;
  std::size_t dot = upperAlias.find_last_of('.'), longDot = upperLong.find_last_of('.');
  std::string extension = dot == std::string::npos ? "" : upperAlias.substr(dot);
  std::string longExtension = longDot == std::string::npos ? "" : upperLong.substr(longDot);
  if (extension != longExtension.substr(0, extension.size())) return false;
  std::string stem;
  for (char c : upperLong.substr(0, longDot))
    if (c != ' ' && c != '.') stem += c;
  return stem.compare(0, tilde, upperAlias, 0, tilde) == 0;
}

}  // namespace

RegisteredFiles RegisteredFiles::Read(const std::string& windowsDir) {
  RegisteredFiles files;
  files.windowsDir_ = windowsDir;
  ReadTypeLibraries(files);
  ReadClassServers(files);
  return files;
}

void RegisteredFiles::Add(const std::string& registered) {
  std::string text = RegisteredPath(registered, windowsDir_);
  std::string upper = platform::ToUpper(text);
  // Every name that ends in ".DLL" where a path name may end.
  for (std::size_t at = upper.find(".DLL"); at != std::string::npos; at = upper.find(".DLL", at + 1)) {
    std::size_t end = at + 4;
    if (end < text.size() && !EndsPathName(text[end])) continue;
    std::size_t nameStart = text.find_last_of("\\/\"=", at);
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    std::size_t blank = text.find_last_of(" \t", at);
    std::vector<std::string> names = {upper.substr(nameStart, end - nameStart)};
    // A name with blanks in an unquoted command line may begin at any blank.
    if (blank != std::string::npos && blank + 1 > nameStart) names.push_back(upper.substr(blank + 1, end - blank - 1));
    for (std::size_t start : PathStarts(text, at)) {
      if (start > nameStart) continue;
      std::string path = text.substr(start, end - start);
      if (NameOf(path).find('~') != std::string::npos) aliases_.push_back(path);
      for (const std::string& name : names) byName_[name].push_back(path);
    }
  }
}

bool RegisteredFiles::MayName(const std::string& path) const {
  if (!complete_) return true;
  std::string longName = NameOf(path), shortName = ShortName(path);
  for (const std::string& name : {longName, shortName}) {
    if (name.empty()) continue;
    auto found = byName_.find(platform::ToUpper(name));
    if (found == byName_.end()) continue;
    for (const std::string& registered : found->second)
      if (MayBeRegisteredAs(registered, path)) return true;
  }
  for (const std::string& alias : aliases_) {
    if (SameFile(alias, path)) return true;
    bool resolves = cleaning::AttributesOf(alias) != INVALID_FILE_ATTRIBUTES;
    if (!resolves && AliasMayStandFor(NameOf(alias), longName)) return true;
  }
  return false;
}

}  // namespace tools
