// Feeds arbitrary bytes as a network-settings backup ("001.BCK") of an XP
// machine with two adapters: the list shows it, and a restore either puts
// its values back or, for a file of another system or a damaged one, says
// why and changes no value at all. A file that restored is written back
// as a backup of its own that restores to the same values.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_machine.h"
#include "platform/files/kernel32_files.h"
#include "platform/registry/advapi32.h"
#include "tests/tuning/network_keys.h"
#include "tuning/os_version.h"
#include "tuning/tcp_backup.h"
#include "tuning/tcp_keys.h"

namespace {

// Every value a backup of the live system records: type and bytes, or a
// mark for a missing one.
std::string LiveValues() {
  std::vector<tuning::ValueBlock> blocks = tuning::FixedBlocks(tuning::OSCode);
  if (auto adapters = tuning::AdapterNames(tuning::OSCode))
    for (const std::string& adapter : *adapters)
      for (auto& block : tuning::AdapterBlocks(tuning::OSCode, adapter)) blocks.push_back(std::move(block));
  std::string out;
  for (const auto& block : blocks) {
    out += block.key + "\n";
    HKEY key = 0;
    if (RegOpenKeyExA(block.root, block.key.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    for (const std::string& name : block.names) {
      BYTE bytes[256];
      DWORD type = 0, length = sizeof bytes;
      if (RegQueryValueExA(key, name.c_str(), nullptr, &type, bytes, &length) == ERROR_SUCCESS)
        out += name + "=" + std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(bytes), length) + "\n";
      else
        out += name + " missing\n";
    }
    RegCloseKey(key);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto& fuzz = tessaly::fuzz::FuzzMachine::Get();
  static const bool ready = [&fuzz] {
    fuzz.Import(std::string("REGEDIT4\n") + tessaly::testing::kNetworkNT);
    tuning::DetectOSVersion();
    return tuning::OSCode == 7;
  }();
  if (!ready) __builtin_trap();
  const std::string folder = tuning::BackupFolder() + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  tessaly::fuzz::FuzzMachine::Put(folder + "001.BCK", tessaly::fuzz::Bytes(data, size));

  auto rows = tuning::ListBackupFiles();
  if (rows.size() != 1 || rows[0].fileName != "001.BCK" || rows[0].date.has_value() != !rows[0].dateText.empty())
    __builtin_trap();

  const std::string before = LiveValues();
  tuning::RestoreOutcome outcome = tuning::RestoreTcpBackup("001.BCK");
  if (outcome.result != tuning::RestoreResult::Restored) {
    if (LiveValues() != before) __builtin_trap();
    if (outcome.result == tuning::RestoreResult::Damaged && outcome.problem.empty()) __builtin_trap();
    return 0;
  }
  // What was restored is backed up and restored again: nothing moves.
  const std::string restored = LiveValues();
  if (tuning::WriteTcpBackup()) __builtin_trap();
  if (tuning::RestoreTcpBackup("002.BCK").result != tuning::RestoreResult::Restored || LiveValues() != restored)
    __builtin_trap();
  DeleteFileA((folder + "002.BCK").c_str());
  return 0;
}
