// Feeds arbitrary bytes as the extra plug-in store's clear text, and as a
// store file as found on disk. A store made from the text deciphers to
// exactly that text, its rows are read as a cleaning run reads them, and the
// clear copy is gone after the cycle; bytes that are no store are read as
// unreadable and left exactly as they were.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_machine.h"
#include "mainwindow/plugins/plugin_rows.h"
#include "mainwindow/plugins/plugin_store.h"
#include "mainwindow/plugins/whole_profile_reads.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/strings.h"
#include "support/whole_files.h"

namespace {

constexpr const char* kStore = "C:\\Program Files\\Tessaly\\Plugins\\PLUGINS.dbs";
constexpr const char* kCopy = "C:\\WINDOWS\\inf\\xyzx.inf";
// Enough sections and rows to reach every reader, few enough to stay fast.
constexpr std::size_t kMaxSections = 8;
constexpr int kMaxRows = 16;

FileBytes ToBytes(std::string_view text) { return FileBytes(text.begin(), text.end()); }

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// The rows of every plug-in as the runner and the editor take them apart.
void ReadRows() {
  const MacroFolders folders{false, "C:\\Documents and Settings\\All Users", "C:\\Documents and Settings\\User",
                             "C:\\WINDOWS"};
  std::size_t sections = 0;
  for (const std::string& name : ReadProfileSectionNames(kCopy)) {
    if (++sections > kMaxSections) break;
    const int keys = static_cast<int>(ReadProfileKeyNames(name, kCopy).size());
    for (const char* counter : {"RC", "FC"}) {
      const int rows = StoredRowCount(ReadWholeProfileString(name, counter, "0", kCopy), keys);
      if (rows < 0 || rows > keys) __builtin_trap();
      const bool registry = counter[0] == 'R';
      for (int n = 1; n <= rows && n <= kMaxRows; ++n) {
        const std::string row = ReadWholeProfileString(name, (registry ? "RK" : "FK") + std::to_string(n), "0", kCopy);
        if (registry) {
          RegistryFields fields = ParseRegistryRow(row);
          if (fields.root < 0 || fields.root >= static_cast<int>(kRegistryRoots.size())) __builtin_trap();
          continue;
        }
        ParseFolderRow(row);
        StoredFolderRow split = SplitStoredFolderRow(row);
        if (split.singleFile != (row.find(platform::forms::Trim(kRowSeparator)) == std::string::npos)) __builtin_trap();
        ExpandFolderMacros(split.folder, folders);
      }
    }
    AppFolderFromData(ReadWholeProfileString(name, "APP", "0", kCopy), [](const std::string&) { return false; });
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tessaly::fuzz::FuzzMachine::Get();
  static PluginStore store = [] {
    CreateDirectoryA("C:\\Program Files\\Tessaly\\Plugins", nullptr);
    CreateDirectoryA("C:\\WINDOWS\\inf", nullptr);
    PluginStore s;
    s.SetPaths(kStore, kCopy);
    s.SetShredder([](const std::string&) {});
    return s;
  }();
  const std::string_view input = tessaly::fuzz::Bytes(data, size);

  // The bytes as a store file: read, perhaps as unreadable, never written.
  tessaly::fuzz::FuzzMachine::Put(kStore, input);
  { auto cycle = store.Open(false); }
  FileBytes after;
  if (!ReadWholeFile(kStore, after) || after != ToBytes(input) || Exists(kCopy)) __builtin_trap();

  // The bytes as clear text of a store made from them.
  FileBytes stored = EncipherStoreBytes(ToBytes(input)), round = stored;
  if (!DecipherStoreBytes(round) || round != ToBytes(input)) __builtin_trap();
  if (!WriteWholeFile(kStore, stored)) __builtin_trap();
  {
    auto cycle = store.Open(false);
    FileBytes copy;
    if (!cycle->readable() || !ReadWholeFile(kCopy, copy) || copy != ToBytes(input)) __builtin_trap();
    ReadRows();
  }
  if (Exists(kCopy)) __builtin_trap();
  return 0;
}
