#pragma once
// The disabled-items file "<Windows>\inf\zxxy.inf": one line per disabled
// start-up entry, "name|Disabled|command|location", each ending CR LF. The
// command is the text the list shows (quotes removed), so a line may go on
// with "|type|bytes in hex": the value as it stood in the registry, which
// enabling writes back unchanged. Lines without those two fields are
// enabled as the string the command shows.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cleaning/stored_values.h"

namespace tools {

inline constexpr const char* kDisabledStatus = "Disabled";

struct DisabledItem {
  std::string name, command, location;
  // The value's type and bytes when it was disabled (its name is `name`).
  std::optional<cleaning::StoredValue> original;
};

struct DisabledItems {
  std::vector<DisabledItem> items;
  // Lines that are no record (too few fields, another status, a broken
  // value), kept verbatim so rewriting the file loses nothing.
  std::vector<std::string> keptLines;
};

DisabledItems ParseDisabledItems(std::string_view text);
// The records in order, then the kept lines; every line ends CR LF.
std::string FormatDisabledItems(const std::vector<DisabledItem>& items, const std::vector<std::string>& keptLines);
// Whether the item can stand on one line: no field holds "|" or a line break.
bool FitsOnOneLine(const DisabledItem& item);

// "|type|hex" of a value, or "" for none; and back (nothing for text that
// is neither).
std::string EncodeOriginal(const std::optional<cleaning::StoredValue>& original);
std::optional<std::optional<cleaning::StoredValue>> DecodeOriginal(std::string_view tail, const std::string& name);

// The file's path; "" while the Windows folder is unknown.
std::string DisabledItemsPath();

struct FileText {
  bool readable = true;  // false: the file exists but could not be read
  std::string text;      // "" for a missing file
};
FileText ReadDisabledItemsFile();
// Creates the "inf" folder when missing, writes the file anew and reads it
// back. False when any step failed.
bool WriteDisabledItemsFile(const std::string& text);

}  // namespace tools
