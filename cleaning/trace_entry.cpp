#include "cleaning/trace_entry.h"

#include <array>
#include <utility>

#include "platform/forms/strings.h"
#include "platform/registry/advapi32.h"

using platform::forms::Trim;
using platform::forms::UCase;

namespace {

const std::array<std::pair<std::string_view, HKEY>, 7> kRoots = {{
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", HKEY_USERS},
    {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    {"HKEY_DYN_DATA", HKEY_DYN_DATA},
}};

constexpr std::string_view kKeyEnding = "TSYRegKey";
constexpr std::string_view kContentsEnding = "TSYRegSubKeys";
constexpr std::string_view kValueMarker = "Value`";

bool EndsWith(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

// The key path before the hyphen that opens `ending`; nullopt when that
// hyphen is missing or anything but blanks stands between it and the ending.
std::optional<std::string> PathBeforeEnding(std::string_view trimmedRest, std::string_view ending) {
  std::string_view head = trimmedRest.substr(0, trimmedRest.size() - ending.size());
  std::size_t hyphen = head.rfind('-');
  if (hyphen == std::string_view::npos) return std::nullopt;
  if (head.find_first_not_of(' ', hyphen + 1) != std::string_view::npos) return std::nullopt;
  return Trim(head.substr(0, hyphen));
}

}  // namespace

std::optional<HKEY> PredefinedRoot(std::string_view upperName) {
  for (const auto& [name, key] : kRoots)
    if (name == upperName) return key;
  return std::nullopt;
}

bool SplitValueEntry(std::string_view rest, std::string& path, std::string& valueName) {
  std::size_t plus = rest.find('+');
  std::size_t equals = rest.rfind('=');
  if (plus == std::string_view::npos || equals == std::string_view::npos) return false;
  path = std::string(rest.substr(0, plus));
  valueName = Trim(rest.substr(equals + 1));
  return true;
}

TraceEntry ParseTraceEntry(std::string_view text) {
  TraceEntry entry;
  std::size_t slash = text.find('\\');
  if (slash == std::string_view::npos) return entry;
  entry.rootName = UCase(Trim(text.substr(0, slash)));
  entry.root = PredefinedRoot(entry.rootName);
  entry.rest = std::string(text.substr(slash + 1));

  std::string trimmed = Trim(entry.rest);
  std::optional<std::string> keyPath;
  if (EndsWith(trimmed, kKeyEnding)) {
    entry.kind = TraceKind::Key;
    keyPath = PathBeforeEnding(trimmed, kKeyEnding);
  } else if (EndsWith(trimmed, kContentsEnding)) {
    entry.kind = TraceKind::Contents;
    keyPath = PathBeforeEnding(trimmed, kContentsEnding);
  } else if (entry.rest.find(kValueMarker) != std::string::npos) {
    entry.kind = TraceKind::Value;
    entry.malformed = !SplitValueEntry(entry.rest, entry.path, entry.valueName);
    return entry;
  } else {
    entry.kind = TraceKind::Plain;
    entry.path = entry.rest;
    entry.malformed = false;
    return entry;
  }
  // A key or contents entry: a root is never deleted or emptied.
  if (!keyPath || keyPath->empty()) return entry;
  entry.path = std::move(*keyPath);
  entry.malformed = false;
  return entry;
}
