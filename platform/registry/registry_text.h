#pragma once
// REGEDIT4 text: the one parser shared by the hive loader and the import,
// and the writer of hive files.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/base/wintypes.h"

namespace platform::registry {

class Key;

// Receives what the parser reads, in file order.
class RegistryTextSink {
 public:
  virtual ~RegistryTextSink() = default;
  // A "[...]" line. `root` is the first path component as written (e.g.
  // "HKEY_LOCAL_MACHINE"); `subPath` the rest, "" for the root itself. Every
  // component of `subPath` is 1..255 characters long.
  virtual void OnKey(std::string_view root, std::string_view subPath, std::size_t line) = 0;
  // A value line of the current key. `name` "" is the default value.
  virtual void OnValue(std::string_view name, DWORD type, std::string_view data, std::size_t line) = 0;
};

// Parses `text`; throws MachineError "<sourceName> line <n>: <what>" on the
// first syntax error.
void ParseRegistryText(std::string_view text, std::string_view sourceName, RegistryTextSink& sink);

// Throws the MachineError the parser throws, for sinks that refuse a line.
[[noreturn]] void ThrowTextError(std::string_view sourceName, std::size_t line, std::string_view what);

// Appends the REGEDIT4 text of the tree under `root` (the hive's root key):
// header, then every stored key depth-first in sorted order with its values
// in creation order. Volatile keys are left out.
void AppendHiveText(const Key& root, std::string& out);

// Longest value name the model keeps.
inline constexpr std::size_t kMaxValueName = 16383;
inline constexpr std::size_t kMaxKeyName = 255;
// Deepest key below a root, as on Windows; it also bounds every recursion
// over the tree.
inline constexpr std::size_t kMaxKeyDepth = 512;

}  // namespace platform::registry
