#pragma once
// The TraceEntry text: root name, "\", key path and one of the endings
// "- TSYRegKey" (delete the key), "- TSYRegSubKeys" (empty the key) or
// "+ Value`= name" (delete one value). Parsing never raises: an entry that
// could make an operation act on the wrong key is marked malformed.
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/wintypes.h"

enum class TraceKind { Key, Contents, Value, Plain };

struct TraceEntry {
  bool malformed = true;     // nothing may be touched
  std::string rootName;      // upper case, surrounding blanks removed
  std::optional<HKEY> root;  // unset when the root is none of the seven
  std::string rest;          // the text after the first "\"
  TraceKind kind = TraceKind::Plain;
  std::string path;          // the key path the entry acts on
  std::string valueName;     // value entries only
};

// The predefined key a root name (already trimmed and upper-cased) selects.
std::optional<HKEY> PredefinedRoot(std::string_view upperName);

// The key path (before the first "+", unchanged) and the value name (after
// the last "=", trimmed) of a value entry's rest; false without "+" or "=".
bool SplitValueEntry(std::string_view rest, std::string& path, std::string& valueName);

// Splits and classifies `text`. Key and contents entries are accepted only
// when nothing but blanks stands between the last "-" and the ending and the
// path is not empty; value entries need a "+" and a "=".
TraceEntry ParseTraceEntry(std::string_view text);
