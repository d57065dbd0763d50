#pragma once
// A small temporary machine for the files tests: a TempFolder holding the
// machine folder and, beside it, an "outside" folder with a sentinel file
// that no Windows path may reach.
#include <filesystem>
#include <memory>
#include <string>

#include "platform/machine/machine.h"
#include "support/temp_folder.h"

namespace tessaly::testing {

// XP, admin, C: fixed 16 MB (4 KB clusters), D: CD-ROM without media,
// E: fixed read-only 1 MB.
platform::MachineDescription FilesTestDescription(platform::OsKind os = platform::OsKind::WinXP);

class FilesMachine {
 public:
  explicit FilesMachine(const platform::MachineDescription& description = FilesTestDescription());
  ~FilesMachine();

  platform::Machine& machine() { return *machine_; }
  std::filesystem::path machineFolder() const { return temp_.path() / "machine"; }
  std::filesystem::path outside() const { return temp_.path() / "outside"; }
  std::filesystem::path drive(char letter = 'C') const;
  // Places a host file under drive `letter` (path with "/"), as a fixture would.
  std::filesystem::path Put(const std::string& relative, const std::string& content = "", char letter = 'C');
  std::string HostContent(const std::string& relative, char letter = 'C') const;
  // Flushes, closes and opens the machine again.
  void Reopen();
  void Close();

 private:
  void Open();
  TempFolder temp_;
  std::unique_ptr<platform::Machine> machine_;
  std::unique_ptr<platform::MachineBinding> binding_;
};

}  // namespace tessaly::testing
