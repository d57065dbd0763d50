// Feeds arbitrary bytes as what a DLL backup archive says of one entry: its
// stored name, then (after the first line break) the original path its
// comment records. A restore may write only to a path on a mapped drive of
// the machine that names that same entry, and a restore into another
// folder never leaves that folder.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_machine.h"
#include "platform/activex/backup_entries.h"
#include "platform/base/cp1252.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/path_syntax.h"

namespace files = platform::files;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tessaly::fuzz::FuzzMachine::Get();
  const std::string_view input = tessaly::fuzz::Bytes(data, size);
  const std::size_t newline = input.find('\n');
  const std::string entry(input.substr(0, newline));
  const std::string recorded(newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1));

  auto path = platform::activex::RestorePathOf(entry, recorded);
  if (!path) return 0;
  // The path names the entry (up to case) and lies on a mapped drive.
  auto again = platform::activex::EntryNameOf(*path);
  auto entryText = platform::Utf8ToCp1252(entry);
  if (!again || !entryText || *platform::Utf8ToCp1252(*again) != platform::ToUpper(*entryText)) __builtin_trap();
  const std::string root = path->substr(0, 3);
  const UINT type = GetDriveTypeA(root.c_str());
  if (type == 0 || type == 1) __builtin_trap();
  // Below a destination folder, as a restore elsewhere places it: nothing
  // in the path climbs out of that folder.
  const std::string redirected = "C:\\Restore\\" + path->substr(0, 1) + path->substr(2);
  files::WindowsPath parsed;
  if (files::ParseWindowsPath(redirected, {}, parsed) == ERROR_SUCCESS &&
      (parsed.drive != 'C' || parsed.components.size() < 2 || parsed.components[0] != "Restore" ||
       parsed.components[1] != std::string(1, (*path)[0])))
    __builtin_trap();
  return 0;
}
