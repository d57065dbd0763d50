#include "cleaning/ns_cookie_file.h"

#include <set>

#include "cleaning/file_actions.h"
#include "platform/base/runtime_error.h"
#include "platform/files/runtime_files.h"
#include "platform/forms/strings.h"

namespace cleaning {
namespace {

namespace vb = platform::vb;
using platform::forms::Trim;

constexpr const char* kCookieFile = "Cookies.txt";
constexpr const char* kKeepList = "TSYKeepNS6.inf";

// The text after the first `c`, or the whole text without one.
std::string After(const std::string& text, char c) {
  std::size_t at = text.find(c);
  return at == std::string::npos ? text : text.substr(at + 1);
}

}  // namespace

CookieLineFields DeriveCookieFields(const std::string& line) {
  CookieLineFields fields;
  std::size_t tab = line.find('\t');
  fields.site = tab == std::string::npos ? line : line.substr(0, tab + 1);
  const std::string rest1 = tab == std::string::npos ? "" : line.substr(tab);
  // InStr(24, R1, TAB): the first TAB at 1-based position 24 or later.
  std::size_t late = rest1.size() > 23 ? rest1.find('\t', 23) : std::string::npos;
  const std::string rest2 = late == std::string::npos ? rest1 : rest1.substr(late + 1);
  std::size_t nameEnd = rest2.find('\t');
  fields.name = nameEnd == std::string::npos ? "" : rest2.substr(0, nameEnd + 1);
  fields.value = After(rest2, '\t');
  return fields;
}

std::string KeepListEntry(const std::string& line) {
  CookieLineFields fields = DeriveCookieFields(line);
  return fields.site + Trim(fields.name);
}

bool IsCookieLine(const std::string& line) {
  std::string trimmed = Trim(line);
  return !trimmed.empty() && trimmed.front() != '#' && line.find('\t') != std::string::npos;
}

ReadResult ReadCookieRows(const std::string& folder, CookieRows& rows) {
  rows = CookieRows{};
  const std::string path = WithTrailingBackslash(folder) + kCookieFile;
  if (!FileExists(path)) return ReadResult::Missing;
  std::string content;
  if (!ReadWholeFile(path, content)) return ReadResult::Failed;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    std::string line = content.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (IsCookieLine(line)) {
      rows.lines.push_back(line);
      rows.kept.push_back(false);
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  rows.loaded = true;
  return ReadResult::Read;
}

ReadResult ApplyCookieKeepList(const std::string& folder, CookieRows& rows) {
  rows.keepListRead = false;
  const std::string path = WithTrailingBackslash(folder) + kKeepList;
  if (!FileExists(path)) {
    rows.keepListRead = true;
    return ReadResult::Missing;
  }
  std::vector<std::string> entries;
  try {
    FileNumber file(path, vb::OpenMode::Input);
    while (!vb::Eof(file.get())) entries.push_back(vb::LineInput(file.get()));
  } catch (const platform::RuntimeError&) {
    return ReadResult::Failed;
  }
  // The writer's own rule decides what a line names, so a name with blanks
  // around it matches the line written for it.
  const std::set<std::string> kept(entries.begin(), entries.end());
  for (std::size_t i = 0; i < rows.lines.size(); ++i)
    if (kept.count(KeepListEntry(rows.lines[i]))) rows.kept[i] = true;
  rows.keepListRead = true;
  return ReadResult::Read;
}

bool WriteCookieKeepList(const std::string& folder, const CookieRows& rows) {
  try {
    FileNumber file(WithTrailingBackslash(folder) + kKeepList, vb::OpenMode::Output);
    for (std::size_t i = 0; i < rows.lines.size(); ++i)
      if (rows.kept[i]) vb::PrintLine(file.get(), KeepListEntry(rows.lines[i]));
  } catch (const platform::RuntimeError&) {
    return false;
  }
  return true;
}

bool RewriteCookieFile(const std::string& folder, const CookieRows& rows) {
  if (!rows.complete()) return false;
  try {
    FileNumber file(WithTrailingBackslash(folder) + kCookieFile, vb::OpenMode::Output);
    for (std::size_t i = 0; i < rows.lines.size(); ++i)
      if (rows.kept[i]) vb::Print(file.get(), {rows.lines[i], vb::Join, std::string("\n"), vb::Join});
  } catch (const platform::RuntimeError&) {
    return false;
  }
  return true;
}

}  // namespace cleaning
