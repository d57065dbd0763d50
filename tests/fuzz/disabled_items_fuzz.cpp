// Feeds arbitrary bytes as the start-up manager's disabled-items file
// "<Windows>\inf\zxxy.inf": it reads back as written, every line becomes a
// record or is kept as it stands, and writing the records and kept lines
// again gives a file that parses to the same records and lines.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_machine.h"
#include "support/system_folders.h"
#include "tools/disabled_items_file.h"

namespace {

bool SameItems(const tools::DisabledItems& a, const tools::DisabledItems& b) {
  if (a.keptLines != b.keptLines || a.items.size() != b.items.size()) return false;
  for (std::size_t i = 0; i < a.items.size(); ++i) {
    const auto &x = a.items[i], &y = b.items[i];
    if (x.name != y.name || x.command != y.command || x.location != y.location || x.original != y.original)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tessaly::fuzz::FuzzMachine::Get();
  static const bool folders = [] {
    InitSystemFolders();
    return !tools::DisabledItemsPath().empty();
  }();
  if (!folders) __builtin_trap();
  const std::string_view bytes = tessaly::fuzz::Bytes(data, size);
  tessaly::fuzz::FuzzMachine::Put(tools::DisabledItemsPath(), bytes);

  tools::FileText file = tools::ReadDisabledItemsFile();
  if (!file.readable || file.text != bytes) __builtin_trap();
  tools::DisabledItems parsed = tools::ParseDisabledItems(file.text);
  for (const auto& item : parsed.items) {
    // A record's fields were split at "|"; its value goes back as it came.
    if ((item.name + item.command + item.location).find('|') != std::string::npos) __builtin_trap();
    auto decoded = tools::DecodeOriginal(tools::EncodeOriginal(item.original), item.name);
    if (!decoded || *decoded != item.original) __builtin_trap();
  }
  const std::string text = tools::FormatDisabledItems(parsed.items, parsed.keptLines);
  if (!SameItems(tools::ParseDisabledItems(text), parsed)) __builtin_trap();
  if (!tools::WriteDisabledItemsFile(text) || tools::ReadDisabledItemsFile().text != text) __builtin_trap();
  return 0;
}
