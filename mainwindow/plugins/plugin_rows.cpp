#include "mainwindow/plugins/plugin_rows.h"

#include <cctype>

#include "platform/base/cp1252.h"
#include "platform/forms/strings.h"

using platform::EqualsNoCase;
using platform::ToUpper;
using platform::forms::Trim;

namespace {

bool EndsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

std::string WithoutTrailingBackslashes(std::string text) {
  while (!text.empty() && text.back() == '\\') text.pop_back();
  return text;
}

std::string WithoutLeadingBackslashes(const std::string& text) {
  std::size_t start = text.find_first_not_of('\\');
  return start == std::string::npos ? std::string() : text.substr(start);
}

std::string WithTrailingBackslash(const std::string& text) {
  return text.empty() || text.back() == '\\' ? text : text + "\\";
}

// root "\" path, the path's own leading "\" not doubled.
std::string RootAndPath(const std::string& root, const std::string& path) {
  return Trim(root) + "\\" + WithoutLeadingBackslashes(Trim(path));
}

int RootIndex(const std::string& rootName) {
  std::string name = Trim(rootName);
  for (std::size_t i = 0; i < kRegistryRoots.size(); ++i)
    if (EqualsNoCase(name, kRegistryRoots[i])) return static_cast<int>(i);
  return -1;
}

// Splits "path\name" at its last "\".
void SplitLastPart(const std::string& text, std::string& path, std::string& name) {
  std::size_t last = text.rfind('\\');
  if (last == std::string::npos) {
    path.clear();
    name = text;
  } else {
    path = text.substr(0, last);
    name = text.substr(last + 1);
  }
}

bool IsDriveLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

}  // namespace

bool IsEmptyRow(const std::string& row) {
  std::string text = ToUpper(Trim(row));
  return text.empty() || text == kPlaceholderRow;
}

std::string KeyRow(const std::string& root, const std::string& path, const std::string& name) {
  return WithTrailingBackslash(RootAndPath(root, path)) + Trim(name) + kKeyEnding;
}

std::string ValueRow(const std::string& root, const std::string& path, const std::string& name) {
  return WithoutTrailingBackslashes(RootAndPath(root, path)) + kRowSeparator + Trim(name);
}

std::string DetectRow(const std::string& root, const std::string& path, const std::string& name) {
  std::string key = WithoutTrailingBackslashes(RootAndPath(root, path));
  std::string leaf = Trim(name);
  return leaf.empty() ? key : key + "\\" + WithoutLeadingBackslashes(leaf);
}

RegistryFields ParseRegistryRow(const std::string& row) {
  RegistryFields fields;
  if (IsEmptyRow(row)) return fields;
  std::string text = Trim(row);
  std::string keyText;
  std::size_t separator = text.find(kRowSeparator);
  if (separator != std::string::npos) {
    fields.value = true;
    fields.name = Trim(text.substr(separator + std::string(kRowSeparator).size()));
    keyText = text.substr(0, separator);
  } else {
    for (const char* ending : {kKeyEnding, kContentsEnding})
      if (EndsWith(text, ending)) text = Trim(text.substr(0, text.size() - std::string(ending).size()));
    keyText = text;
  }
  std::size_t firstSlash = keyText.find('\\');
  std::string rest = firstSlash == std::string::npos ? std::string() : keyText.substr(firstSlash + 1);
  int root = RootIndex(firstSlash == std::string::npos ? keyText : keyText.substr(0, firstSlash));
  if (root < 0) {
    // An unknown root keeps the whole row in the path, so nothing is lost.
    fields.path = keyText;
    return fields;
  }
  fields.root = root;
  if (fields.value) fields.path = WithoutTrailingBackslashes(rest);
  else SplitLastPart(rest, fields.path, fields.name);
  return fields;
}

std::string PatternRow(const std::string& folder, const std::string& pattern) {
  return WithTrailingBackslash(Trim(folder)) + kRowSeparator + Trim(pattern);
}

std::string FileRow(const std::string& folder, const std::string& fileName) {
  return WithTrailingBackslash(Trim(folder)) + WithoutLeadingBackslashes(Trim(fileName));
}

FolderFields ParseFolderRow(const std::string& row) {
  FolderFields fields;
  if (IsEmptyRow(row)) return fields;
  std::string text = Trim(row);
  std::size_t separator = text.find(kRowSeparator);
  if (separator != std::string::npos) {
    fields.pattern = true;
    std::string folder = text.substr(0, separator);
    std::size_t marker = ToUpper(folder).find(kAllSubfoldersMarker);
    if (marker != std::string::npos) {
      fields.subfolders = true;
      folder.erase(marker, std::string(kAllSubfoldersMarker).size());
    }
    fields.folder = Trim(folder);
    fields.filePattern = Trim(text.substr(separator + std::string(kRowSeparator).size()));
    return fields;
  }
  SplitLastPart(text, fields.folder, fields.fileName);
  return fields;
}

StoredFolderRow SplitStoredFolderRow(const std::string& row) {
  StoredFolderRow split;
  // Without its last blank, which an INI read trims off a row whose
  // pattern is empty.
  const std::string separator = Trim(kRowSeparator);
  std::size_t first = row.find(separator);
  if (first == std::string::npos) {
    split.folder = Trim(row);
    split.singleFile = true;
    return split;
  }
  split.folder = Trim(row.substr(0, first));
  std::size_t start = first + separator.size();
  std::size_t second = row.find(separator, start);
  split.pattern = Trim(row.substr(start, second == std::string::npos ? std::string::npos : second - start));
  return split;
}

std::string ExpandFolderMacros(const std::string& path, const MacroFolders& folders) {
  using platform::forms::Left;
  using platform::forms::Replace;
  std::string expanded = path;
  if (!folders.win9x) {
    expanded = Replace(expanded, "%AUP%", folders.allUsers);
    expanded = Replace(expanded, "%CUP%", folders.userProfile);
  }
  return Replace(expanded, "%PF%", Left(folders.windows, 3) + "Program Files");
}

std::optional<std::string> AppFolderFromData(const std::string& data,
                                             const std::function<bool(const std::string&)>& folderExists) {
  std::string text = Trim(data);
  if (!text.empty() && text.front() == '"') {
    std::size_t closing = text.find('"', 1);
    text = text.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
  } else {
    std::size_t switches = text.find(" /");
    if (switches != std::string::npos) text = text.substr(0, switches);
  }
  text = WithoutTrailingBackslashes(Trim(text));
  if (text.empty()) return std::nullopt;
  std::size_t last = text.rfind('\\');
  std::string leaf = last == std::string::npos ? text : text.substr(last + 1);
  if (leaf.find('.') != std::string::npos) {
    if (last == std::string::npos) return std::nullopt;
    return text.substr(0, last);
  }
  if (folderExists && folderExists(text)) return text;
  return std::nullopt;
}

std::string WalkProblem(const std::string& folder, const char* what) {
  std::string text = Trim(folder);
  const std::string plain = std::string("it is not a plain ") + what + " path";
  // An unexpanded macro would make the rest of the path mean something else.
  if (text.find('%') != std::string::npos) return "it holds a macro that was not expanded";
  // "X:\" and at least one name under it.
  if (text.size() < 3 || !IsDriveLetter(text[0]) || text[1] != ':' || text[2] != '\\')
    return std::string("it is not a full ") + what + " path";
  if (WithoutTrailingBackslashes(text).size() <= 3) return "it is a drive root";
  std::string rest = text.substr(3);
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find('\\', start);
    std::string part = Trim(rest.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (part == "." || part == "..") return plain;
    if (part.empty() && end != std::string::npos) return plain;  // "\\" inside
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return "";
}

std::string RowProblem(const StoredFolderRow& row, const std::string& folder) {
  if (!row.singleFile) return row.pattern.empty() ? "it names no file pattern" : WalkProblem(folder);
  std::string name = folder.substr(folder.rfind('\\') + 1);
  if (Trim(name).empty()) return "it names no file";
  if (name.find_first_of("*?") != std::string::npos) return "it names a pattern, not one file";
  return WalkProblem(folder, "file");
}

int StoredRowCount(const std::string& text, int cap) {
  std::string trimmed = Trim(text);
  long long count = 0;
  for (char c : trimmed) {
    if (c < '0' || c > '9') break;
    count = count * 10 + (c - '0');
    if (count > cap) return cap;
  }
  return static_cast<int>(count);
}
