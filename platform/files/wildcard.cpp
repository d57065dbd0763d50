#include "platform/files/wildcard.h"

#include <vector>

#include "platform/base/cp1252.h"

namespace platform::files {
namespace {

// Dynamic programming over (pattern position, name position): linear in
// their product, so hostile patterns cannot blow up.
bool Match(std::string_view p, std::string_view n) {
  const std::size_t m = p.size(), len = n.size();
  // can[j]: pattern suffix from i matches name suffix from j.
  std::vector<char> next(len + 1, 0), can(len + 1, 0);
  next[len] = 1;  // empty pattern matches only the empty rest
  for (std::size_t i = m; i-- > 0;) {
    for (std::size_t j = len + 1; j-- > 0;) {
      bool ok = false;
      char pc = p[i];
      if (pc == '*') {
        ok = next[j] || (j < len && can[j + 1]);
      } else if (pc == '?') {
        ok = (j < len && next[j + 1]) || ((j == len || n[j] == '.') && next[j]);
      } else {
        ok = j < len && UpperChar(pc) == UpperChar(n[j]) && next[j + 1];
      }
      can[j] = ok;
    }
    next.swap(can);
  }
  return next[0];
}

}  // namespace

bool MatchesPattern(std::string_view pattern, std::string_view name) {
  if (pattern == "*" || pattern == "*.*") return true;
  if (!pattern.empty() && pattern.back() == '.') {
    // "." and ".." have no extension either.
    bool dots = name == "." || name == "..";
    if (!dots && name.find('.') != std::string_view::npos) return false;
    if (dots) return Match(pattern, name) || Match(pattern.substr(0, pattern.size() - 1), name);
    pattern.remove_suffix(1);
  }
  return Match(pattern, name);
}

bool MatchesEntry(std::string_view pattern, std::string_view longName, std::string_view alias) {
  return MatchesPattern(pattern, longName) || (!alias.empty() && MatchesPattern(pattern, alias));
}

}  // namespace platform::files
