#include "platform/files/short_names.h"

#include <algorithm>
#include <charconv>

#include "platform/base/cp1252.h"

namespace platform::files {
namespace {

bool IsShortNameChar(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c >= 0x80) return true;
  static constexpr std::string_view kPunctuation = "!#$%&'()-@^_{}~`";
  return kPunctuation.find(static_cast<char>(c)) != std::string_view::npos;
}

bool IsShortPart(std::string_view part, std::size_t maxLength) {
  if (part.empty() || part.size() > maxLength) return false;
  for (unsigned char c : part)
    if (!IsShortNameChar(c)) return false;
  return true;
}

// Upper-cased, blanks and invalid characters dropped, "+,;=[]" made "_",
// appended to `out`.
void AppendCleanAliasPart(std::string_view part, std::string& out) {
  for (char raw : part) {
    unsigned char c = static_cast<unsigned char>(UpperChar(raw));
    if (std::string_view("+,;=[]").find(static_cast<char>(c)) != std::string_view::npos)
      out += '_';
    else if (IsShortNameChar(c))
      out += static_cast<char>(c);
  }
}

}  // namespace

bool IsValidShortName(std::string_view name) {
  std::size_t dot = name.find('.');
  if (dot == std::string_view::npos) return IsShortPart(name, 8);
  return IsShortPart(name.substr(0, dot), 8) && IsShortPart(name.substr(dot + 1), 3);
}

std::string MakeAlias(std::string_view longName, const std::function<bool(const std::string&)>& taken,
                      AliasNumbers* numbers) {
  std::size_t lastDot = longName.rfind('.');
  std::string base, extension;
  AppendCleanAliasPart(longName.substr(0, lastDot), base);
  if (lastDot != std::string_view::npos) AppendCleanAliasPart(longName.substr(lastDot + 1), extension);
  if (extension.size() > 3) extension.resize(3);
  unsigned* last = nullptr;
  if (numbers) {
    std::string group(base, 0, 6);
    group += '.';
    group += extension;
    last = &(*numbers)[group];
  }
  // Built in place for each number tried: a big folder tries thousands.
  std::string alias;
  for (unsigned n = last ? *last + 1 : 1;; ++n) {
    char digits[16];
    std::size_t count = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, n).ptr - digits);
    alias.assign(base, 0, std::min<std::size_t>(6, 8 - (count + 1)));
    alias += '~';
    alias.append(digits, count);
    if (!extension.empty()) {
      alias += '.';
      alias += extension;
    }
    if (taken(alias)) continue;
    if (last) *last = n;
    return alias;
  }
}

}  // namespace platform::files
